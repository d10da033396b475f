#include "desktop/accessibleannouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>
#include <utility>

namespace numbolo {

namespace {

// The object whose appearance carries an announcement. It paints nothing, takes no input and
// is never focused; only its accessible name matters.
class Notice : public QWidget {
    Q_OBJECT
public:
    explicit Notice(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("announcement"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
    }
};

// The status bar that holds the read-backs' notice: an object of the same kind, presented in
// another role.
class NoticeBar : public Notice {
    Q_OBJECT
public:
    explicit NoticeBar(QWidget *parent) : Notice(parent) { setObjectName(QStringLiteral("readBack")); }
};

QAccessibleInterface *noticeFactory(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(Notice::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    if (className == QLatin1String(NoticeBar::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StatusBar);
    return nullptr;
}

} // namespace

AccessibleAnnouncer::AccessibleAnnouncer(Clock &clock, std::function<bool()> listening)
    : m_alarm(clock), m_listening(listening ? std::move(listening) : [] { return QAccessible::isActive(); })
{
}

void AccessibleAnnouncer::announce(const QString &text, QWidget &window)
{
    // Whether a screen reader listens is asked when the text is due: an exercise resumed at
    // start-up is announced before the window shows and the accessibility bridge starts.
    if (text.isEmpty())
        return;
    m_window = &window;
    const bool waiting = std::any_of(m_pending.begin(), m_pending.end(),
                                     [&text](const Pending &p) { return !p.echo && p.text == text; });
    if (!waiting)
        m_pending.push_back({text, false});
    m_alarm.at(m_alarm.clock().now() + DelayMs, [this] { present(); });
}

void AccessibleAnnouncer::echo(const QString &text, QWidget &window)
{
    if (text.isEmpty())
        return;
    m_window = &window;
    std::erase_if(m_pending, [](const Pending &p) { return p.echo; });
    m_pending.push_back({text, true});
    // With an announcement waiting, the read-back is said after it, together.
    const bool alone = m_pending.size() == 1;
    m_alarm.at(m_alarm.clock().now() + (alone ? EchoDelayMs : DelayMs), [this] { present(); });
}

void AccessibleAnnouncer::speakNow()
{
    if (m_pending.empty())
        return;
    m_alarm.cancel();
    present();
}

void AccessibleAnnouncer::present()
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(noticeFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    const std::vector<Pending> pending = std::exchange(m_pending, {});
    // Without a screen reader this is all an announcement costs.
    if (pending.empty() || !m_window || !m_listening())
        return;
    if (pending.size() == 1 && pending.front().echo) {
        if (!m_echoBar || m_echoBar->parentWidget() != m_window) {
            m_echoBar = new NoticeBar(m_window);
            m_echoBar->show();
        }
        show(m_echoNotice, m_echoBar, pending.front().text);
        return;
    }
    QStringList texts;
    for (const Pending &p : pending)
        texts << (p.echo && &p != &pending.back() && !p.text.endsWith(QLatin1Char('.')) ? p.text + QLatin1Char('.') : p.text);
    show(m_notice, m_window, texts.join(QLatin1Char(' ')));
}

void AccessibleAnnouncer::show(QPointer<QWidget> &notice, QWidget *parent, const QString &text)
{
    if (!notice || notice->parentWidget() != parent)
        notice = new Notice(parent);
    // Screen readers speak a notification when it starts to show: hidden and shown again, the
    // same object says each new text.
    notice->hide();
    notice->setAccessibleName(text);
    notice->show();
}

} // namespace numbolo

#include "accessibleannouncer.moc"
