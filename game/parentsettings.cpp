#include "game/parentsettings.h"

#include <algorithm>
#include <iterator>

namespace numbolo::Parents {

namespace {

const QString Section = QStringLiteral("Parents");
const QString SecondsKey = QStringLiteral("secondsPerExercise");
const QString TypingKey = QStringLiteral("keyboardTyping");

} // namespace

QString secondsText(int seconds)
{
    if (seconds == 0)
        return QStringLiteral("χωρίς όριο");
    return QStringLiteral("%1 λεπτά").arg(seconds / 60);
}

ParentSettings read(const QString &iniPath)
{
    const QHash<QString, QString> stored = StoredSettings::read(iniPath, Section);
    ParentSettings settings;
    const QString seconds = stored.value(SecondsKey);
    // Only the exact texts of the choices count: " 360" or "600" play as designed.
    const auto choice = std::find_if(std::begin(SecondsChoices), std::end(SecondsChoices),
                                     [&seconds](int c) { return seconds == QString::number(c); });
    if (choice != std::end(SecondsChoices))
        settings.secondsPerExercise = *choice;
    settings.keyboardTyping = stored.value(TypingKey) == QLatin1String("true");
    return settings;
}

StoredSettings::Saved write(const SettingsLocation &location, const ParentSettings &settings, QString *error)
{
    return StoredSettings::writeSection(
        location, Section,
        {{SecondsKey, QString::number(settings.secondsPerExercise)},
         {TypingKey, settings.keyboardTyping ? QStringLiteral("true") : QStringLiteral("false")}},
        error);
}

} // namespace numbolo::Parents
