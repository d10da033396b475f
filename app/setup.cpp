#include "app/setup.h"

#include "controls/clickbursts.h"
#include "controls/qttexts.h"
#include "controls/readablebox.h"

#include <QApplication>
#include <QFont>

static void initNumboloResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace numbolo {

void setupApplication()
{
    initNumboloResources();
    installReadableBoxes();

    // The design's font names, mapped to freely licensed fonts with Greek letters where the
    // named font is not installed. "DS-Digital" is the shipped display font.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"), {QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Monotype Corsiva"), {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("System"), {QStringLiteral("DejaVu Sans")});

    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // Pictures, labels and the painted buttons act once on a double-click.
        const QString name = QStringLiteral("numbolo-click-bursts");
        if (app->findChild<QObject *>(name, Qt::FindDirectChildrenOnly) == nullptr) {
            auto *bursts = new ClickBursts(app);
            bursts->setObjectName(name);
            app->installEventFilter(bursts);
        }
    }

    // Qt's own dialog texts in Greek, whatever the user's locale, until the game's language is
    // chosen.
    useQtTextsOf(u"el");
}

} // namespace numbolo
