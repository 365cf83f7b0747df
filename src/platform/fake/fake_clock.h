// A clock the test sets and moves.
#pragma once

#include "core/ports/clock.h"

namespace tv {

class FakeClock : public Clock {
public:
    FakeClock() = default;
    explicit FakeClock(DateTime t) : now_(t) {}
    static FakeClock at(int y, int m, int d, int h = 12, int mi = 0, int s = 0) {
        return FakeClock(DateTime::of(Date::serial(y, m, d), h, mi, s));
    }

    DateTime now() const override { return now_; }
    double secondsSinceMidnight() const override { return now_.second + fraction_; }

    void set(DateTime t) { now_ = t; }
    void advanceSeconds(int s) {
        int64_t total = static_cast<int64_t>(now_.second) + s;
        int64_t days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
        now_.date = now_.date.addDays(static_cast<int>(days));
        now_.second = static_cast<int32_t>(total - days * 86400);
    }
    void advanceDays(int n) { now_.date = now_.date.addDays(n); }
    void setFraction(double f) { fraction_ = f; }

private:
    DateTime now_ = DateTime::of(Date::serial(2024, 3, 9), 12, 0, 0);
    double fraction_ = 0;
};

}  // namespace tv
