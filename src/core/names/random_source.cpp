#include "core/names/random_source.h"

#include <cmath>

#include "core/ports/clock.h"

namespace tv {

uint64_t clockSeed(const Clock& clock) {
    const DateTime now = clock.now();
    // Microseconds since midnight: two starts within the same second still differ.
    const double seconds = clock.secondsSinceMidnight();
    const auto micros = static_cast<uint64_t>(std::llround(seconds * 1e6));
    return static_cast<uint64_t>(static_cast<uint32_t>(now.date.serialNumber())) << 40 ^ micros;
}

}  // namespace tv
