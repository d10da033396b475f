#include "controls/windowlanguage.h"

namespace numbolo {

namespace {

QString &chosen()
{
    static QString language;
    return language;
}

} // namespace

void useWindowLanguage(QStringView language)
{
    chosen() = language.toString();
}

QString windowLanguage()
{
    return chosen();
}

} // namespace numbolo
