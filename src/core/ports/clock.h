// Local date and time. The core never reads the system clock itself.
#pragma once

#include <cstdint>

#include "core/calc/date.h"

namespace tv {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time, to the second.
    virtual DateTime now() const = 0;
    // Seconds since local midnight with a fraction (a stopwatch for log stamps and load times).
    virtual double secondsSinceMidnight() const = 0;
};

}  // namespace tv
