#include "core/render/theme.h"

#include <array>
#include <charconv>

#include "core/render/skin.h"

namespace tv {

int parseThemeInt(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return 0;
    if (v > INT32_MAX || v < INT32_MIN) return 0;
    return static_cast<int>(v);
}

bool parseThemeBool(std::string_view text) {
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "true") return true;
    if (lower == "false") return false;
    return parseThemeInt(text) != 0;
}

namespace {

constexpr std::array kRequired = {
    "picture_x",
    "picture_y",
    "picture_w",
    "picture_h",
    "cal_fields_x",
    "cal_fields_y",
    "cal_field_w",
    "cal_field_h",
    "alarm_time_x",
    "alarm_time_y",
    "alarm_time_align",
    "alarm_title_x",
    "alarm_title_y",
    "alarm_title_w",
    "alarm_title_align",
    "alarm_com_x",
    "alarm_com_y",
    "alarm_com_w",
    "cal_month_x",
    "cal_month_y",
    "cal_weekday_x",
    "cal_weekday_y",
    "cal_weeknum_x",
    "cal_weeknum_y",
    "cal_daytext_x",
    "cal_daytext_y",
    "cal_daytext_align",
    "cal_dayevent_x",
    "cal_dayevent_y",
    "cal_dayevent_w",
    "cal_dayevent_align",
    "wise_x",
    "wise_y",
    "wise_w",
    "wise_h",
    "wise_wrt_color",
    "wise_wrt_x",
    "wise_wrt_y",
    "wise_wrt_align",
    "wise_say_color",
    "wise_say_x",
    "wise_say_y",
    "wise_say_w",
    "wise_say_align",
};

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

std::string missingThemeKey(const HashTable& theme) {
    for (const char* key : kRequired)
        if (!theme.exists(key)) return key;
    for (int i = 0; i < kButtonCount; ++i) {
        if (!themeHasPoint(theme, std::string(kButtonElements[i]))) continue;
        const std::string p = "tx" + std::to_string(i);
        for (const char* k : {"_w", "_h", "_ux", "_uy", "_dx", "_dy", "_oy"})
            if (!theme.exists(p + k)) return p + k;
    }
    if (!theme.exists("calhomeleft_x") && !theme.exists("calhomeright_x")) {
        // The home areas are optional; their size is needed only with them.
    } else if (!theme.exists("calhome_w") || !theme.exists("calhome_h")) {
        return "calhome_w";
    }
    if (!theme.exists("text_shadow_color")) {
        for (int32_t i = 1; i <= theme.count(); ++i) {
            const std::string& key = theme.keyByIndex(i);
            if (endsWith(key, "_shadow") && parseThemeBool(theme.itemByIndex(i)))
                return "text_shadow_color";
        }
    }
    return {};
}

}  // namespace tv
