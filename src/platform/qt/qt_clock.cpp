#include "platform/qt/qt_clock.h"

#include <QDateTime>

namespace tv {

DateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime tm = t.time();
    return DateTime::of(Date::serial(d.year(), d.month(), d.day()), tm.hour(), tm.minute(),
                        tm.second());
}

double QtClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace tv
