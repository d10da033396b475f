#include "translations/translations.h"

#include <QDir>
#include <QFileInfo>

namespace numbolo {

namespace {

const QString Folder = QStringLiteral(":/translations");
const QString Prefix = QStringLiteral("numbolo_");
const QString Suffix = QStringLiteral(".qm");

} // namespace

QStringList gameLanguages()
{
    QStringList languages{QStringLiteral("el")};
    const QStringList files = QDir(Folder).entryList({Prefix + QLatin1Char('*') + Suffix}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        languages << file.mid(Prefix.size(), file.size() - Prefix.size() - Suffix.size());
    return languages;
}

QString translationFile(QStringView language)
{
    const QString file = Folder + QLatin1Char('/') + Prefix + language.toString() + Suffix;
    return language != u"el" && QFileInfo::exists(file) ? file : QString();
}

} // namespace numbolo
