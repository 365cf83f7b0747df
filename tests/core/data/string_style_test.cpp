// How the Hungarian texts read: the article agrees with the word after it (and is left to the
// program before a placeholder), the program never speaks in the first person, and the words
// the glossary turned down appear neither in the string table nor on the help page.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/cp1250.h"
#include "core/config/string_table.h"

namespace tv {
namespace {

const std::string kSourceDir = TV_TEST_SOURCE_DIR;

using Faults = std::vector<std::string>;

bool isLetter(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return c >= 0xC0 && c < 0x250 && c != 0xD7 && c != 0xF7;
}

// Lower case for the letters the texts use: ASCII and the Hungarian capitals.
std::string lower(std::string_view text) {
    static constexpr std::string_view kUpper = "ÁÉÍÓÖŐÚÜŰ";
    static constexpr std::string_view kLower = "áéíóöőúüű";
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        const char32_t c = nextCodePoint(text, pos);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
            continue;
        }
        const size_t at = c >= 0x80 ? kUpper.find(text.substr(start, pos - start)) : kUpper.npos;
        out += at != kUpper.npos ? kLower.substr(at, pos - start) : text.substr(start, pos - start);
    }
    return out;
}

// A text cut into words ("$1" and "$a1" count as words) and what stands between them.
struct Token {
    std::string word;
    std::string gapBefore;  // the characters since the previous word
};

std::vector<Token> tokens(std::string_view text) {
    std::vector<Token> out;
    std::string gap;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '<') {  // a highlight tag is no word
            const size_t close = text.find('>', pos);
            const size_t end = close == std::string_view::npos ? text.size() : close + 1;
            gap.append(text.substr(pos, end - pos));
            pos = end;
            continue;
        }
        if (text[pos] == '$' && pos + 1 < text.size()) {
            size_t end = pos + 1;
            if (text[end] == 'a' || text[end] == 'A') ++end;
            if (end < text.size() && text[end] >= '1' && text[end] <= '4') {
                out.push_back({std::string(text.substr(pos, end + 1 - pos)), gap});
                gap.clear();
                pos = end + 1;
                continue;
            }
        }
        size_t next = pos;
        if (!isLetter(nextCodePoint(text, next))) {
            gap.append(text.substr(pos, next - pos));
            pos = next;
            continue;
        }
        const size_t start = pos;
        size_t end = next;
        while (end < text.size()) {
            size_t after = end;
            if (!isLetter(nextCodePoint(text, after))) break;
            end = after;
        }
        out.push_back({std::string(text.substr(start, end - start)), gap});
        gap.clear();
        pos = end;
    }
    return out;
}

// Only blanks, highlight tags and opening quotes may stand between an article and its word.
bool articleReachesOver(std::string_view gap) {
    std::string rest;
    for (size_t i = 0; i < gap.size(); ++i) {
        if (gap[i] == '<') {
            const size_t close = gap.find('>', i);
            if (close == std::string_view::npos) return false;
            i = close;
        } else {
            rest += gap[i];
        }
    }
    for (std::string_view allowed : {" ", "„", "("}) {
        for (size_t at = rest.find(allowed); at != std::string::npos; at = rest.find(allowed))
            rest.erase(at, allowed.size());
    }
    return rest.empty();
}

bool isPlaceholder(std::string_view word) {
    return word.starts_with('$');
}

Faults articleFaults(std::string_view text) {
    Faults out;
    if (lower(text).find("a(z)") != std::string::npos) out.push_back("„a(z)” instead of $aN");
    const std::vector<Token> t = tokens(text);
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        const std::string article = lower(t[i].word);
        if (article != "a" && article != "az") continue;
        const Token& next = t[i + 1];
        if (!articleReachesOver(next.gapBefore)) continue;  // "az, amit": a pronoun
        if (isPlaceholder(next.word)) {
            if (next.word[1] >= '1' && next.word[1] <= '4') {
                out.push_back("„" + t[i].word + " " + next.word + "”: write $a" + next.word[1]);
            }
            continue;
        }
        const std::string_view wanted = hungarianArticle(next.word);
        if (article != wanted) {
            out.push_back("„" + t[i].word + " " + next.word + "” should be „" +
                          std::string(wanted) + "”");
        }
    }
    return out;
}

// The program's own voice in the first person singular; a user's wish it never is either.
constexpr std::string_view kFirstPerson[] = {
    "mentem",   "mentettem", "találtam", "találom",     "állítom",    "leállítom", "tudom",
    "tudtam",   "vagyok",    "kérem",    "szeretném",   "indítom",    "keresem",   "megnyitom",
    "töröltem", "törlöm",    "mentek",   "készítettem", "ellenőrzöm",
};

Faults firstPersonFaults(std::string_view text) {
    Faults out;
    for (const Token& t : tokens(text)) {
        const std::string w = lower(t.word);
        for (std::string_view verb : kFirstPerson) {
            if (w == verb) out.push_back("first person: „" + t.word + "”");
        }
    }
    return out;
}

// The third column of the glossary's table: the variants in backticks.
std::vector<std::string> rejectedTerms(std::string_view glossary) {
    std::vector<std::string> out;
    size_t lineStart = 0;
    while (lineStart < glossary.size()) {
        size_t lineEnd = glossary.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = glossary.size();
        const std::string_view line = glossary.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (!line.starts_with('|')) continue;
        std::vector<std::string_view> cells;
        for (size_t at = 1; at < line.size();) {
            const size_t bar = line.find('|', at);
            if (bar == std::string_view::npos) break;
            cells.push_back(line.substr(at, bar - at));
            at = bar + 1;
        }
        if (cells.size() != 3) continue;
        const std::string_view notUsed = cells[2];
        for (size_t open = notUsed.find('`'); open != std::string_view::npos;) {
            const size_t close = notUsed.find('`', open + 1);
            if (close == std::string_view::npos) break;
            out.push_back(lower(notUsed.substr(open + 1, close - open - 1)));
            open = notUsed.find('`', close + 1);
        }
    }
    return out;
}

