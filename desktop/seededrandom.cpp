#include "desktop/seededrandom.h"

namespace numbolo {

float SeededRandom::next()
{
    // The top 24 bits of the engine's output, scaled: exactly representable and always below 1.
    return float(m_engine() >> 8) * (1.0f / 16777216.0f);
}

} // namespace numbolo
