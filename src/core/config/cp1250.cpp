#include "core/config/cp1250.h"

#include <array>
#include <cstdint>

namespace tv {
namespace {

// Code points of the bytes 0x80..0xFF; 0 marks the undefined ones.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  //
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

char32_t highByteToCodePoint(unsigned char b) {
    char16_t cp = kHigh[b - 0x80];
    return cp != 0 ? cp : b;  // undefined: the C1 control of the same value
}

int codePointToByte(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    // kHigh turned around, built once: saving a full event table converts ~100,000 accented
    // letters, too many for a scan of kHigh each. Every code point of the page is below U+2200.
    static const std::array<uint8_t, 0x2200> kReverse = [] {
        std::array<uint8_t, 0x2200> r{};
        for (size_t i = 0; i < kHigh.size(); ++i) {
            if (kHigh[i] != 0) r[kHigh[i]] = static_cast<uint8_t>(0x80 + i);
        }
        return r;
    }();
    if (cp < kReverse.size() && kReverse[cp] != 0) return kReverse[cp];
    if (cp >= 0x80 && cp < 0xA0 && kHigh[cp - 0x80] == 0) return static_cast<int>(cp);
    return -1;
}

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t nextCodePoint(std::string_view s, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<size_t>(len) > s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i < len; ++i) {
        unsigned char b = byte(pos + static_cast<size_t>(i));
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += static_cast<size_t>(len);
    return cp;
}

std::string cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            appendUtf8(out, highByteToCodePoint(b));
        }
    }
    return out;
}

std::string utf8ToCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[pos]);
        if (b < 0x80) {
            out += utf8[pos++];
            continue;
        }
        char32_t cp = nextCodePoint(utf8, pos);
        int mapped = cp == 0xFFFD ? -1 : codePointToByte(cp);
        out += mapped < 0 ? '?' : static_cast<char>(mapped);
    }
    return out;
}

bool fitsCp1250(std::string_view utf8) {
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = nextCodePoint(utf8, pos);
        if (cp == 0xFFFD || codePointToByte(cp) < 0) return false;
    }
    return true;
}

bool isValidUtf8(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t before = pos;
        char32_t cp = nextCodePoint(bytes, pos);
        // U+FFFD itself is three bytes; a broken sequence advances by one.
        if (cp == 0xFFFD && pos - before == 1) return false;
    }
    return true;
}

std::string decodeTextFile(std::string_view bytes) {
    return isValidUtf8(bytes) ? std::string(bytes) : cp1250ToUtf8(bytes);
}

size_t utf8Length(std::string_view utf8) {
    size_t n = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        nextCodePoint(utf8, pos);
        ++n;
    }
    return n;
}

}  // namespace tv
