#include "speech/speech.h"

#include "speech/languages.h"
#include "speech/spokenforms.h"

namespace numbolo {

namespace {

const Speech &greek()
{
    static const GreekSpeech rules;
    return rules;
}

const Speech &english()
{
    static const EnglishSpeech rules;
    return rules;
}

const Speech *chosen = nullptr;

} // namespace

const Speech &speech()
{
    return chosen ? *chosen : greek();
}

void useSpeechOf(QStringView language)
{
    chosen = language == u"en" ? &english() : &greek();
}

QString Speech::expression(QStringView text) const
{
    return spoken::expression(text, *this);
}

QString Speech::counted(int count, const QString &one, const QString &many) const
{
    return QStringLiteral("%1 %2").arg(number(QString::number(count)), count == 1 || count == -1 ? one : many);
}

QString Speech::forTheEar(const QString &text) const
{
    return spoken::withoutMarks(text, *this);
}

} // namespace numbolo
