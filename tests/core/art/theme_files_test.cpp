// The skins' theme.cfg sources: every key the drawing reads without a default, numbers that
// parse, and a layout that fits the window. A missing key here would make the skin unusable
// (the loader refuses it), so these checks run on the files we ship.
#include "core/config/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tv {
namespace {

namespace fs = std::filesystem;
using Theme = std::map<std::string, std::string>;

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The key = value grammar of our configuration files, enough of it for reading a theme.
Theme readTheme(const fs::path& file, std::vector<std::string>& duplicates) {
    Theme t;
    std::ifstream in(file, std::ios::binary);
    std::string raw, line;
    while (std::getline(in, raw)) {
        line = trim(raw);
        while (!line.empty() && line.back() == '~' && std::getline(in, raw)) {
            line.pop_back();
            line += trim(raw);
        }
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(line.substr(0, eq));
        if (!key.empty() && key[0] == '#') key.erase(0, 1);
        std::string value = trim(line.substr(eq + 1));
        size_t q1 = value.find('"');
        size_t q2 = q1 == std::string::npos ? q1 : value.find('"', q1 + 1);
        if (q2 != std::string::npos) {
            value = value.substr(q1 + 1, q2 - q1 - 1);
        } else if (size_t c = value.find("//"); c != std::string::npos)
            value = trim(value.substr(0, c));
        if (!t.emplace(key, value).second) duplicates.push_back(key);
    }
    return t;
}

bool isInteger(const std::string& v) {
    if (v.empty()) return false;
    size_t i = (v[0] == '-' || v[0] == '+') ? 1 : 0;
    return i < v.size() && v.find_first_not_of("0123456789", i) == std::string::npos;
}

const char* const kButtons[12] = {"exitbutton", "calleft",      "calright",  "menucal",
                                  "menudates",  "menusettings", "menuabout", "menunames",
                                  "menualarm",  "menuswname",   "menualert", "menuhome"};

// Keys read with no default: the picture and grid geometry, the alarm and grid text positions,
// the wisdom box, the picture title and the three font records' sizes and colours.
const char* const kRequired[] = {
    "picture_x", "picture_y", "picture_w", "picture_h", "cal_fields_x", "cal_fields_y",
    "cal_field_w", "cal_field_h", "alarm_time_x", "alarm_time_y", "alarm_time_align",
    "alarm_title_x", "alarm_title_y", "alarm_title_w", "alarm_title_align", "alarm_com_x",
    "alarm_com_y", "alarm_com_w", "cal_month_x", "cal_month_y", "cal_weekday_x", "cal_weekday_y",
    "cal_weeknum_x", "cal_weeknum_y", "cal_daytext_x", "cal_daytext_y", "cal_daytext_align",
    "cal_dayevent_x", "cal_dayevent_y", "cal_dayevent_w", "cal_dayevent_align", "wise_x", "wise_y",
    "wise_w", "wise_h", "wise_wrt_color", "wise_wrt_x", "wise_wrt_y", "wise_wrt_align",
    "wise_say_color", "wise_say_x", "wise_say_y", "wise_say_w", "wise_say_align", "pic_title_x",
    "pic_title_y", "pic_title_color", "pic_title_border", "def_mb_size", "def_mb_color",
    "def_mb_color2", "def_ms_size", "def_ms_color", "def_ms_color2", "def_mu_size", "def_mu_color",
    "def_mu_color2",
    // What the skin list of the settings window shows, and every image of the skin.
    "skinname", "author", "version", "previewimage", "tx_main_bg", "tx_cal_bg", "tx_alarm_bg",
    "tx_event_mark", "tx_today", "tx_buttons", "tx_wise_bg", "tx_mask_wise_bg"};

// Font faces the set-up installs; the program's own default face does not exist on Linux.
const std::set<std::string> kInstalledFaces = {
    "Liberation Sans", "Liberation Serif", "Liberation Sans Narrow", "Liberation Mono",
    "DejaVu Sans",     "DejaVu Serif",     "DejaVu Sans Condensed",  "DejaVu Serif Condensed",
    "DejaVu Sans Mono"};
const char* const kStyles[] = {"titletext",   "today",        "alarm_time",  "alarm_title",
                               "alarm_com",   "cal_month",    "cal_weekday", "cal_weeknum",
                               "cal_daytext", "cal_dayevent", "wise_wrt",    "wise_say",
                               "versiontext", "qzlogo",       "picture_err", "pic_title"};

struct Rect {
    int x, y, w, h;
    bool inside(const Rect& o) const {
        return x >= o.x && y >= o.y && x + w <= o.x + o.w && y + h <= o.y + o.h;
    }
    bool overlaps(const Rect& o) const {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
};

class ThemeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry :
             fs::directory_iterator(fs::path(TV_TEST_SOURCE_DIR) / "data" / "themes")) {
            fs::path cfg = entry.path() / "theme.cfg";
            if (!fs::exists(cfg)) continue;
            std::vector<std::string> dups;
            skins[entry.path().filename().string()] = readTheme(cfg, dups);
            for (const auto& d : dups) {
                ADD_FAILURE() << cfg << ": key " << d << " twice";
            }
        }
    }
    static int num(const Theme& t, const std::string& k, int def = 0) {
        auto it = t.find(k);
        return it != t.end() && isInteger(it->second) ? std::stoi(it->second) : def;
    }
    static Rect rect(const Theme& t, const std::string& prefix) {
        return {num(t, prefix + "_x"), num(t, prefix + "_y"), num(t, prefix + "_w"),
                num(t, prefix + "_h")};
    }
    static bool shown(const Theme& t, int i) {
        return t.count(std::string(kButtons[i]) + "_x") && t.count(std::string(kButtons[i]) + "_y");
    }
    static Rect button(const Theme& t, int i) {
        std::string n = std::to_string(i);
        return {num(t, std::string(kButtons[i]) + "_x"), num(t, std::string(kButtons[i]) + "_y"),
                num(t, "tx" + n + "_w"), num(t, "tx" + n + "_h")};
    }
    std::map<std::string, Theme> skins;
};

