#pragma once
// What asks the program to end or to save from outside its window: the termination signals
// SIGTERM (a shutdown or a logout), SIGHUP (the terminal closes) and SIGINT (Ctrl+C), the
// application's quit request (the desktop session ending, a dock's "Quit"), and the desktop
// session's request to save before it ends. On Unix the signal handlers only write the signal
// into a pipe that the event loop watches, so the handlers call nothing that is unsafe there;
// elsewhere there are no such signals to handle. A signal that is ignored when the object is
// made (nohup) stays ignored. The handlers stay until the process ends, so a signal that comes
// while the program is ending does not kill it half-way; without the object they do nothing.
// One object at a time.

#include <QObject>

class QSocketNotifier;

namespace numbolo {

class EndRequests : public QObject {
    Q_OBJECT
public:
    explicit EndRequests(QObject *parent = nullptr);
    ~EndRequests() override;

signals:
    // A termination signal or a quit request arrived: end as closing the window does.
    void endRequested();
    // The desktop session asks to save now; the program goes on.
    void saveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readSignals();
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace numbolo
