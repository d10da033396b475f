#include "desktop/accessibleannouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>

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

QAccessibleInterface *noticeFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(Notice::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
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
    m_pending << text;
    m_window = &window;
    m_alarm.at(m_alarm.clock().now() + DelayMs, [this] { present(); });
}

void AccessibleAnnouncer::present()
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(noticeFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    const QString text = m_pending.join(QLatin1Char(' '));
    m_pending.clear();
    // Without a screen reader this is all an announcement costs.
    if (!m_window || !m_listening())
        return;
    if (!m_notice || m_notice->parentWidget() != m_window)
        m_notice = new Notice(m_window);
    // Screen readers speak a notification when it starts to show: hidden and shown again, the
    // same object says each new text.
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->show();
}

} // namespace numbolo

#include "accessibleannouncer.moc"
