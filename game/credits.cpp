// The about credits: six lines typed into the display, then the display is cleared.

#include "game/announce.h"
#include "game/form1.h"

#include <QKeyEvent>

namespace numbolo {

namespace {

std::vector<TypedLine> creditLines()
{
    std::vector<TypedLine> lines{
        {QStringLiteral("Numbolo_v.1.2"), 1, 500},
        {QStringLiteral("Educational Game for kids"), 1, 500},
        {QStringLiteral("Author:The Numbolo Team"), 2, 700},
        {QStringLiteral("August 2012, Athens"), 1, 500},
        {QStringLiteral("Music by KOTA_TEAM"), 1, 500},
        {QStringLiteral("Free software, made to be shared"), 1, 1000},
    };
    // Each line holds its full text for the extra steps beyond its length.
    for (TypedLine &line : lines)
        line.steps += int(line.text.size());
    return lines;
}

} // namespace

void Form1::Label4_Click()
{
    // A second click while the credits run starts them again from the first line, so runs
    // never pile up and the end state is always the same.
    Text1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Text1->setFontSize(22);
    QStringList spoken;
    for (const TypedLine &line : creditLines())
        spoken << spokenText(line.text);
    Announce::credits(*this, spoken);
    m_credits.start(creditLines(), false, [this](const QString &text) { Text1->setText(text); },
                    [this] { creditsEnded(); });
}

void Form1::creditsEnded()
{
    Text1->setText(QString());
    Text1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Text1->setFontSize(28);
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Escape ends the credits as it closes a window: the display is left as their end leaves it.
    if (event->key() == Qt::Key_Escape && m_credits.running() && !isBlocked(Label4)) {
        m_credits.stop();
        creditsEnded();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace numbolo
