#include "speech/speech.h"

#include "speech/greekspeech.h"

namespace numbolo {

namespace {

const Speech &greek()
{
    static const GreekSpeech rules;
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
    Q_UNUSED(language);
    chosen = &greek();
}

} // namespace numbolo
