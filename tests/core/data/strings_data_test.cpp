// The Hungarian string table as it ships: every key the program asks for exists, every text holds
// exactly the placeholders its caller fills, and every text survives the trip to Windows-1250.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/files.h"
#include "core/config/cp1250.h"
#include "core/config/string_table.h"

namespace tv {
namespace {

const std::string kSourceDir = TV_TEST_SOURCE_DIR;

// Every key the program looks up by its full name.
// clang-format off
constexpr std::string_view kKeys[] = {
    "about_btn_help", "about_btn_homepage", "about_check_version", "about_err_connect",
    "about_err_invalid", "about_msg_up2date", "about_new_version", "about_version",
    "clr_frame", "clr_title", "months_err01", "months_text",
    "com_cancel", "com_close", "com_err_critical", "com_err_dbsave", "com_err_notfound",
    "com_err_reg", "com_err_skin", "com_err_skin2", "com_err_skincfg", "com_error", "com_ok",
    "com_title",
    "dater_err_alert_h", "dater_err_alert_m", "dates_alarm_on", "dates_alert_off", "dates_b_cancel",
    "dates_b_del", "dates_b_edit", "dates_b_months", "dates_b_new", "dates_b_save",
    "dates_bgdelpath", "dates_bgnewpath", "dates_birthday", "dates_cerem_active",
    "dates_db_ceremonies", "dates_db_dates", "dates_db_dates2", "dates_dbempty",
    "dates_err_12months", "dates_err_bgmissing", "dates_err_empty", "dates_err_empty2",
    "dates_err_exists", "dates_err_forecast", "dates_err_leap1", "dates_err_leap2",
    "dates_err_months", "dates_err_noday1", "dates_err_noday2", "dates_err_passed",
    "dates_err_sameday", "dates_err_yearlimit", "dates_err_yearlimit2", "dates_filter_anni",
    "dates_filter_disabled", "dates_forecast", "dates_lbl_alarm", "dates_lbl_bg",
    "dates_lbl_bg_miss", "dates_lbl_comment", "dates_lbl_date_c", "dates_lbl_date_e",
    "dates_lbl_forecast", "dates_lbl_forecast2", "dates_lbl_long", "dates_lbl_long2",
    "dates_lbl_long3", "dates_lbl_name_c", "dates_lbl_name_e", "dates_lbl_repeat",
    "dates_list_day_m1", "dates_list_day_m2", "dates_list_day_p1", "dates_list_day_p2",
    "dates_list_error", "dates_list_filter", "dates_list_future", "dates_list_past",
    "dates_list_today", "dates_months_selall", "dates_nowork", "dates_q_cancel", "dates_q_delete",
    "dates_repeat_month", "dates_repeat_months", "dates_repeat_once", "dates_repeat_year",
    "dates_search", "dates_selectbg", "dates_sort_date", "dates_sort_name", "dates_uniqueinfo",
    "dates_unnamedevent", "dates_b_import", "dates_b_export",
    // The sync page, its report and the tray's line.
    "sets_fr_sync", "sync_intro", "sync_lbl_url", "sync_lbl_url_tt", "sync_lbl_user", "sync_lbl_password", "sync_lbl_password_tt", "sync_lbl_calendar", "sync_lbl_calendar_tt", "sync_lbl_interval", "sync_lbl_interval_tt", "sync_b_now", "sync_b_now_tt", "sync_b_conflicts", "sync_b_conflicts_tt", "sync_lbl_last", "sync_report_title", "sync_q_password", "sync_no_keyring", "sync_err_setup", "sync_err_address", "sync_err_nocalendar", "sync_err_network", "sync_err_server", "sync_err_store", "sync_err_cancelled", "sync_q_empty", "sync_q_deletes", "sync_rep_here", "sync_rep_there", "sync_rep_hidden", "sync_rep_reason", "sync_rep_conflicts", "sync_why_unreadable", "sync_why_nouid", "sync_why_rule", "sync_why_date", "sync_why_holiday", "sync_status_never", "sync_status_ok", "sync_status_failed", "sync_result_ok", "sync_result_network", "sync_result_server", "sync_result_store", "sync_result_cancelled", "sync_result_confirm_empty", "sync_result_confirm_deletes", "sync_conflicts_title", "sync_conflicts_none", "sync_b_restore", "sync_b_restore_tt",
    "ical_dup_exists", "ical_dup_holiday", "ical_err_encoding", "ical_err_full", "ical_err_line",
    "ical_err_notcalendar", "ical_err_read", "ical_err_save", "ical_err_unfinished",
    "ical_err_write", "ical_export_done", "ical_export_title", "ical_filter", "ical_import_title",
    "ical_issue_alarms", "ical_issue_alarmtime", "ical_issue_chars", "ical_issue_exceptions",
    "ical_issue_extradates", "ical_issue_frequency", "ical_issue_interval", "ical_issue_later",
    "ical_issue_length", "ical_issue_monthend", "ical_issue_noname", "ical_issue_nostart",
    "ical_issue_notevent", "ical_issue_replong", "ical_issue_ruleend", "ical_issue_ruleform",
    "ical_issue_toolong", "ical_issue_weekday", "ical_q_holidays", "ical_q_nearest",
    "ical_rep_duplicates", "ical_rep_dryrun", "ical_rep_entry", "ical_rep_errors",
    "ical_rep_imported", "ical_rep_nearest", "ical_rep_skipped", "ical_report_title",
    "err_db_version", "err_db_version_nocopy", "err_pic_damaged", "err_pic_miss",
    "err_pic_noimages",
    "main_b_about", "main_b_alarm", "main_b_alert", "main_b_cal_next", "main_b_cal_prev",
    "main_b_calendar", "main_b_calendar2", "main_b_dates", "main_b_home", "main_b_lastwisdom",
    "main_b_names", "main_b_names2", "main_b_nextmonth", "main_b_nextyear", "main_b_prevmonth",
    "main_b_prevyear", "main_b_repnextonly", "main_b_sets", "main_b_show_rep", "main_b_show_still",
    "main_b_swnames", "main_d_a_tomorrow1", "main_d_a_tomorrow2", "main_d_and", "main_d_day",
    "main_d_forecast", "main_d_still1", "main_d_still2", "main_d_tomorrow1", "main_d_tomorrow2",
    "main_d_wd", "main_d_week", "main_err_systime", "main_event_cant", "main_event_del",
    "main_event_more", "main_event_new", "main_leapyear", "main_t_date", "main_t_day",
    "main_t_dwmix", "main_t_name", "main_t_nameleak", "main_t_nname", "main_t_nnameleak",
    "main_t_now", "main_t_week", "main_title", "main_title_noskin", "main_welcome",
    "main_welcome_t",
    "missed_text", "missed_title",
    "name_back", "name_database", "name_db_a", "name_db_b", "name_entername", "name_event_title",
    "name_mainday", "name_nodb", "name_noname", "name_res_instruct", "name_results", "name_search",
    "name_searchres", "name_tab_days", "name_tab_explain",
    "sets_alarm_custom", "sets_alarm_enabled", "sets_alarm_frsound", "sets_alarm_info",
    "sets_alarm_len", "sets_alarm_length", "sets_alarm_lstcust", "sets_alarm_repeat",
    "sets_alarm_sndset1", "sets_alarm_sndset2", "sets_alarm_sound", "sets_alarm_top", "sets_align0",
    "sets_align1", "sets_align2", "sets_autostart", "sets_autostart1", "sets_autostart2",
    "sets_autostart2_inf", "sets_autostart_mode", "sets_bg_rep", "sets_bg_replace",
    "sets_bk_b_restore", "sets_bk_days_ago", "sets_bk_dayweek_ago", "sets_bk_err_sysdir",
    "sets_bk_filename", "sets_bk_invalidfile", "sets_bk_lasttime", "sets_bk_newdir",
    "sets_bk_nodir", "sets_bk_q_restore", "sets_bk_q_restore2", "sets_bk_qoverwrite",
    "sets_bk_restore", "sets_bk_restoredone", "sets_bk_save", "sets_bk_today", "sets_bk_weeks_ago",
    "sets_bk_wrongver", "sets_bk_yesterday1", "sets_bk_yesterday2", "sets_bksave_done",
    "sets_bksave_failed", "sets_cforecast", "sets_cforecast_day", "sets_dayleft", "sets_dayleft_a",
    "sets_dayleft_b", "sets_err_nopreview", "sets_event_align1", "sets_event_align2",
    "sets_filter_backup", "sets_filter_snd", "sets_fontreset", "sets_fr_alarm", "sets_fr_align",
    "sets_fr_appear", "sets_fr_backup", "sets_fr_bg", "sets_fr_disp", "sets_fr_program",
    "sets_fr_text", "sets_lbl_align1", "sets_lbl_align2", "sets_newsrcdir", "sets_nobackup",
    "sets_noskin", "sets_obg_orig", "sets_obg_user", "sets_openbackup", "sets_opensound",
    "sets_q_skinactivate", "sets_sample_mb", "sets_sample_ms", "sets_sample_ms2", "sets_sample_mu",
    "sets_savepast", "sets_saveto", "sets_selectsavedir", "sets_shadow", "sets_skin_activate",
    "sets_skin_author", "sets_skin_select", "sets_startpage", "sets_startpage1", "sets_startpage2",
    "sets_startpage3", "sets_systemclock", "sets_today", "sets_today_day", "sets_today_highlight",
    "sets_today_name", "sets_today_nextname", "sets_today_week", "sets_transp", "sets_trayicon",
    "sets_trayoneclick", "sets_tx_color1", "sets_tx_color2", "sets_tx_def", "sets_tx_font",
    "sets_tx_reset", "sets_tx_user", "sets_ubg_fitmode", "sets_ubg_newsrc", "sets_ubg_source",
    "sets_ubg_subdir", "sets_ubg_writename", "sets_wincenter", "sets_wise", "st_autostart",
    "st_exit", "st_q_exit",
    "time_spent_d", "time_spent_invalid", "time_spent_m", "time_spent_md", "time_spent_no",
    "time_spent_today", "time_spent_y", "time_spent_yd", "time_spent_ym", "time_spent_ymd",
    "updt_btn_dwnload", "updt_btn_later", "updt_msg", "updt_remlist", "updt_title",
};
// clang-format on

// Keys the program builds from a stem and a number: stem, first and last number. A member
// beyond the range would be an entry no list shows; a missing one an empty list entry.
struct Family {
    std::string_view stem;
    int first;
    int last;
};
constexpr Family kFamilies[] = {
    {"main_days_", 0, 6},       {"main_month_", 0, 11},      {"main_month_short_", 0, 11},
    {"dates_dbfilter_", 0, 11}, {"dates_filter_anni", 0, 2}, {"sets_filter_pic", 1, 5},
    {"sets_alarm_len", 1, 8},   {"sets_bg_rep", 1, 9},       {"sets_shadow", 1, 3},
    {"updt_remlist", 1, 7},     {"main_d_forecast", 1, 2},
};

// How many parameters each caller fills: the text must hold $1..$n and nothing else. Every key
// not listed here is shown as it is and must hold no placeholder at all.
const std::map<std::string_view, int> kParams = {
    {"sync_q_password", 1},     {"sync_err_nocalendar", 1}, {"sync_err_network", 1},
    {"sync_err_server", 1},     {"sync_err_store", 1},      {"sync_q_deletes", 1},
    {"sync_rep_here", 3},       {"sync_rep_there", 3},      {"sync_rep_hidden", 1},
    {"sync_rep_reason", 2},     {"sync_rep_conflicts", 1},  {"sync_status_ok", 1},
    {"sync_status_failed", 2},  {"about_version", 1},       {"com_err_dbsave", 1},
    {"com_err_notfound", 1},    {"com_err_skin", 1},        {"com_err_skincfg", 1},
    {"dates_err_months", 1},    {"dates_lbl_long3", 1},     {"dates_list_future", 1},
    {"dates_list_past", 1},     {"dates_q_delete", 1},      {"err_db_version", 1},
    {"err_pic_damaged", 1},     {"main_d_day", 1},          {"main_d_forecast1", 2},
    {"main_d_forecast2", 2},    {"main_d_still1", 1},       {"main_d_still2", 1},
    {"main_d_wd", 2},           {"main_d_week", 1},         {"main_event_del", 1},
    {"main_event_more", 1},     {"main_event_new", 1},      {"main_t_date", 3},
    {"main_t_day", 1},          {"main_t_dwmix", 2},        {"main_t_name", 1},
    {"main_t_nname", 1},        {"main_t_week", 1},         {"main_title", 1},
    {"name_event_title", 1},    {"name_mainday", 1},        {"name_results", 1},
    {"sets_bk_dayweek_ago", 2}, {"sets_bk_days_ago", 1},    {"sets_bk_lasttime", 2},
    {"sets_bk_q_restore", 1},   {"sets_bk_q_restore2", 3},  {"sets_bk_weeks_ago", 1},
    {"st_autostart", 2},        {"time_spent_d", 1},        {"time_spent_m", 1},
    {"time_spent_md", 2},       {"time_spent_y", 1},        {"time_spent_yd", 2},
    {"time_spent_ym", 2},       {"time_spent_ymd", 3},      {"ical_q_nearest", 1},
    {"ical_export_done", 2},    {"ical_err_write", 1},      {"ical_err_read", 1},
    {"ical_rep_imported", 1},   {"ical_rep_dryrun", 1},     {"ical_rep_nearest", 1},
    {"ical_rep_duplicates", 1}, {"ical_rep_skipped", 1},    {"ical_rep_entry", 3},
    {"ical_err_line", 2},       {"ical_err_encoding", 1},   {"ical_err_unfinished", 2},
    {"ical_err_full", 1},       {"ical_issue_interval", 1}, {"ical_issue_replong", 1},
    {"ical_issue_later", 1},    {"ical_issue_alarms", 1},   {"ical_issue_chars", 1},
    {"ical_issue_toolong", 1},
};

// The pieces of today's sentence and the highlight tags each must carry.
const std::map<std::string_view, std::vector<std::string_view>> kTodayTags = {
    {"main_t_date", {}},     {"main_t_dwmix", {"md", "mw"}}, {"main_t_day", {"md"}},
    {"main_t_week", {"mw"}}, {"main_t_name", {"mn"}},        {"main_t_nameleak", {}},
    {"main_t_now", {}},      {"main_t_nname", {"mnn"}},      {"main_t_nnameleak", {}},
};

class StringsData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        table = new StringTable;
        loaded = table->loadFile(kSourceDir + "/data/hun_strings.dat");
    }
    static void TearDownTestSuite() {
        delete table;
        table = nullptr;
    }

