// Deterministic random numbers. The standard distributions are implementation-defined, so a
// library update could repaint every picture; this generator gives the same stream everywhere.
#pragma once

#include <cstdint>
#include <vector>

namespace bggen {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    // SplitMix64.
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // [0, 1)
    float uniform() { return static_cast<float>(next() >> 40) / 16777216.0f; }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    // [0, n)
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
    bool chance(float p) { return uniform() < p; }
    // Roughly bell-shaped in [-1, 1]: for sizes and jitter that should cluster around the middle.
    float bell() { return (uniform() + uniform() + uniform()) * (2.0f / 3.0f) - 1.0f; }

    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[static_cast<size_t>(below(static_cast<int>(items.size())))];
    }

    // A child stream: parts of a picture draw from their own streams so that adding a detail
    // to one part does not reshuffle all the others.
    Rng fork(uint64_t salt) { return Rng(next() ^ (salt * 0xD1B54A32D192ED03ull)); }

private:
    uint64_t state_;
};

// Index by weight; weights need not sum to 1.
inline int weightedPick(Rng& rng, const std::vector<float>& weights) {
    float total = 0.0f;
    for (float w : weights)
        total += w;
    float r = rng.uniform() * total;
    for (size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i]) return static_cast<int>(i);
        r -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
}

}  // namespace bggen
