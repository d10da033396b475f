#pragma once

#include <QObject>

class QSocketNotifier;

namespace numbolo {

// A socket in the user's runtime folder (XDG_RUNTIME_DIR, which only this user may enter) on
// which a later start asks the running copy to show its window: the way to it where there is
// no session bus. Plain sockets, so no network library is loaded. Unix only: elsewhere
// listen() and ask() fail.
class RuntimeSocket : public QObject {
    Q_OBJECT
public:
    explicit RuntimeSocket(const QString &name, QObject *parent = nullptr);
    ~RuntimeSocket() override;
    // Listens under the name, taking the place of a socket a killed copy left.
    bool listen();
    // True when a copy listening under the name answered within `timeoutMs`.
    bool ask(int timeoutMs) const;

signals:
    // A later start asked.
    void asked();

private:
    void answer();
    QString m_path;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace numbolo
