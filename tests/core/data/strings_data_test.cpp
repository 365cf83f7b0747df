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

// How many parameters the callers fill where the scan of the sources cannot see it: keys that
// reach formatString through a helper (a refusal, a warning, a table). The text must hold
// $1..$n and nothing else; a key neither here nor found by the scan must hold none.
const std::map<std::string_view, int> kParams = {
    {"com_err_skin", 1},        {"com_err_skincfg", 1},     {"dates_err_months", 1},
    {"dates_err_toolong", 1},   {"ical_err_encoding", 1},   {"ical_err_line", 2},
    {"ical_err_unfinished", 2}, {"ical_issue_alarms", 1},   {"ical_issue_chars", 1},
    {"ical_issue_interval", 1}, {"ical_issue_later", 1},    {"ical_issue_replong", 1},
    {"ical_issue_toolong", 1},  {"ical_rep_duplicates", 1}, {"ical_rep_nearest", 1},
    {"ical_rep_skipped", 1},    {"main_d_forecast1", 2},    {"main_d_forecast2", 2},
    {"main_d_more", 1},         {"main_d_still1", 1},       {"main_d_still2", 1},
    {"main_t_name", 1},         {"main_t_nname", 1},        {"sync_err_nocalendar", 1},
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
        const bool separator =
            c == '\'' && i > 0 && std::isalnum(static_cast<unsigned char>(out[i - 1]));
        if ((c == '"' || c == '\'') && !separator) {
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

struct SourceFile {
    std::string path;  // relative to src/
    std::string text;  // comments blanked out
};

std::vector<SourceFile> sourceFiles(const std::filesystem::path& root) {
    std::vector<SourceFile> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::string bytes;
        if (readWholeFile(entry.path().string(), bytes) != ReadResult::kOk) continue;
        files.push_back({entry.path().lexically_relative(root).string(), withoutComments(bytes)});
    }
    return files;
}

std::vector<CallSite> findCallSites(const std::vector<SourceFile>& files) {
    std::vector<CallSite> sites;
    for (const SourceFile& file : files) {
        const std::string& src = file.text;
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
                CallSite site{file.path, std::string(fn), {}};
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
    const std::vector<CallSite> sites = findCallSites(sourceFiles(kSourceDir + "/src"));
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

TEST_F(StringsData, PlaceholdersMatchWhatTheCallersFill) {
    // What the scan sees: the placeholders each formatString call with a literal key fills.
    std::map<std::string, int> scanned;
    for (const CallSite& site : findCallSites(sourceFiles(kSourceDir + "/src"))) {
        if (site.function != "formatString") continue;
        for (const KeyLiteral& lit : keyLiterals(site.args.front())) {
            if (lit.isStem) continue;
            int filled = 0;
            for (size_t i = 1; i < site.args.size(); ++i) {
                if (!isEmptyArgument(site.args[i])) filled = static_cast<int>(i);
            }
            scanned[lit.text] = std::max(scanned[lit.text], filled);
        }
    }
    for (const auto& [key, n] : kParams) {
        EXPECT_FALSE(scanned.contains(std::string(key)))
            << key << " is found by the scan: it needs no place in the list";
    }
    for (const std::string& key : keys()) {
        const auto listed = kParams.find(key);
        const auto found = scanned.find(key);
        const int n = listed != kParams.end()  ? listed->second
                      : found != scanned.end() ? found->second
                                               : 0;
        const unsigned got = placeholders(text(key));
        EXPECT_EQ(got, expectedPlaceholders(n))
            << key << " holds" << describePlaceholders(got) << " but its caller fills"
            << describePlaceholders(expectedPlaceholders(n));
    }
}

// Keys also travel through tables and helpers (captions of a page, a refusal's message), where
// no call names them. Any literal that begins like a key of the table (its first word and "_")
// must be one, or begin one when the code appends a number or a suffix to it.
TEST_F(StringsData, EveryKeyLikeLiteralInTheCodeExists) {
    const std::vector<std::string> all = keys();
    std::set<std::string> families;
    for (const std::string& key : all)
        families.insert(key.substr(0, key.find('_') + 1));
    size_t checked = 0;
    for (const SourceFile& file : sourceFiles(kSourceDir + "/src")) {
        const std::string& src = file.text;
        for (size_t i = 0; i < src.size(); ++i) {
            const char quote = src[i];
            if (quote != '"' && quote != '\'') continue;
            // A quote after a digit separates digits (1'000); it opens nothing.
            if (quote == '\'' && i > 0 && std::isalnum(static_cast<unsigned char>(src[i - 1])))
                continue;
            size_t end = i + 1;
            while (end < src.size() && src[end] != quote)
                end += src[end] == '\\' ? 2 : 1;
            const std::string lit = src.substr(i + 1, end - i - 1);
            i = end;
            if (quote != '"' || !looksLikeKey(lit)) continue;
            if (!families.contains(lit.substr(0, lit.find('_') + 1))) continue;
            ++checked;
            EXPECT_TRUE(has(lit) || std::any_of(all.begin(), all.end(),
                                                [&](const auto& k) { return k.starts_with(lit); }))
                << file.path << ": \"" << lit << "\" is no key and begins none";
        }
    }
    EXPECT_GT(checked, 300u);  // fewer would mean the scan itself is broken
}

}  // namespace
}  // namespace tv
