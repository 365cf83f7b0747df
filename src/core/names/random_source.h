// The random numbers of the no-repeat rotations (wisdom, pictures). One generator lives in the
// program's state, seeded once from the clock; tests seed it with a fixed number.
#pragma once

#include <cstdint>
#include <random>

namespace tv {

class Clock;

class RandomSource {
public:
    explicit RandomSource(uint64_t seed = 0) : engine_(seed) {}

    void seed(uint64_t value) { engine_.seed(value); }
    // A uniform number in [0, 1).
    double uniform01() { return std::generate_canonical<double, 53>(engine_); }
    // The integer part of uniform01() * n: 0 <= result < n for n >= 1, and 0 for n <= 0.
    int32_t below(int32_t n) {
        if (n <= 0) return 0;
        const auto r = static_cast<int32_t>(uniform01() * n);
        // generate_canonical may round up to 1.0 on some libraries.
        return r < n ? r : n - 1;
    }

private:
    std::mt19937_64 engine_;
};

// A seed from the clock's date and time of day, fraction of a second included.
uint64_t clockSeed(const Clock& clock);

}  // namespace tv
