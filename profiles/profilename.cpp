#include "profiles/profilename.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace numbolo::ProfileName {

QString cleaned(const QString &typed)
{
    return typed.simplified().normalized(QString::NormalizationForm_C);
}

int length(const QString &name)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    int count = 0;
    while (graphemes.toNextBoundary() > 0)
        ++count;
    return count;
}

QString key(const QString &name)
{
    return cleaned(name).toCaseFolded().normalized(QString::NormalizationForm_C);
}

Problem problem(const QString &name, const QStringList &others)
{
    if (name.isEmpty())
        return Problem::Empty;
    if (length(name) > MaxLength)
        return Problem::TooLong;
    // A control character or half of a surrogate pair shows as nothing, or as a box.
    const bool unprintable = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.category() == QChar::Other_Control;
    }) || !name.isValidUtf16();
    if (unprintable)
        return Problem::Unprintable;
    const QString wanted = key(name);
    if (std::any_of(others.begin(), others.end(), [&wanted](const QString &other) { return key(other) == wanted; }))
        return Problem::Taken;
    return Problem::None;
}

QString problemText(Problem problem, const QString &name)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Empty:
        return QCoreApplication::translate("numbolo::ProfileName", "Γράψε το όνομα του παιδιού.");
    case Problem::TooLong:
        return QCoreApplication::translate("numbolo::ProfileName", "Το όνομα έχει %1 χαρακτήρες: μπορεί να έχει έως %2.").arg(length(name)).arg(MaxLength);
    case Problem::Unprintable:
        return QCoreApplication::translate("numbolo::ProfileName", "Το όνομα έχει χαρακτήρες που δεν φαίνονται.");
    case Problem::Taken:
        return QCoreApplication::translate("numbolo::ProfileName", "Υπάρχει ήδη παιδί με το όνομα «%1».").arg(name);
    }
    return {};
}

} // namespace numbolo::ProfileName
