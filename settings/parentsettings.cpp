#include "settings/parentsettings.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>

namespace numbolo::Parents {

namespace {

const QString Section = QStringLiteral("Parents");
const QString SecondsKey = QStringLiteral("secondsPerExercise");
const QString TypingKey = QStringLiteral("keyboardTyping");

// Only the exact texts of the choices count: " 360" or "600" are none of them.
std::optional<int> secondsChoice(const QString &seconds)
{
    const auto choice = std::find_if(std::begin(SecondsChoices), std::end(SecondsChoices),
                                     [&seconds](int c) { return seconds == QString::number(c); });
    if (choice == std::end(SecondsChoices))
        return std::nullopt;
    return *choice;
}

} // namespace

QString secondsText(int seconds)
{
    if (seconds == 0)
        return QCoreApplication::translate("ParentSettings", "χωρίς όριο");
    const int minutes = seconds / 60;
    return QCoreApplication::translate("ParentSettings", "%n λεπτά", "", minutes);
}

ParentSettings read(const QString &iniPath)
{
    const QHash<QString, QString> stored = StoredSettings::read(iniPath, Section);
    ParentSettings settings;
    settings.secondsPerExercise = secondsChoice(stored.value(SecondsKey)).value_or(ParentSettings::DefaultSeconds);
    settings.keyboardTyping = stored.value(TypingKey) == QLatin1String("true");
    return settings;
}

StoredSettings::Values gameValues(const QString &gameId, const ParentSettings &settings)
{
    return {{QStringLiteral("id"), gameId}, {SecondsKey, QString::number(settings.secondsPerExercise)}};
}

std::optional<int> gameSeconds(const QString &iniPath)
{
    return secondsChoice(StoredSettings::read(iniPath, QStringLiteral("Game")).value(SecondsKey));
}

StoredSettings::Saved write(const PlayerFiles &location, const ParentSettings &settings, QString *error)
{
    return StoredSettings::writeSection(
        location, Section,
        {{SecondsKey, QString::number(settings.secondsPerExercise)},
         {TypingKey, settings.keyboardTyping ? QStringLiteral("true") : QStringLiteral("false")}},
        error);
}

} // namespace numbolo::Parents
