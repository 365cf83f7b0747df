#include "core/names/name_search.h"

#include "core/calc/date.h"
#include "core/calc/date_words.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/cp1250.h"
#include "core/config/string_table.h"
#include "core/events/occurrence.h"
#include "core/names/name_table.h"
#include "core/ports/message_box.h"

namespace tv {
namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Upper case for the Latin letters names begin with (ASCII, Latin-1, Latin Extended-A); the
// mirror of the lower-casing the sort keys use.
char32_t upperLatin(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c < 0x100 || c > 0x17E) return c;
    if (c == 0x131 || c == 0x138 || c == 0x149) return c;
    if ((c >= 0x139 && c <= 0x148) || c >= 0x179) return (c & 1) == 0 ? c - 1 : c;
    return (c & 1) != 0 ? c - 1 : c;
}

void setResults(NameSearchState& w, NameSearchResults results, const StringTable& strings) {
    w.resultLines.clear();
    for (const NameDayResult& r : results.days)
        w.resultLines.push_back(nameResultLine(r, strings));
    w.results = std::move(results);
}

void showDescription(NameSearchState& w, int index, const NameFiles& files) {
    w.selectedName = index;
    std::string text;
    if (!readNameFile(files.descriptions, text)) return;
    if (auto d = describeName(text, w.describedNames[static_cast<size_t>(index)])) {
        w.description = std::move(*d);
    }
}

}  // namespace

std::string lowerName(std::string_view name) {
    return foldSortKey(name);
}

std::string nameSearchKey(std::string_view name) {
    return lowerName(foldAccents(trimBlanks(name)));
}

std::string listCaseName(std::string_view name) {
    std::string lower = lowerName(name);
    if (lower.empty()) return lower;
    size_t pos = 0;
    const char32_t first = nextCodePoint(lower, pos);
    const char32_t upper = upperLatin(first);
    if (upper == first) return lower;
    std::string out;
    appendUtf8(out, upper);
    out.append(lower, pos);
    return out;
}

NameSearchResults searchDayTable(const NameTable& table, std::string_view text) {
    NameSearchResults results;
    const std::string key = nameSearchKey(text);
    if (key.empty()) return results;
    const Date first = Date::serial(2001, 1, 1);
    for (int i = 0; i < NameTable::kDays; ++i) {
        std::string_view line = table.line(i);
        std::string_view match;
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            if (nameSearchKey(line) == key) match = line;
        } else {
            std::string_view before = line.substr(0, comma);
            std::string_view after = line.substr(comma + 1);
            if (!after.empty() && after.front() == ' ') after.remove_prefix(1);
            if (nameSearchKey(before) == key) {
                match = before;
            } else if (nameSearchKey(after) == key) {
                match = after;
            }
        }
        if (match.empty()) continue;
        const Ymd ymd = first.addDays(i).ymd();
        results.name = std::string(trimBlanks(match));
        results.days.push_back({results.name, ymd.month, ymd.day, false});
    }
    return results;
}

std::optional<NameListLine> parseNameListLine(std::string_view line) {
    line = trimBlanks(line);
    if (const size_t comment = line.find("//"); comment != std::string_view::npos) {
        line = trimBlanks(line.substr(0, comment));
    }
    if (line.empty()) return std::nullopt;
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank == 0) return std::nullopt;
    return NameListLine{line.substr(0, blank), trimBlanks(line.substr(blank + 1))};
}

std::vector<NameDayResult> nameListDays(std::string_view name, std::string_view days) {
    std::vector<std::string_view> items;
    while (!days.empty()) {
        const size_t comma = days.find(',');
        std::string_view item = trimBlanks(days.substr(0, comma));
        if (!item.empty()) items.push_back(item);
        if (comma == std::string_view::npos) break;
        days.remove_prefix(comma + 1);
    }
    std::vector<NameDayResult> out;
    for (std::string_view item : items) {
        // A lone day is the name's only day, so it is never called the main one.
        const bool main = items.size() > 1 && item.ends_with('*');
        const size_t dot = item.find('.');
        if (dot == std::string_view::npos) continue;
        const std::string_view rest = item.substr(dot + 1);
        const int64_t month = leadingInteger(item.substr(0, dot));
        const int64_t day = leadingInteger(rest.substr(0, rest.find('.')));
        // 2000 is a leap year: 29 February is a real name day.
        if (month < 1 || month > 12 || day < 1 ||
            day > daysInMonth(2000, static_cast<int>(month))) {
            continue;
        }
        out.push_back({std::string(name), static_cast<int>(month), static_cast<int>(day), main});
    }
    return out;
}

NameSearchResults searchNameListText(std::string_view text, std::string_view search) {
    NameSearchResults results;
    const std::string key = nameSearchKey(search);
    if (key.empty()) return results;
    // Folding and lower-casing keep one character for one, so a name of another length cannot
    // match; checking that first spares the folding of nearly every line.
    const size_t keyLength = utf8Length(key);
    forEachTextLine(text, [&](std::string_view raw) {
        const std::optional<NameListLine> line = parseNameListLine(raw);
        if (!line || utf8Length(line->name) != keyLength || nameSearchKey(line->name) != key) {
            return;
        }
        results.name = std::string(line->name);
        for (NameDayResult& r : nameListDays(line->name, line->days))
            results.days.push_back(std::move(r));
    });
    return results;
}

