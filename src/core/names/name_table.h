// The name-day table "data/hun_names.dat": one line of names per day of a common year, filled
// once at start-up and read by today's text, the month grid and the name search.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tv {

class StringTable;

// The three name files are plain text, Windows-1250 as shipped (UTF-8 is read too). A file
// larger than this is not a name file and is not read.
inline constexpr size_t kMaxNameFileBytes = size_t{16} << 20;

// Reads a name file as UTF-8 text. False when it is missing (fileExists), unreadable or too big.
bool readNameFile(const std::string& path, std::string& text);

// Calls `line` for every line of the text; lines end with CR LF, LF or CR. A last line without
// an end counts; the empty text after a final line end does not.
void forEachTextLine(std::string_view text, const std::function<void(std::string_view)>& line);

class NameTable {
public:
    static constexpr int kDays = 365;
    static constexpr std::string_view kRelativePath = "data/hun_names.dat";

    // Reads programDir + "data/hun_names.dat". A missing file leaves every slot empty and
    // returns false; so does an unreadable one.
    bool load(const std::string& programDir);
    // Slot i takes line i + 1; lines past the 365th are ignored, missing ones stay empty.
    void loadText(std::string_view text);
    void clear();

    // The names of day index 0..364 (0 = 1 January of a common year); empty outside.
    const std::string& line(int index) const;
    // Whether the file was there when it was loaded.
    bool loaded() const { return loaded_; }

private:
    std::array<std::string, kDays> slots_;
    bool loaded_ = false;
};

// The names a date shows by the leap-day rule: the table's line, or the text "main_leapyear" on
// 24 February of a leap year. The empty text for a date that does not exist.
std::string namesOfDate(const NameTable& table, int year, int month, int day,
                        const StringTable& strings);

}  // namespace tv
