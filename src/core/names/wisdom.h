// The wisdom of the day: once a day a saying from "data/hun_wise.dat", drawn at random without
// repetition. The rotation marks (one byte per saying: 0 not yet shown this round, 255 shown)
// are stored in "events.cdb" (EventTable::wisdomMarks()).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class HashTable;
class Log;
class RandomSource;
class DataBlockReader;

inline constexpr std::string_view kWisdomRelativePath = "data/hun_wise.dat";
inline constexpr std::string_view kWisdomOpenError = "Can't open wise database!";
inline constexpr uint8_t kWisdomShown = 255;
// The marks are counted with a signed 16-bit number in "events.cdb"; sayings past this many
// are never chosen.
inline constexpr int32_t kMaxWisdomSlots = 32767;

struct WisdomChoice {
    std::string text;     // the entry as the file holds it: saying, "+", author
    int32_t entry = 0;    // 1-based; 0 when nothing was chosen
    bool opened = false;  // whether the file opened (it may still hold no entries)
};

// Fits the marks to a file of `entries` sayings. A file that grew keeps this round's marks and
// adds free ones; any other change of size starts a new round. Each change is logged.
void fitWisdomSlots(std::vector<uint8_t>& slots, int32_t entries, Log* log);

// Chooses a saying of the open file and marks it shown. A file without entries gives nothing
// and leaves the marks alone.
WisdomChoice chooseWisdom(const DataBlockReader& reader, std::vector<uint8_t>& slots,
                          RandomSource& random, Log* log);
// Opens programDir + "data/hun_wise.dat" and chooses from it; a file that does not open logs
// kWisdomOpenError and gives nothing.
WisdomChoice chooseWisdom(const std::string& programDir, std::vector<uint8_t>& slots,
                          RandomSource& random, Log* log);

struct WisdomParts {
    std::string saying;
    std::string author;  // empty when the entry has no "+"
};
// Splits at the last "+": the saying may hold one, the author's name does not.
WisdomParts splitWisdom(std::string_view text);

// What the wisdom box shows, and whether it is on the screen. Not kept across runs.
struct WisdomState {
    std::string text;
    bool shown = false;
};

// Whether the start-up picks a new saying: not for a reload after a change of skin or for an
// alarm (`reloadOrAlarm`), not on the very first run, only with `Wise` = 1 and only at the
// first appearance of the day.
bool wisdomDueAtStartup(bool reloadOrAlarm, bool firstRun, bool firstAppearanceToday,
                        HashTable& settings);
// The start-up step: chooses, remembers the text in `LastWisdom` (empty when the file is
// missing, which hides the menu item) and shows the box.
void pickStartupWisdom(WisdomState& state, HashTable& settings, const std::string& programDir,
                       std::vector<uint8_t>& slots, RandomSource& random, Log* log);

// The menu offers "main_b_lastwisdom" only with `Wise` = 1 and a remembered saying.
bool lastWisdomOffered(HashTable& settings);
// The menu command: shows the remembered saying again.
void showLastWisdom(WisdomState& state, HashTable& settings);

}  // namespace tv