TEST_F(ThemeFiles, TheDefaultSkinAndASecondOneShip) {
    ASSERT_TRUE(skins.count("metal_big"));
    EXPECT_GE(skins.size(), 2u);
    const Theme& metal = skins["metal_big"];
    EXPECT_EQ(num(metal, "window_width", 648), 648);
    EXPECT_EQ(num(metal, "window_height", 564), 564);
    EXPECT_EQ(num(metal, "titlebar_height", 25), 25);
}

TEST_F(ThemeFiles, EveryKeyReadWithoutADefaultIsThere) {
    for (const auto& [skin, t] : skins) {
        for (const char* key : kRequired) {
            EXPECT_TRUE(t.count(key)) << skin << ": " << key;
        }
        // Conditional ones: a shadowed style needs the shadow colour, the home areas their size.
        for (const char* s : kStyles) {
            if (t.count(std::string(s) + "_shadow") && t.at(std::string(s) + "_shadow") == "true") {
                EXPECT_TRUE(t.count("text_shadow_color"))
                    << skin << ": " << s << "_shadow without text_shadow_color";
            }
        }
        if (t.count("calhomeleft_x") || t.count("calhomeright_x")) {
            EXPECT_TRUE(t.count("calhome_w")) << skin;
            EXPECT_TRUE(t.count("calhome_h")) << skin;
        }
        for (int i = 0; i < 12; ++i) {
            if (!shown(t, i)) continue;
            for (const char* k : {"_w", "_h", "_ux", "_uy", "_dx", "_dy", "_oy"}) {
                EXPECT_TRUE(t.count("tx" + std::to_string(i) + k)) << skin << ": tx" << i << k;
            }
        }
        // Every button a screen needs is placed (the home button may stay hidden).
        for (int i = 0; i < 11; ++i) {
            EXPECT_TRUE(shown(t, i)) << skin << ": " << kButtons[i] << " has no place";
        }
    }
}

