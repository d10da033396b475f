#pragma once
// The real random source.

#include "services/services.h"

#include <cstdint>
#include <random>

namespace numbolo {

// Never seeded from anything that changes: every program start replays the same sequence.
class SeededRandom : public RandomSource {
public:
    static constexpr std::uint32_t FixedSeed = 5489u;
    explicit SeededRandom(std::uint32_t seed = FixedSeed) : m_engine(seed) {}
    float next() override;

private:
    std::mt19937 m_engine;
};

} // namespace numbolo
