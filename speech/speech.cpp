#include "speech/speech.h"

#include "speech/englishspeech.h"
#include "speech/greekspeech.h"

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

} // namespace numbolo
