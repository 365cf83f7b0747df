#include "core/names/wisdom.h"

#include <algorithm>

#include "core/app/log.h"
#include "core/config/settings_keys.h"
#include "core/names/data_block_reader.h"
#include "core/names/random_source.h"

namespace tv {
namespace {

void logLine(Log* log, std::string_view text) {
    if (log != nullptr) log->write(text, 0);
}

}  // namespace

void fitWisdomSlots(std::vector<uint8_t>& slots, int32_t entries, Log* log) {
    const auto n = static_cast<size_t>(std::clamp(entries, int32_t{0}, kMaxWisdomSlots));
    if (!slots.empty() && slots.size() < n) {
        logLine(log, "expand 'slots/wise', new size = " + std::to_string(n));
        slots.resize(n, 0);
    }
    if (slots.size() != n) {
        logLine(log, "resize 'slots/wise', new size = " + std::to_string(n));
        slots.assign(n, 0);
    }
}

WisdomChoice chooseWisdom(const DataBlockReader& reader, std::vector<uint8_t>& slots,
                          RandomSource& random, Log* log) {
    const int32_t entries = reader.entryCount();
    if (entries <= 0) return {{}, 0, reader.isOpen()};
    fitWisdomSlots(slots, entries, log);

    const auto last = static_cast<int32_t>(slots.size()) - 1;
    // The start itself is looked at only by the wrap-around: when every other saying was shown,
    // a new round begins even if the start is still free.
    const int32_t start = random.below(last);
    int32_t i = start;
    do {
        i = i == last ? 0 : i + 1;
    } while (slots[static_cast<size_t>(i)] != 0 && i != start);
    if (i == start) {
        std::fill(slots.begin(), slots.end(), uint8_t{0});
        i = random.below(last);
    }
    slots[static_cast<size_t>(i)] = kWisdomShown;
    return {reader.readEntry(i + 1), i + 1, true};
}

WisdomChoice chooseWisdom(const std::string& programDir, std::vector<uint8_t>& slots,
                          RandomSource& random, Log* log) {
    DataBlockReader reader;
    if (reader.openFile(programDir + std::string(kWisdomRelativePath)) != DataBlockOpen::kOpened) {
        logLine(log, kWisdomOpenError);
        return {};
    }
    WisdomChoice choice = chooseWisdom(reader, slots, random, log);
    reader.closeFile();
    return choice;
}

WisdomParts splitWisdom(std::string_view text) {
    const size_t plus = text.rfind('+');
    if (plus == std::string_view::npos) return {std::string(text), {}};
    return {std::string(text.substr(0, plus)), std::string(text.substr(plus + 1))};
}

bool wisdomDueAtStartup(bool reloadOrAlarm, bool firstRun, bool firstAppearanceToday,
                        HashTable& settings) {
    if (reloadOrAlarm || firstRun) return false;
    return readFlag(settings, settings::Wise) && firstAppearanceToday;
}

void pickStartupWisdom(WisdomState& state, HashTable& settings, const std::string& programDir,
                       std::vector<uint8_t>& slots, RandomSource& random, Log* log) {
    state.text = chooseWisdom(programDir, slots, random, log).text;
    write(settings, settings::LastWisdom, state.text);
    state.shown = true;
}

bool lastWisdomOffered(HashTable& settings) {
    const bool on = readFlag(settings, settings::Wise);
    return on && !read(settings, settings::LastWisdom).empty();
}

void showLastWisdom(WisdomState& state, HashTable& settings) {
    state.text = read(settings, settings::LastWisdom);
    state.shown = true;
}

}  // namespace tv