std::vector<std::string> describedNames(std::string_view text) {
    std::vector<std::string> names;
    forEachTextLine(text, [&](std::string_view line) {
        if (line.starts_with('*')) names.push_back(listCaseName(trimBlanks(line.substr(1))));
    });
    return names;
}

std::optional<std::string> describeName(std::string_view text, std::string_view name) {
    const std::string wanted = lowerName(trimBlanks(name));
    std::optional<std::string> out;
    bool open = false;
    forEachTextLine(text, [&](std::string_view line) {
        if (line.starts_with('*')) {
            open = lowerName(trimBlanks(line.substr(1))) == wanted;
            if (open) out = std::string(name) + "\r\n\r\n";
        } else if (open && line.starts_with("- ")) {
            *out += line.substr(2);
            *out += "\r\n";
        }
    });
    return out;
}

int typeAheadIndex(const std::vector<std::string>& names, std::string_view typed) {
    if (typed.empty()) return -1;
    const std::string key = lowerName(foldAccents(typed));
    for (size_t i = 0; i < names.size(); ++i) {
        // Folding and lower-casing keep one character for one, so the prefixes line up.
        if (lowerName(foldAccents(names[i])).starts_with(key)) return static_cast<int>(i);
    }
    return -1;
}

std::string nameResultLine(const NameDayResult& result, const StringTable& strings) {
    const std::string line = monthDayText(result.month, result.day, strings);
    return result.mainDay ? strings.formatString("name_mainday", line) : line;
}

NameDayEventRequest makeNameDayEvent(const NameDayResult& result, const StringTable& strings) {
    return {result.month, result.day, result.name,
            strings.formatString("name_event_title", result.name)};
}

NameFiles nameFilesIn(const std::string& programDir) {
    return {programDir + std::string(NameTable::kRelativePath),
            programDir + std::string(kNameListRelativePath),
            programDir + std::string(kNameDescrRelativePath)};
}

void openNameSearch(NameSearchState& w, const NameFiles& files, const StringTable& strings) {
    w = NameSearchState{};
    w.prompt = strings.getString("name_entername");
    w.searchButton = strings.getString("name_search");
    if (!fileExists(files.dayTable)) {
        w.dayTableEnabled = false;
        w.database = NameDatabase::kNameList;
    }
    if (!fileExists(files.nameList)) {
        w.nameListEnabled = false;
        w.database = NameDatabase::kDayTable;
    }
    if (!w.dayTableEnabled && !w.nameListEnabled) {
        w.searchText = strings.getString("name_nodb");
        w.searchMode = false;
        w.searchButtonEnabled = false;
    }
    std::string text;
    if (!fileExists(files.descriptions) || !readNameFile(files.descriptions, text)) {
        w.descriptionsEnabled = false;
        w.description = strings.formatString("com_err_notfound", kDescrMissingName);
        return;
    }
    w.describedNames = describedNames(text);
}

NameSearchOutcome runNameSearch(NameSearchState& w, const NameTable& table, const NameFiles& files,
                                const StringTable& strings, MessageBox* box) {
    if (!w.searchMode || nameSearchKey(w.searchText).empty()) return NameSearchOutcome::kNothing;
    w.results = {};
    w.resultLines.clear();
    NameSearchResults found;
    if (w.database == NameDatabase::kDayTable) {
        found = searchDayTable(table, w.searchText);
    } else {
        std::string text;
        if (readNameFile(files.nameList, text)) found = searchNameListText(text, w.searchText);
    }
    if (found.days.empty()) {
        if (box != nullptr) {
            box->show({strings.getString("name_noname"), strings.getString("name_searchres"),
                       MessageButtons::kOk, MessageIcon::kInformation});
        }
        return NameSearchOutcome::kNoResult;
    }
    w.prompt = strings.formatString("name_results", found.name);
    setResults(w, std::move(found), strings);
    w.searchMode = false;
    w.resultsVisible = true;
    w.searchButton = strings.getString("name_back");
    return NameSearchOutcome::kResults;
}

void nameSearchBack(NameSearchState& w, const StringTable& strings) {
    w.searchText.clear();
    w.searchMode = true;
    w.resultsVisible = false;
    w.searchButton = std::string(kSearchCaption);
    w.prompt = strings.getString("name_entername");
}

NameSearchOutcome pressSearchButton(NameSearchState& w, const NameTable& table,
                                    const NameFiles& files, const StringTable& strings,
                                    MessageBox* box) {
    if (!w.searchButtonEnabled) return NameSearchOutcome::kNothing;
    if (w.searchMode) return runNameSearch(w, table, files, strings, box);
    nameSearchBack(w, strings);
    return NameSearchOutcome::kNothing;
}

void selectDescribedName(NameSearchState& w, int index, const NameFiles& files) {
    if (index < 0 || static_cast<size_t>(index) >= w.describedNames.size()) return;
    showDescription(w, index, files);
}

void typeAheadDescribed(NameSearchState& w, std::string_view typed, const NameFiles& files) {
    if (!w.descriptionsEnabled) return;
    const int index = typeAheadIndex(w.describedNames, typed);
    if (index >= 0) showDescription(w, index, files);
}

std::optional<NameDayEventRequest> nameDayEventFor(const NameSearchState& w, int line,
                                                   const StringTable& strings) {
    if (!w.resultsVisible || line < 0 || static_cast<size_t>(line) >= w.results.days.size()) {
        return std::nullopt;
    }
    return makeNameDayEvent(w.results.days[static_cast<size_t>(line)], strings);
}

}  // namespace tv
