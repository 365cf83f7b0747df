// UTF-8 source text -> the Windows-1250 text file the program reads.
//
// Kept header-only so the tests can check the refusals without running the tool.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/cp1250.h"

namespace tv::textconv {

struct Result {
    std::string bytes;                // Windows-1250, lines ending in CR LF
    std::vector<std::string> errors;  // "file:line: ..." one per refused character
    bool ok() const { return errors.empty(); }
};

inline std::string codePointName(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

// Whether the character has a byte of its own in Windows-1250. The five unused bytes of the code
// page decode to C1 controls, which fitsCp1250 accepts for round trips; in a source file they
// are mistakes, so they are refused like any other foreign character.
inline bool writable(char32_t cp, std::string_view utf8) {
    if (cp >= 0x80 && cp < 0xA0) return false;
    return fitsCp1250(utf8);
}

// Converts the whole text. Every refused character is reported with its line; when there is any,
// `bytes` must not be written anywhere.
inline Result convert(std::string_view text, std::string_view fileName) {
    Result r;
    // Editors on some desktops put a byte order mark in front; it is not part of the text.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    r.bytes.reserve(text.size() + text.size() / 16);
    const std::string where = std::string(fileName) + ":";
    int line = 1;
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\r' || c == '\n') {
            // CR LF, a lone LF or a lone CR: one line break, written as CR LF.
            pos += (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
            r.bytes += "\r\n";
            ++line;
            continue;
        }
        const size_t start = pos;
        const char32_t cp = nextCodePoint(text, pos);
        const std::string_view one = text.substr(start, pos - start);
        const auto prefix = [&] { return where + std::to_string(line) + ": "; };
        if (cp == 0xFFFD && pos - start == 1) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "0x%02X", static_cast<unsigned char>(text[start]));
            r.errors.push_back(prefix() + "byte " + buf + " is not valid UTF-8");
        } else if ((cp < 0x20 && cp != '\t') || cp == 0x7F) {
            r.errors.push_back(prefix() + "control character " + codePointName(cp) +
                               " does not belong in a text file");
        } else if (!writable(cp, one)) {
            r.errors.push_back(prefix() + "character " + codePointName(cp) +
                               " cannot be written in Windows-1250");
        } else {
            r.bytes += utf8ToCp1250(one);
        }
    }
    return r;
}

}  // namespace tv::textconv
