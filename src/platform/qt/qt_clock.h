// The local clock through Qt.
#pragma once

#include "core/ports/clock.h"

namespace tv {

class QtClock : public Clock {
public:
    DateTime now() const override;
    double secondsSinceMidnight() const override;
};

}  // namespace tv