Faults glossaryFaults(std::string_view text, const std::vector<std::string>& rejected) {
    Faults out;
    const std::string l = lower(text);
    for (const std::string& term : rejected) {
        for (size_t at = l.find(term); at != std::string::npos; at = l.find(term, at + 1)) {
            // Only at the start of a word: the tail of a longer word is another word.
            if (at > 0) {
                size_t prev = at - 1;
                while (prev > 0 && (static_cast<unsigned char>(l[prev]) & 0xC0) == 0x80)
                    --prev;
                if (isLetter(nextCodePoint(l, prev))) continue;
            }
            out.push_back("turned down in the glossary: „" + term + "”");
        }
    }
    return out;
}

std::string readSource(const std::string& relative) {
    std::string bytes;
    EXPECT_EQ(readWholeFile(kSourceDir + "/" + relative, bytes), ReadResult::kOk) << relative;
    return bytes;
}

// The help page's readable text: no style sheet, no tags, the few entities it uses.
std::string helpText(std::string html) {
    const size_t styleOpen = html.find("<style>");
    const size_t styleClose = html.find("</style>");
    if (styleOpen != std::string::npos && styleClose != std::string::npos)
        html.erase(styleOpen, styleClose - styleOpen);
    std::string out;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const size_t close = html.find('>', i);
            if (close == std::string::npos) break;
            // Tags are read as nothing: "<b>Mentés</b> most" is "Mentés most".
            i = close;
            continue;
        }
        out += html[i];
    }
    for (auto [entity, text] : {std::pair{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}}) {
        for (size_t at = out.find(entity); at != std::string::npos; at = out.find(entity))
            out.replace(at, std::string_view(entity).size(), text);
    }
    return out;
}

struct Text {
    std::string where;
    std::string text;
};

class StringStyle : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StringTable strings;
        loaded = strings.loadFile(kSourceDir + "/data/hun_strings.dat");
        texts = new std::vector<Text>;
        const HashTable& raw = strings.table();
        for (int32_t i = 1; i <= raw.count(); ++i) {
            std::string value = raw.item(raw.keyByIndex(i));
            // A line break ends a sentence; as "\n" it would read as the word "n".
            for (size_t at = value.find("\\n"); at != std::string::npos; at = value.find("\\n"))
                value.replace(at, 2, "\n");
            texts->push_back({raw.keyByIndex(i), value});
        }
        help = new std::string(helpText(readSource("data/about_hun.html")));
        rejected = new std::vector<std::string>(rejectedTerms(readSource("data/glossary.md")));
    }
    static void TearDownTestSuite() {
        delete texts;
        delete help;
        delete rejected;
    }

    static bool loaded;
    static std::vector<Text>* texts;
    static std::string* help;
    static std::vector<std::string>* rejected;
};
bool StringStyle::loaded = false;
std::vector<Text>* StringStyle::texts = nullptr;
std::string* StringStyle::help = nullptr;
std::vector<std::string>* StringStyle::rejected = nullptr;

void expectNone(const std::string& where, const Faults& faults) {
    for (const std::string& f : faults)
        ADD_FAILURE() << where << ": " << f;
}

// Each check must catch the fault it exists for; a check that passes everything passes the
// data too.
TEST_F(StringStyle, EachCheckCatchesItsFault) {
    EXPECT_EQ(articleFaults("a 5. héten").size(), 1u);
    EXPECT_EQ(articleFaults("Az hét").size(), 1u);
    EXPECT_EQ(articleFaults("a <mw>$2.</mw> héten").size(), 1u);
    EXPECT_EQ(articleFaults("A(z) „$1” téma").size(), 1u);
    EXPECT_TRUE(
        articleFaults("az 5. héten, a 2. héten, $a2 <mw>$2.</mw>, az, amit, a „Papír”").empty());
    EXPECT_EQ(firstPersonFaults("Ha nem, így mentem el.").size(), 1u);
    EXPECT_EQ(firstPersonFaults("Amíg le nem állítom").size(), 1u);
    EXPECT_TRUE(firstPersonFaults("Amíg le nem állítja").empty());
    ASSERT_FALSE(rejected->empty()) << "the glossary lists no turned-down variant";
    EXPECT_EQ(glossaryFaults("Egy újabb Változata", *rejected).size(), 1u);
    EXPECT_EQ(glossaryFaults("a több napos esemény", *rejected).size(), 1u);
    EXPECT_EQ(glossaryFaults("egy napos", {"napos"}).size(), 1u);
    EXPECT_TRUE(glossaryFaults("többnapos, ébresztőóra", {"napos", "óra"}).empty());
}

TEST_F(StringStyle, ArticlesFollowTheSoundAndPlaceholdersTakeTheMarker) {
    ASSERT_TRUE(loaded);
    for (const Text& t : *texts)
        expectNone(t.where, articleFaults(t.text));
    expectNone("about_hun.html", articleFaults(*help));
}

TEST_F(StringStyle, TheProgramNeverSpeaksInTheFirstPerson) {
    for (const Text& t : *texts)
        expectNone(t.where, firstPersonFaults(t.text));
    expectNone("about_hun.html", firstPersonFaults(*help));
}

TEST_F(StringStyle, OnlyTheGlossarysTermsAreUsed) {
    for (const Text& t : *texts)
        expectNone(t.where, glossaryFaults(t.text, *rejected));
    expectNone("about_hun.html", glossaryFaults(*help, *rejected));
}

}  // namespace
}  // namespace tv
