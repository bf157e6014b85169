// A small seeded generator with a fixed algorithm, so that archives and injected bytes are the
// same on every platform and library version (std distributions are implementation-defined).
#pragma once

#include <cstdint>

namespace ksim {

class CSimRandom {
public:
    explicit CSimRandom(uint64_t seed) : m_state(seed) {}

    uint64_t Next() {
        // splitmix64
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [lo, hi] (inclusive); hi >= lo.
    uint32_t Range(uint32_t lo, uint32_t hi) { return lo + uint32_t(Next() % (uint64_t(hi) - lo + 1)); }

private:
    uint64_t m_state;
};

} // namespace ksim