    static const HashTable& raw() { return table->table(); }
    static bool has(std::string_view key) { return table->has(key); }
    static std::string text(std::string_view key) { return raw().item(key); }

    static std::vector<std::string> keys() {
        std::vector<std::string> out;
        for (int32_t i = 1; i <= raw().count(); ++i)
            out.push_back(raw().keyByIndex(i));
        return out;
    }

    static StringTable* table;
    static bool loaded;
};
StringTable* StringsData::table = nullptr;
bool StringsData::loaded = false;

// Which of $1..$4 a text holds, as bits 1..4; bit 0 stands for any other "$" use. The article
// of a placeholder ("$a2", "$A2") needs that placeholder filled just as "$2" does.
unsigned placeholders(std::string_view s) {
    unsigned found = 0;
    for (size_t i = s.find('$'); i != std::string_view::npos; i = s.find('$', i + 1)) {
        size_t at = i + 1;
        if (at < s.size() && (s[at] == 'a' || s[at] == 'A')) ++at;
        const char d = at < s.size() ? s[at] : '\0';
        found |= (d >= '1' && d <= '4') ? 1u << (d - '0') : 1u;
    }
    return found;
}

unsigned expectedPlaceholders(int n) {
    unsigned bits = 0;
    for (int i = 1; i <= n; ++i)
        bits |= 1u << i;
    return bits;
}

