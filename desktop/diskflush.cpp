#include "desktop/diskflush.h"

#include <QFile>
#include <QFileDevice>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace numbolo {

#ifdef Q_OS_UNIX
namespace {
// fsync() failed because of the disk, not because this kind of file cannot be flushed.
bool diskFailed()
{
    return errno != EINVAL && errno != ENOTSUP && errno != EBADF && errno != EROFS;
}
} // namespace
#endif

bool flushFileToDisk(QFileDevice &file)
{
#if defined(Q_OS_UNIX)
    int result;
    do
        result = ::fsync(file.handle());
    while (result != 0 && errno == EINTR);
    return result == 0 || !diskFailed();
#elif defined(Q_OS_WIN)
    return _commit(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

bool flushFolderToDisk(const QString &folder)
{
#if defined(Q_OS_UNIX)
    // The new name of the file is an entry of its folder: a power cut before the folder reaches
    // the disk could bring the old file back.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true; // a folder that cannot be opened cannot be flushed either
    int result;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    const bool flushed = result == 0 || !diskFailed();
    ::close(fd);
    return flushed;
#else
    // Elsewhere a renamed file's folder entry is the file system's business.
    Q_UNUSED(folder);
    return true;
#endif
}

} // namespace numbolo
