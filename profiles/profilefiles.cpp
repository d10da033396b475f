#include "profiles/profilefiles.h"

#include <QDir>
#include <QFileInfo>

namespace numbolo {

ProfileFiles::ProfileFiles(const PlayerFiles &account, QString folder, QString name)
    : m_account(account), m_folder(std::move(folder)), m_name(std::move(name))
{
}

QString ProfileFiles::inFolder(const QString &accountPath) const
{
    return QDir(m_folder).filePath(QFileInfo(accountPath).fileName());
}

QString ProfileFiles::iniPath() const
{
    return inFolder(m_account.iniPath());
}

QString ProfileFiles::historyPath() const
{
    return inFolder(m_account.historyPath());
}

QString ProfileFiles::pendingPath() const
{
    return inFolder(m_account.pendingPath());
}

bool ProfileFiles::flushFile(QFileDevice &file) const
{
    return m_account.flushFile(file);
}

bool ProfileFiles::flushFolder(const QString &folder) const
{
    return m_account.flushFolder(folder);
}

} // namespace numbolo
