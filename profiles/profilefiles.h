#pragma once
// The files of one child's profile: the settings, the history and its pending records in the
// profile's own folder, under the names the account's own files have, and the child's name as
// profileName(). Flushed as the account's files are.

#include "services/services.h"

namespace numbolo {

class ProfileFiles : public PlayerFiles {
public:
    // The files of the child `name` in `folder`; `account` names the account's own files and
    // flushes (it must outlive this).
    ProfileFiles(const PlayerFiles &account, QString folder, QString name);
    QString iniPath() const override;
    QString historyPath() const override;
    QString pendingPath() const override;
    QString profileName() const override { return m_name; }
    bool flushFile(QFileDevice &file) const override;
    bool flushFolder(const QString &folder) const override;

private:
    QString inFolder(const QString &accountPath) const;

    const PlayerFiles &m_account;
    QString m_folder;
    QString m_name;
};

} // namespace numbolo
