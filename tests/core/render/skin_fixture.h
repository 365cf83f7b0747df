// A small complete skin in a temporary program folder, loaded onto recording surfaces.
#pragma once

#include <filesystem>
#include <string>

#include "core/config/string_table.h"
#include "core/render/skin.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_surface.h"
#include "support/temp_dir.h"

namespace tv::test {

inline const char* kSmallTheme = R"(window_width = 300
window_height = 200
text_shadow_color = 4210752
overflow_chars = "..."
tx_main_bg = "main.png"
tx_cal_bg = "cal.png"
tx_alarm_bg = "alarm.png"
tx_event_mark = "mark.png"
tx_today = "today.png"
tx_buttons = "buttons.png"
tx_wise_bg = "wise.png"
tx_mask_wise_bg = "wisemask.png"
titletext_size = 9
today_size = 12
today_middle_x = 150
today_middle_y = 40
picture_x = 10
picture_y = 60
picture_w = 280
picture_h = 130
def_mb_size = 12
def_mb_color = 111
def_mb_color2 = 222
def_mu_size = 12
def_mu_color = 333
def_mu_color2 = 444
def_ms_size = 8
def_ms_color = 555
def_ms_color2 = 666
alarm_time_x = 150
alarm_time_y = 70
alarm_time_align = 2
alarm_title_x = 150
alarm_title_y = 110
alarm_title_w = 200
alarm_title_align = 2
alarm_com_x = 20
alarm_com_y = 140
alarm_com_w = 260
cal_month_x = 150
cal_month_y = 60
cal_weekday_x = 10
cal_weekday_y = 75
cal_weeknum_x = 2
cal_weeknum_y = 90
cal_fields_x = 10
cal_fields_y = 90
cal_field_w = 40
cal_field_h = 18
cal_daytext_x = 2
cal_daytext_y = 1
cal_daytext_align = 0
cal_dayevent_x = 2
cal_dayevent_y = 8
cal_dayevent_w = 36
cal_dayevent_align = 0
calRedLetter = 1001
calRedLetter2 = 1002
calSunday = 1003
calForeColor = 1004
calDisabled = 1005
wise_x = 20
wise_y = 120
wise_w = 260
wise_h = 70
wise_wrt_color = 7
wise_wrt_x = 250
wise_wrt_y = 55
wise_wrt_align = 1
wise_say_color = 8
wise_say_x = 130
wise_say_y = 30
wise_say_w = 240
wise_say_align = 2
exitbutton_x = 280
exitbutton_y = 2
tx0_w = 16
tx0_h = 14
tx0_ux = 0
tx0_uy = 0
tx0_dx = 20
tx0_dy = 0
tx0_oy = 30
menualert_x = 200
menualert_y = 2
tx10_w = 16
tx10_h = 14
tx10_ux = 0
tx10_uy = 40
tx10_dx = 20
tx10_dy = 40
tx10_oy = 60
)";

class SkinFixture {
public:
    // Writes themes/<name>/theme.cfg (and its image files) and returns the skin folder.
    std::string writeSkin(const std::string& name, const std::string& theme) {
        const std::string folder = dir.dir() + "themes/" + name + "/";
        std::filesystem::create_directories(folder);
        dir.write("themes/" + name + "/theme.cfg", theme);
        for (const char* img : {"main.png", "cal.png", "alarm.png", "mark.png", "today.png",
                                "buttons.png", "wise.png", "wisemask.png"}) {
            dir.write("themes/" + name + "/" + img, "x");
            loader.images[folder + img] = {300, 200};
        }
        return folder;
    }
    SkinServices services() {
        SkinServices sv;
        sv.factory = &factory;
        sv.images = &loader;
        sv.settings = &settings;
        sv.strings = &strings;
        sv.box = &box;
        sv.programDir = dir.dir();
        return sv;
    }
    bool load(Skin& skin, std::string name) { return setSkin(skin, name, false, services()); }
    static FakeSurface& fake(Surface& s) { return static_cast<FakeSurface&>(s); }

    TempDir dir;
    FakeSurfaceFactory factory;
    FakeImageLoader loader;
    FakeMessageBox box;
    HashTable settings;
    StringTable strings;
};

}  // namespace tv::test
