// The name search window: on which days a name has its name day, looked up in the
// day table or in the big name list "data/hun_names_mek.dat", and what a name means, from
// "data/hun_names_descr.dat". Names are compared with accents folded and case ignored, so
// "agota" finds "Ágota".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class MessageBox;
class NameTable;
class StringTable;

inline constexpr std::string_view kNameListRelativePath = "data/hun_names_mek.dat";
inline constexpr std::string_view kNameDescrRelativePath = "data/hun_names_descr.dat";
// The back button's caption when it turns into the search button again; it has always been
// this fixed text rather than "name_search".
inline constexpr std::string_view kSearchCaption = "Keresés";
// The file name the missing-description message has always shown.
inline constexpr std::string_view kDescrMissingName = "name_descr.txt";

// Letters lower-cased (accented ones included).
std::string lowerName(std::string_view name);
// What two names are compared by: accents folded, lower case, outer blanks trimmed.
std::string nameSearchKey(std::string_view name);
// How the description list writes a name: the first letter upper-case, the rest lower-case.
std::string listCaseName(std::string_view name);

struct NameDayResult {
    std::string name;  // as the database writes it
    int month = 0;     // 1..12
    int day = 0;       // 1..31
    bool mainDay = false;

    friend bool operator==(const NameDayResult&, const NameDayResult&) = default;
};

struct NameSearchResults {
    std::string name;  // the name the title shows: the last one that matched
    std::vector<NameDayResult> days;
};

// The day table: a line "Ábel, Ádám" matches either name. No day is ever 29 February.
NameSearchResults searchDayTable(const NameTable& table, std::string_view text);

// One entry of the big name list: the name and the text of its days ("3.15., 8.2.*").
struct NameListLine {
    std::string_view name;
    std::string_view days;
};
// Blanks around the line and "//" comments are dropped; an empty line, or one without a blank
// after the name, is no entry.
std::optional<NameListLine> parseNameListLine(std::string_view line);
// The days of an entry, as results for `name`. "*" marks the main day only when the name has
// more than one day; a day that is not a real date (29 February allowed) is left out.
std::vector<NameDayResult> nameListDays(std::string_view name, std::string_view days);
// Every entry of the list text whose name matches.
NameSearchResults searchNameListText(std::string_view text, std::string_view search);

// The names that have a description, in the file's order and written as the list shows them.
std::vector<std::string> describedNames(std::string_view text);
// The description of `name` (compared without regard to case): the name, an empty line, then
// one line per description line, every line ending in CR LF. Nothing when the file has no entry.
std::optional<std::string> describeName(std::string_view text, std::string_view name);
// The first of `names` whose beginning matches the typed text (accents folded, case ignored);
// -1 when none does or nothing was typed.
int typeAheadIndex(const std::vector<std::string>& names, std::string_view typed);

// What the result list shows for one day: "március 15", wrapped in "name_mainday" for a main day.
std::string nameResultLine(const NameDayResult& result, const StringTable& strings);

// A new yearly event for a name day, as the event editor takes it.
struct NameDayEventRequest {
    int month = 0;
    int day = 0;
    std::string name;   // the name itself
    std::string title;  // the event's name: "name_event_title" with the name
};
NameDayEventRequest makeNameDayEvent(const NameDayResult& result, const StringTable& strings);

// ---- The window ----------------------------------------------------------------------------

enum class NameDatabase { kDayTable, kNameList };

struct NameFiles {
    std::string dayTable;      // programDir + "data/hun_names.dat"
    std::string nameList;      // programDir + "data/hun_names_mek.dat"
    std::string descriptions;  // programDir + "data/hun_names_descr.dat"
};
NameFiles nameFilesIn(const std::string& programDir);

// The state of the window's controls.
struct NameSearchState {
    bool dayTableEnabled = true;  // `Option1`
    bool nameListEnabled = true;  // `Option2`
    NameDatabase database = NameDatabase::kDayTable;

    std::string searchText;           // `Tinput2`
    bool searchMode = true;           // `Tinput2` enabled; false while results are shown
    bool searchButtonEnabled = true;  // `ComSearch`
    std::string searchButton;         // `ComSearch` caption
    std::string prompt;               // `lbl1Text`
    bool resultsVisible = false;      // `List2` and `doubleClickLabel`
    NameSearchResults results;
    std::vector<std::string> resultLines;  // `List2`, one per results.days

    bool descriptionsEnabled = true;          // `Tinput1`
    std::vector<std::string> describedNames;  // `List1`
    int selectedName = -1;
    std::string description;  // `descriptionText`
};

// Opening: a missing database disables its option (and searching when both are missing); the
// description list is read.
void openNameSearch(NameSearchState& w, const NameFiles& files, const StringTable& strings);

enum class NameSearchOutcome { kNothing, kNoResult, kResults };
// Search with the text of `Tinput2` (the button or Enter in search mode). kNoResult has shown
// "name_noname" when a box is given. The big list is read from disk at every search.
NameSearchOutcome runNameSearch(NameSearchState& w, const NameTable& table, const NameFiles& files,
                                const StringTable& strings, MessageBox* box);
// Back to search mode (the button in results mode, Backspace or Escape in the result list).
void nameSearchBack(NameSearchState& w, const StringTable& strings);
// `ComSearch`: searches in search mode, goes back in results mode.
NameSearchOutcome pressSearchButton(NameSearchState& w, const NameTable& table,
                                    const NameFiles& files, const StringTable& strings,
                                    MessageBox* box);

// Clicking a name of the description list shows its description.
void selectDescribedName(NameSearchState& w, int index, const NameFiles& files);
// Typing in `Tinput1` selects the first name that begins with the text, and shows it.
void typeAheadDescribed(NameSearchState& w, std::string_view typed, const NameFiles& files);

// Double click or Enter on a result line; nothing for a line that is not there.
std::optional<NameDayEventRequest> nameDayEventFor(const NameSearchState& w, int line,
                                                   const StringTable& strings);

}  // namespace tv
