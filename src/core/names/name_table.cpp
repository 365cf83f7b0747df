#include "core/names/name_table.h"

#include "core/calc/calendar.h"
#include "core/calc/files.h"
#include "core/config/cp1250.h"
#include "core/config/string_table.h"

namespace tv {

bool readNameFile(const std::string& path, std::string& text) {
    text.clear();
    if (!fileExists(path)) return false;
    std::string bytes;
    if (readWholeFile(normalizePath(path), bytes, kMaxNameFileBytes) != ReadResult::kOk) {
        return false;
    }
    text = decodeTextFile(bytes);
    // A UTF-8 file saved by a Windows editor may start with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    return true;
}

void forEachTextLine(std::string_view text, const std::function<void(std::string_view)>& line) {
    size_t start = 0;
    while (start < text.size()) {
        // A plain scan: find_first_of calls memchr once per character.
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (end == text.size()) {
            line(text.substr(start));
            return;
        }
        line(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

bool NameTable::load(const std::string& programDir) {
    clear();
    std::string text;
    if (!readNameFile(programDir + std::string(kRelativePath), text)) return false;
    loadText(text);
    return true;
}

void NameTable::loadText(std::string_view text) {
    clear();
    loaded_ = true;
    size_t next = 0;
    forEachTextLine(text, [&](std::string_view l) {
        if (next < slots_.size()) slots_[next++] = std::string(l);
    });
}

void NameTable::clear() {
    for (std::string& s : slots_)
        s.clear();
    loaded_ = false;
}

const std::string& NameTable::line(int index) const {
    static const std::string kEmpty;
    if (index < 0 || index >= kDays) return kEmpty;
    return slots_[static_cast<size_t>(index)];
}

std::string namesOfDate(const NameTable& table, int year, int month, int day,
                        const StringTable& strings) {
    const int index = nameTableIndex(year, month, day);
    if (index == kNameTableLeapDay) return strings.getString("main_leapyear");
    if (index == kNameTableInvalid) return {};
    return table.line(index);
}

}  // namespace tv