TEST_F(ThemeFiles, ValuesHaveTheirTypes) {
    for (const auto& [skin, t] : skins) {
        for (const auto& [key, value] : t) {
            EXPECT_TRUE(fitsCp1250(value)) << skin << ": " << key;
            auto ends = [&key = key](const char* suffix) {
                std::string s(suffix);
                return key.size() > s.size() &&
                       key.compare(key.size() - s.size(), s.size(), s) == 0;
            };
            const bool flag =
                ends("_bold") || ends("_italic") || ends("_shadow") || key == "desktop";
            const bool number =
                ends("_x") || ends("_y") || ends("_w") || ends("_h") || ends("_size") ||
                ends("_weight") || ends("_color") || ends("_color2") || ends("_su") ||
                ends("_highlight") || ends("_border") || ends("_height") || ends("_width") ||
                key.rfind("window_round", 0) == 0 || key.rfind("cal_long", 0) == 0 ||
                key == "cal_field_maxevents" || key == "transparentcolor" ||
                (key.rfind("cal", 0) == 0 && key.find("Color") != std::string::npos) ||
                key.rfind("calRed", 0) == 0 || key == "calSunday" || key == "calDisabled";
            if (number && !flag) {
                EXPECT_TRUE(isInteger(value)) << skin << ": " << key << " = \"" << value << "\"";
            }
            if (ends("_align")) {
                EXPECT_TRUE(value == "0" || value == "1" || value == "2") << skin << ": " << key;
            }
            if (flag) {
                EXPECT_TRUE(value == "true" || value == "false" ||
                            (key == "today_shadow" && isInteger(value)))
                    << skin << ": " << key << " = " << value;
            }
            if ((ends("_color") || ends("_color2") || key == "transparentcolor") &&
                isInteger(value)) {
                EXPECT_LE(std::stol(value), 0xFFFFFF) << skin << ": " << key;
            }
            if (ends("_font")) {
                EXPECT_TRUE(kInstalledFaces.count(value)) << skin << ": " << key << " = " << value;
            }
        }
        // Every style that is drawn names an installed face.
        for (const char* s : kStyles) {
            if (t.count(std::string(s) + "_x") || t.count(std::string(s) + "_color") ||
                std::string(s) == "today") {
                EXPECT_TRUE(t.count(std::string(s) + "_font"))
                    << skin << ": " << s << " has no face";
            }
        }
    }
}

TEST_F(ThemeFiles, LayoutFitsTheWindow) {
    for (const auto& [skin, t] : skins) {
        const Rect window{0, 0, num(t, "window_width", 648), num(t, "window_height", 564)};
        const Rect picture = rect(t, "picture");
        EXPECT_TRUE(picture.inside(window)) << skin;
        const int fw = num(t, "cal_field_w"), fh = num(t, "cal_field_h");
        const Rect grid{num(t, "cal_fields_x"), num(t, "cal_fields_y"), 7 * fw, 6 * fh};
        EXPECT_TRUE(grid.inside(picture)) << skin << ": the month grid leaves the picture area";
        EXPECT_GT(grid.x - picture.x, 20) << skin << ": no room for the week numbers";
        EXPECT_LT(num(t, "cal_weeknum_x"), grid.x) << skin;
        EXPECT_TRUE(rect(t, "wise").inside(picture)) << skin;
        EXPECT_LE(num(t, "cal_dayevent_x") + num(t, "cal_dayevent_w"), fw) << skin;
        // Buttons on the same screen must not cover each other.
        const std::vector<std::set<int>> screens = {
            {0, 3, 4, 5, 6, 7, 10}, {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11}, {0, 3, 4, 5, 6, 7, 8, 10}};
        for (const auto& screen : screens) {
            for (int a : screen) {
                for (int b : screen) {
                    if (a < b && shown(t, a) && shown(t, b)) {
                        EXPECT_FALSE(button(t, a).overlaps(button(t, b)))
                            << skin << ": " << kButtons[a] << " covers " << kButtons[b];
                    }
                }
            }
        }
        for (int i = 0; i < 12; ++i) {
            if (shown(t, i)) {
                EXPECT_TRUE(button(t, i).inside(window)) << skin << ": " << kButtons[i];
            }
        }
        // Month-only buttons inside the picture area must not sit on the grid.
        for (int i : {1, 2, 9, 11}) {
            if (shown(t, i)) {
                EXPECT_FALSE(button(t, i).overlaps(grid)) << skin << ": " << kButtons[i];
            }
        }
    }
}

TEST_F(ThemeFiles, ButtonLooksDoNotShareSheetCells) {
    for (const auto& [skin, t] : skins) {
        std::vector<std::pair<Rect, std::string>> cells;
        for (int i = 0; i < 12; ++i) {
            std::string n = "tx" + std::to_string(i);
            int w = num(t, n + "_w"), h = num(t, n + "_h");
            EXPECT_GT(w, 0) << skin << ": " << n;
            EXPECT_GT(h, 0) << skin << ": " << n;
            cells.push_back({{num(t, n + "_ux"), num(t, n + "_uy"), w, h}, n + " up"});
            cells.push_back({{num(t, n + "_dx"), num(t, n + "_dy"), w, h}, n + " down"});
            cells.push_back({{num(t, n + "_dx"), num(t, n + "_oy"), w, h}, n + " over"});
        }
        for (size_t a = 0; a < cells.size(); ++a) {
            for (size_t b = a + 1; b < cells.size(); ++b) {
                EXPECT_FALSE(cells[a].first.overlaps(cells[b].first))
                    << skin << ": " << cells[a].second << " and " << cells[b].second;
            }
        }
    }
}

}  // namespace
}  // namespace tv
