// The text parts of text_format.h: hex bytes, accent folding, "&" escaping, stored paths,
// leading numbers and the Hungarian article.
#include "core/calc/text_format.h"

#include <array>
#include <cctype>
#include <string>

#include "core/calc/files.h"
#include "core/config/cp1250.h"

namespace tv {
namespace {

// Each letter of the first line folds to the letter at the same place in the second. Every one
// of them lies in U+00C0..U+017F, so the table is indexed by code point from U+00C0.
constexpr std::string_view kAccented =
    "šśťžźąşľżŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţŠŚŤŽŹĄŞĽŻŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢ";
constexpr std::string_view kPlain =
    "sstzzaslzraaaalccceeeeiiddnnooooruuuuytSSTZZASLZRAAAALCCCEEEEIIDDNNOOOORUUUUYT";
constexpr char32_t kFoldFirst = 0xC0;
constexpr char32_t kFoldEnd = 0x180;

struct FoldTable {
    std::array<char, kFoldEnd - kFoldFirst> to{};
    int letters = 0;
};

constexpr FoldTable makeFoldTable() {
    FoldTable t;
    size_t i = 0;
    for (char plain : kPlain) {
        // Two-byte UTF-8 sequences only, which is what this range encodes to.
        const auto b0 = static_cast<unsigned char>(kAccented[i]);
        const auto b1 = static_cast<unsigned char>(kAccented[i + 1]);
        const char32_t cp = (char32_t{b0} & 0x1F) << 6 | (char32_t{b1} & 0x3F);
        t.to[cp - kFoldFirst] = plain;
        i += 2;
        ++t.letters;
    }
    return t;
}

constexpr FoldTable kFold = makeFoldTable();
static_assert(kFold.letters == 78 && kAccented.size() == 2 * 78, "the fold lines must pair up");

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

std::string withoutTrailingSlashes(std::string s) {
    while (!s.empty() && s.back() == '/')
        s.pop_back();
    return s;
}

// "az" for a number in digits: the first word of how it is read starts with a vowel. Only the
// leading group of three digits matters ("5 300" is "ötezer-háromszáz"), and a leading group of
// exactly 1 before further groups is read "ezer", "egymillió", "egymilliárd": all vowels.
bool numberTakesAz(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    const size_t lead = (digits.size() - 1) % 3 + 1;
    int group = 0;
    for (size_t i = 0; i < lead; ++i)
        group = group * 10 + (digits[i] - '0');
    if (digits.size() > 3 && group == 1) return true;
    if (group >= 100) return group / 100 == 5;  // száz, kétszáz, ... ötszáz
    if (group >= 10) return group / 10 == 5;    // tíz, tizen-, húsz, ... ötven
    return group == 1 || group == 5;            // nulla, egy, kettő, ... öt
}

// Vowel letters as they begin words and names here: Hungarian ones and the accented vowels of
// the neighbouring languages. "Y" counts as a consonant ("a York"), as most such names are read.
constexpr std::string_view kVowels =
    "aáàâäãåæeéèêëěęiíìîïoóòôöőõøuúùûüűůAÁÀÂÄÃÅÆEÉÈÊËĚĘIÍÌÎÏOÓÒÔÖŐÕØUÚÙÛÜŰŮ";

bool isVowel(char32_t c) {
    size_t pos = 0;
    while (pos < kVowels.size()) {
        if (nextCodePoint(kVowels, pos) == c) return true;
    }
    return false;
}

// Letters and digits begin the word; marks, quotation marks, brackets and blanks do not.
bool beginsWord(char32_t c) {
    if (c < 0x80) return std::isalnum(static_cast<int>(c)) != 0;
    return c >= 0xC0 && c < 0x250 && c != 0xD7 && c != 0xF7;
}

// A capital letter on its own ("F1", "S") or capitals without a vowel ("XDG", "SMS") are read
// letter by letter; capitals with a vowel are read as a word ("NATO", "MÁV").
bool isSpelled(std::string_view word) {
    size_t n = 0;
    for (; n < word.size() && word[n] >= 'A' && word[n] <= 'Z'; ++n) {
        if (std::string_view("AEIOU").find(word[n]) != std::string_view::npos) return false;
    }
    if (n == 0) return false;
    size_t after = n;
    // A letter beyond the capitals ("Szép", "MÁV") makes it a word.
    return n == word.size() || !beginsWord(nextCodePoint(word, after)) ||
           (word[n] >= '0' && word[n] <= '9');
}

}  // namespace

int hexToByte(std::string_view hex) {
    if (hex.size() == 1) return hexDigit(hex[0]);
    if (hex.size() == 2) return 16 * hexDigit(hex[0]) + hexDigit(hex[1]);
    return 0;
}

std::string byteToHex(int value) {
    constexpr char kDigits[] = "0123456789abcdef";
    const int v = value < 0 ? 0 : (value > 255 ? 255 : value);
    return {kDigits[v >> 4], kDigits[v & 15]};
}

std::string foldAccents(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        const char32_t cp = nextCodePoint(text, pos);
        if (cp >= kFoldFirst && cp < kFoldEnd && kFold.to[cp - kFoldFirst] != 0) {
            out += kFold.to[cp - kFoldFirst];
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out;
}

std::string escapeAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

std::string escapeFirstAmpersand(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 4);
    bool first = true;
    for (char c : text) {
        if (c != '&') {
            out += c;
        } else if (first) {
            out += "&&&";
            first = false;
        } else {
            out += "&&";
        }
    }
    return out;
}

std::string expandAppPath(std::string_view stored, std::string_view programDir) {
    if (!startsWithNoCase(stored, kAppPathMark)) return normalizePath(stored);
    const std::string rest = normalizePath(stored.substr(kAppPathMark.size()));
    std::string dir = normalizePath(programDir);
    if (rest.empty()) return dir;
    const std::string base = withoutTrailingSlashes(dir);
    return rest.front() == '/' ? base + rest : base + '/' + rest;
}

std::string compactAppPath(std::string_view path, std::string_view programDir) {
    const std::string p = normalizePath(path);
    const std::string base = withoutTrailingSlashes(normalizePath(programDir));
    // An empty folder (or "/") would claim every absolute path.
    if (base.empty() || !p.starts_with(base)) return std::string(path);
    if (p.size() == base.size()) return std::string(kAppPathMark) + '/';
    if (p[base.size()] != '/') return std::string(path);
    return std::string(kAppPathMark) + p.substr(base.size());
}

int64_t leadingInteger(std::string_view text) {
    constexpr int64_t kCap = int64_t{1} << 40;  // far beyond any 32-bit value
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v < kCap) v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

int clampInt(std::string_view text, int low, int high) {
    const int64_t v = leadingInteger(text);
    if (v < low) return low;
    if (v > high) return high;
    return static_cast<int>(v);
}

std::string_view hungarianArticle(std::string_view nextWord, bool capital) {
    bool az = false;
    size_t pos = 0;
    while (pos < nextWord.size()) {
        if (nextWord[pos] == '<') {  // a highlight tag is not read aloud
            const size_t close = nextWord.find('>', pos);
            if (close == std::string_view::npos) break;
            pos = close + 1;
            continue;
        }
        const size_t start = pos;
        const char32_t c = nextCodePoint(nextWord, pos);
        if (!beginsWord(c)) continue;
        if (c >= '0' && c <= '9') {
            size_t end = start;
            while (end < nextWord.size() && nextWord[end] >= '0' && nextWord[end] <= '9')
                ++end;
            az = numberTakesAz(nextWord.substr(start, end - start));
        } else if (isSpelled(nextWord.substr(start))) {
            // Read letter by letter: ef, el, em, en, er, es, iksz, ipszilon begin with a vowel.
            az = std::string_view("FLMNRSXY").find(static_cast<char>(c)) != std::string_view::npos;
        } else {
            az = isVowel(c);
        }
        break;
    }
    if (capital) return az ? "Az" : "A";
    return az ? "az" : "a";
}

}  // namespace tv
