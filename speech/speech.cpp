#include "speech/speech.h"

#include "speech/greekspeech.h"

namespace numbolo {

const Speech &speech()
{
    static const GreekSpeech greek;
    return greek;
}

} // namespace numbolo
