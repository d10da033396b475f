#include "desktop/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace numbolo {

QStringList moduleFolders()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.path(), bin.filePath(QStringLiteral("../" NUMBOLO_MODULE_DIR)),
            bin.filePath(QStringLiteral("../lib/numbolo"))};
}

QFunctionPointer moduleFunction(const QStringList &folders, const QString &name, const char *symbol)
{
    for (const QString &folder : folders) {
        // The library stays loaded until the program ends: the objects it makes live in it.
        QLibrary module(QDir(folder).filePath(name));
        if (!module.load())
            continue;
        if (const QFunctionPointer function = module.resolve(symbol))
            return function;
    }
    return nullptr;
}

} // namespace numbolo
