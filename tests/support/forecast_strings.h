// The Hungarian phrases the forecast and the missed-events list are built from, without loading
// the whole string table.
#pragma once

#include "core/config/string_table.h"

namespace tv::test {

inline StringTable forecastStrings() {
    StringTable s;
    const char* pairs[][2] = {
        {"main_d_day", "$1 nap"},
        {"main_d_wd", "$1 hét $2 nap"},
        {"main_d_week", "$1 hét"},
        {"main_d_tomorrow1", "holnap"},
        {"main_d_a_tomorrow1", "holnapután"},
        {"main_d_still1", "még $1"},
        {"main_d_forecast1", "$1 – $2"},
        {"main_d_tomorrow2", "holnap"},
        {"main_d_still2", "$1 múlva"},
        {"main_d_forecast2", "$2: $1"},
        {"main_month_short_2", "márc."},
        {"main_event_more", "…összesen $1"},
        {"dates_list_day_m1", "tegnap"},
    };
    for (auto& p : pairs)
        s.table().add(p[0], p[1]);
    return s;
}

}  // namespace tv::test