std::string describePlaceholders(unsigned bits) {
    std::string out;
    for (int i = 1; i <= 4; ++i) {
        if ((bits & (1u << i)) != 0) out += " $" + std::to_string(i);
    }
    if ((bits & 1u) != 0) out += " (a stray $)";
    return out.empty() ? " none" : out;
}

TEST_F(StringsData, FileReadsToTheEndWithoutDuplicates) {
    // The reader stops at the first duplicate key, so a false here hides every key after it.
    ASSERT_TRUE(loaded) << "data/hun_strings.dat could not be read to the end";
    EXPECT_GT(raw().count(), 400);
}

TEST_F(StringsData, EveryKeyTheProgramNamesExists) {
    for (std::string_view key : kKeys)
        EXPECT_TRUE(has(key)) << key;
    for (const auto& [key, n] : kParams)
        EXPECT_TRUE(has(key)) << key;
}

TEST_F(StringsData, NumberedFamiliesAreCompleteAndDistinct) {
    for (const Family& f : kFamilies) {
        std::set<std::string> texts;
        for (int i = f.first; i <= f.last; ++i) {
            const std::string key = std::string(f.stem) + std::to_string(i);
            EXPECT_TRUE(has(key)) << key;
            EXPECT_TRUE(texts.insert(text(key)).second) << key << " repeats an earlier entry";
        }
        // No member outside the range: "stem" + digits only, so "main_month_short_0" is not
        // counted as a member of "main_month_".
        for (const std::string& key : keys()) {
            if (!key.starts_with(f.stem) || key.size() == f.stem.size()) continue;
            const std::string rest = key.substr(f.stem.size());
            if (!std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            const int n = std::stoi(rest);
            EXPECT_TRUE(n >= f.first && n <= f.last) << key << " lies outside its family";
        }
    }
}

TEST_F(StringsData, PlaceholdersMatchWhatTheCallersFill) {
    for (const std::string& key : keys()) {
        const auto it = kParams.find(key);
        const int n = it == kParams.end() ? 0 : it->second;
        const unsigned got = placeholders(text(key));
        EXPECT_EQ(got, expectedPlaceholders(n))
            << key << " holds" << describePlaceholders(got) << " but its caller fills"
            << describePlaceholders(expectedPlaceholders(n));
    }
}

TEST_F(StringsData, EveryTextFitsWindows1250) {
    for (const std::string& key : keys()) {
        const std::string value = text(key);
        EXPECT_TRUE(fitsCp1250(value)) << key << ": " << value;
        // The five unused bytes of the code page only decode to C1 controls; none belongs here.
        size_t pos = 0;
        while (pos < value.size()) {
            const char32_t cp = nextCodePoint(value, pos);
            EXPECT_FALSE(cp >= 0x80 && cp < 0xA0) << key << " holds a C1 control";
            EXPECT_FALSE(cp < 0x20) << key << " holds a control character";
        }
        EXPECT_TRUE(std::all_of(
            key.begin(), key.end(),
            [](char c) { return (c >= 'a' && c <= 'z') || c == '_' || (c >= '0' && c <= '9'); }))
            << "key " << key << " is not lower-case ASCII";
    }
}

TEST_F(StringsData, TextsAreTidy) {
    for (const std::string& key : keys()) {
        const std::string value = text(key);
        EXPECT_FALSE(value.empty()) << key;
        EXPECT_EQ(value.find("  "), std::string::npos) << key << " has a doubled blank";
        EXPECT_FALSE(value.starts_with("\\n") || value.ends_with("\\n"))
            << key << " starts or ends with a line break";
        // "|" is a break mark of today's sentence only; anywhere else it would be drawn.
        if (!kTodayTags.contains(key)) {
            EXPECT_EQ(value.find('|'), std::string::npos) << key;
            EXPECT_EQ(value.find('<'), std::string::npos) << key << " holds a tag";
        }
        if (key.ends_with("_tt")) {
            EXPECT_TRUE(has(key.substr(0, key.size() - 3))) << key << " is a tooltip of nothing";
        }
    }
}

// Today's sentence is glued from up to four pieces; each combination must read as one clean
// Hungarian sentence, and the highlight tags must sit where the settings expect them.
TEST_F(StringsData, TodaySentenceReadsWellInEveryCombination) {
    for (const auto& [key, tags] : kTodayTags) {
        const std::string value = text(key);
        for (std::string_view tag : {"md", "mw", "mn", "mnn"}) {
            const std::string open = "<" + std::string(tag) + ">";
            const std::string close = "</" + std::string(tag) + ">";
            const bool wanted = std::find(tags.begin(), tags.end(), tag) != tags.end();
            const size_t o = value.find(open);
            const size_t c = value.find(close);
            EXPECT_EQ(o != std::string::npos, wanted) << key << " and " << open;
            EXPECT_EQ(c != std::string::npos, wanted) << key << " and " << close;
            if (wanted && o != std::string::npos && c != std::string::npos) {
                EXPECT_LT(o, c) << key;
                EXPECT_EQ(value.find(open, o + 1), std::string::npos) << key;
            }
        }
    }

    const auto plain = [](std::string s) {
        for (std::string_view tag :
             {"<md>", "</md>", "<mw>", "</mw>", "<mnn>", "</mnn>", "<mn>", "</mn>"}) {
            for (size_t p = s.find(tag); p != std::string::npos; p = s.find(tag))
                s.erase(p, tag.size());
        }
        std::replace(s.begin(), s.end(), '|', ' ');
        return s;
    };
    const std::string date = table->formatString("main_t_date", "május", "1", "csütörtök");
    const std::string dayWeek[] = {"", table->formatString("main_t_day", "121"),
                                   table->formatString("main_t_week", "18"),
                                   table->formatString("main_t_dwmix", "121", "18")};
    const std::string today[] = {table->formatString("main_t_name", "Fülöp, Jakab"),
                                 table->getString("main_t_nameleak"),
                                 table->getString("main_t_now")};
    const std::string tomorrow[] = {"", table->formatString("main_t_nname", "Zsigmond"),
                                    table->getString("main_t_nnameleak")};
    for (const std::string& dw : dayWeek) {
        for (const std::string& t : today) {
            for (const std::string& n : tomorrow) {
                const std::string s = plain(date + dw + t + n + ".");
                EXPECT_EQ(s.find("  "), std::string::npos) << s;
                EXPECT_EQ(s.find(" ,"), std::string::npos) << s;
                EXPECT_EQ(s.find(",."), std::string::npos) << s;
                EXPECT_EQ(s.find(" ."), std::string::npos) << s;
                EXPECT_EQ(s.find(",."), std::string::npos) << s;
                EXPECT_EQ(s.find(" ."), std::string::npos) << s;
                EXPECT_EQ(s.find("$"), std::string::npos) << s;
                EXPECT_FALSE(s.starts_with(" ")) << s;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Keys written into the code: every string literal handed to getString, formatString or
// captionOf anywhere under src/ must name a key (or, followed by "+", begin one).

struct CallSite {
    std::string file;
    std::string function;
    std::vector<std::string> args;  // the raw text of each argument
};

// The source with comments blanked out; string and character literals are kept as they are.
std::string withoutComments(std::string_view src) {
    std::string out(src);
    size_t i = 0;
    while (i < out.size()) {
        const char c = out[i];
        if (c == '"' || c == '\'') {
            for (++i; i < out.size() && out[i] != c; ++i) {
                if (out[i] == '\\') ++i;
            }
            ++i;
        } else if (out.compare(i, 2, "//") == 0) {
            while (i < out.size() && out[i] != '\n')
                out[i++] = ' ';
        } else if (out.compare(i, 2, "/*") == 0) {
            const size_t end = out.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? out.size() : end + 2;
            for (; i < stop; ++i) {
                if (out[i] != '\n') out[i] = ' ';
            }
        } else {
            ++i;
        }
    }
    return out;
}

// Splits the argument list that begins after the "(" at `open`; false when it never closes.
bool splitArguments(std::string_view src, size_t open, std::vector<std::string>& args) {
    int depth = 0;
    std::string current;
    for (size_t i = open + 1; i < src.size(); ++i) {
        const char c = src[i];
        if (c == '"' || c == '\'') {
            const size_t start = i;
            for (++i; i < src.size() && src[i] != c; ++i) {
                if (src[i] == '\\') ++i;
            }
            current.append(src.substr(start, i - start + 1));
            continue;
        }
        if (c == '(' || c == '[' || c == '{') ++depth;
        if ((c == ')' || c == ']' || c == '}') && depth-- == 0) {
            if (!current.empty() || !args.empty()) args.push_back(current);
            return true;
        }
        if (c == ',' && depth == 0) {
            args.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    return false;
}

std::vector<CallSite> findCallSites(const std::filesystem::path& root) {
    std::vector<CallSite> sites;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::string bytes;
        if (readWholeFile(entry.path().string(), bytes) != ReadResult::kOk) continue;
        const std::string src = withoutComments(bytes);
        for (std::string_view fn : {"formatString", "getString", "captionOf", "setCaption"}) {
            for (size_t p = src.find(fn); p != std::string::npos; p = src.find(fn, p + 1)) {
                const size_t end = p + fn.size();
                // Whole identifiers only: "getString" must not match inside "formatString".
                const auto ident = [](char c) {
                    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                };
                if ((p > 0 && ident(src[p - 1])) || (end < src.size() && ident(src[end]))) continue;
                size_t open = end;
                while (open < src.size() && std::isspace(static_cast<unsigned char>(src[open])))
                    ++open;
                if (open >= src.size() || src[open] != '(') continue;
                CallSite site{entry.path().lexically_relative(root).string(), std::string(fn), {}};
                if (splitArguments(src, open, site.args) && !site.args.empty())
                    sites.push_back(std::move(site));
            }
        }
    }
    return sites;
}

bool looksLikeKey(std::string_view s) {
    return !s.empty() && s.front() >= 'a' && s.front() <= 'z' &&
           s.find('_') != std::string_view::npos && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
           });
}

struct KeyLiteral {
    std::string text;
    bool isStem = false;  // followed by "+": the start of a key built at run time
};

std::vector<KeyLiteral> keyLiterals(std::string_view arg) {
    std::vector<KeyLiteral> out;
    for (size_t q = arg.find('"'); q != std::string_view::npos;) {
        const size_t close = arg.find('"', q + 1);
        if (close == std::string_view::npos) break;
        const std::string_view lit = arg.substr(q + 1, close - q - 1);
        size_t after = close + 1;
        while (after < arg.size() &&
               (std::isspace(static_cast<unsigned char>(arg[after])) || arg[after] == ')'))
            ++after;
        if (looksLikeKey(lit)) {
            out.push_back({std::string(lit), after < arg.size() && arg[after] == '+'});
        }
        q = arg.find('"', close + 1);
    }
    return out;
}

bool isEmptyArgument(std::string_view arg) {
    while (!arg.empty() && std::isspace(static_cast<unsigned char>(arg.front())))
        arg.remove_prefix(1);
    while (!arg.empty() && std::isspace(static_cast<unsigned char>(arg.back())))
        arg.remove_suffix(1);
    return arg.empty() || arg == "{}" || arg == "\"\"";
}

TEST_F(StringsData, EveryKeyWrittenInTheCodeExists) {
    const std::vector<CallSite> sites = findCallSites(kSourceDir + "/src");
    // The calendar arithmetic already asks for day and month names; finding nothing would mean
    // the scan itself is broken.
    ASSERT_FALSE(sites.empty());
    const std::vector<std::string> all = keys();
    size_t checked = 0;
    for (const CallSite& site : sites) {
        // captionOf(key) in the core, setCaption(control, strings, key) in the windows.
        const std::string& keyArg =
            site.function == "setCaption" ? site.args.back() : site.args.front();
        for (const KeyLiteral& lit : keyLiterals(keyArg)) {
            ++checked;
            const std::string where = site.file + ": " + site.function + "(\"" + lit.text + "\"";
            if (lit.isStem) {
                EXPECT_TRUE(
                    std::any_of(all.begin(), all.end(),
                                [&](const std::string& k) { return k.starts_with(lit.text); }))
                    << where << " + ...): no key begins with it";
                continue;
            }
            if (!has(lit.text)) {
                ADD_FAILURE() << where << "): no such key";
                continue;
            }
            if (site.function == "formatString") {
                int filled = 0;
                for (size_t i = 1; i < site.args.size(); ++i) {
                    if (!isEmptyArgument(site.args[i])) filled = static_cast<int>(i);
                }
                EXPECT_EQ(placeholders(text(lit.text)), expectedPlaceholders(filled))
                    << where << ", ...) fills " << filled << " placeholders";
            } else if (site.function == "getString") {
                EXPECT_EQ(placeholders(text(lit.text)), 0u)
                    << where << "): the text has placeholders nobody fills";
            }
        }
    }
    EXPECT_GT(checked, 0u);
}

}  // namespace
}  // namespace tv
