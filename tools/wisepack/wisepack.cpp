// wisepack: packs the sayings (UTF-8, one "saying+author" a line) into the data block file the
// calendar reads its wisdom of the day from, in Windows-1250.
//
//   wisepack SOURCE OUTPUT
//
// Blank lines and lines starting with "//" are skipped. Any line the calendar would show wrong
// fails the build with its line number: a character Windows-1250 cannot hold (it would reach the
// user as "?"), broken UTF-8, no "+" or more than one, an empty or blank-padded saying or author,
// a control character, or a saying too long for the box.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/files.h"
#include "core/config/cp1250.h"
#include "core/names/data_block_writer.h"

namespace {

// The box on the main screen holds a few short lines; longer texts get cut there.
constexpr size_t kMaxSayingChars = 160;
constexpr size_t kMaxAuthorChars = 40;
constexpr int kMaxReported = 20;

std::string codePointName(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

// The first character of the line that Windows-1250 cannot hold, named for the message.
std::string firstUnencodable(std::string_view line) {
    size_t pos = 0;
    while (pos < line.size()) {
        size_t start = pos;
        char32_t cp = tv::nextCodePoint(line, pos);
        std::string_view ch = line.substr(start, pos - start);
        if (!tv::fitsCp1250(ch)) return "'" + std::string(ch) + "' (" + codePointName(cp) + ")";
    }
    return {};
}

bool paddedOrEmpty(std::string_view s) {
    return s.empty() || s.front() == ' ' || s.back() == ' ';
}

// Why the line cannot be a wisdom entry, or the empty text when it is fine.
std::string checkLine(std::string_view line) {
    if (!tv::isValidUtf8(line)) return "not valid UTF-8";
    if (!tv::fitsCp1250(line)) {
        return "character " + firstUnencodable(line) + " has no Windows-1250 byte";
    }
    for (char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "control character";
    }
    const size_t plus = line.find('+');
    if (plus == std::string_view::npos) return "no \"+\" between saying and author";
    // The calendar splits at the last "+"; a second one would cut the saying short.
    if (line.find('+', plus + 1) != std::string_view::npos) return "more than one \"+\"";
    const std::string_view saying = line.substr(0, plus);
    const std::string_view author = line.substr(plus + 1);
    if (paddedOrEmpty(saying)) return "saying is empty or has blanks at its ends";
    if (paddedOrEmpty(author)) return "author is empty or has blanks at its ends";
    if (tv::utf8Length(saying) > kMaxSayingChars) {
        return "saying longer than " + std::to_string(kMaxSayingChars) + " characters";
    }
    if (tv::utf8Length(author) > kMaxAuthorChars) {
        return "author longer than " + std::to_string(kMaxAuthorChars) + " characters";
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: wisepack SOURCE OUTPUT\n");
        return 2;
    }
    const std::string source = argv[1];
    const std::string output = argv[2];

    std::string text;
    if (tv::readWholeFile(source, text) != tv::ReadResult::kOk) {
        std::fprintf(stderr, "%s: error: cannot read the file\n", source.c_str());
        return 1;
    }

    std::vector<std::string> entries;
    int errors = 0;
    int lineNo = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.starts_with("//")) continue;

        const std::string problem = checkLine(line);
        if (problem.empty()) {
            entries.emplace_back(line);
        } else if (++errors <= kMaxReported) {
            std::fprintf(stderr, "%s:%d: error: %s\n", source.c_str(), lineNo, problem.c_str());
        }
    }
    if (errors > 0) {
        std::fprintf(stderr, "%s: %d bad line(s); %s not written\n", source.c_str(), errors,
                     output.c_str());
        return 1;
    }
    if (entries.empty()) {
        std::fprintf(stderr, "%s: error: no sayings\n", source.c_str());
        return 1;
    }

    const tv::DataBlockWriteResult result = tv::writeDataBlockFile(output, entries);
    if (!result.ok()) {
        std::fprintf(stderr, "%s: error: cannot write the data block file\n", output.c_str());
        return 1;
    }
    return 0;
}
