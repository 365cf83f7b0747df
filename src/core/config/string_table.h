// The string table: every text the user sees, looked up by key.
#pragma once

#include <string>
#include <string_view>

#include "core/config/hash_table.h"

namespace tv {

class Log;
class MessageBox;

// The caption of a control and its tooltip (empty when the table has no key + "_tt").
struct Caption {
    std::string caption;
    std::string tooltip;
};

class StringTable {
public:
    static constexpr std::string_view kRelativePath = "data/hun_strings.dat";
    static constexpr std::string_view kLoadError = "Hiba a 'hun_strings.dat' beolvasása közben.";

    // Reads programDir + "data/hun_strings.dat". A missing, empty or broken file shows the load
    // error (warning icon) when a box is given; what was read before the failure is kept.
    bool loadStrings(const std::string& programDir, Log* log, MessageBox* box);
    // Reads an explicit file (tests, the CLI's --strings); no message box.
    bool loadFile(const std::string& path, MessageBox* box = nullptr);

    // The text with every "\n" turned into CR LF, or the key itself when it is missing.
    std::string getString(std::string_view key) const;
    // The text (empty when missing) with "\n" turned into CR LF, then "$1".."$4" filled in that
    // order; an empty parameter leaves its placeholder. "$a1".."$a4" ("$A1".."$A4" at the start
    // of a sentence) become the Hungarian article that suits the parameter: "az 1.", "a 2.".
    std::string formatString(std::string_view key, std::string_view p1 = {},
                             std::string_view p2 = {}, std::string_view p3 = {},
                             std::string_view p4 = {}) const;
    Caption captionOf(std::string_view key) const;

    bool has(std::string_view key) const { return table_.exists(key); }
    // The file the texts came from; empty while none was read.
    const std::string& source() const { return source_; }
    HashTable& table() { return table_; }
    const HashTable& table() const { return table_; }

private:
    HashTable table_;
    std::string source_;
};

// For the diagnostics window: the language of the texts in use, from the name of the file they
// came from ("hun" for "hun_strings.dat"), with the file and the number of texts; "none" when no
// file was read.
std::string loadedLanguage(const StringTable& strings);

}  // namespace tv
