#include "core/calc/text_fit.h"

#include <cstdint>
#include <vector>

#include "core/config/cp1250.h"

namespace tv {
namespace {

int64_t twips(int widthPx) {
    return int64_t{widthPx} * kTwipsPerPixel;
}

// Byte offsets of the end of each character: ends[n - 1] is the length of the first n.
std::vector<size_t> characterEnds(std::string_view text) {
    std::vector<size_t> ends;
    ends.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        nextCodePoint(text, pos);
        ends.push_back(pos);
    }
    return ends;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

size_t lastSeparator(std::string_view s) {
    return s.find_last_of("/\\");
}

}  // namespace

std::string fitSurfaceText(const TextMeasurer& measurer, std::string_view text, int widthPx,
                           std::string_view overflowMark) {
    const int64_t limit = twips(widthPx);
    if (measurer.textWidth(text) <= limit) return std::string(text);
    const int64_t room = limit - measurer.textWidth(overflowMark);
    const std::vector<size_t> ends = characterEnds(text);
    // A longer start is never narrower, so the longest one that fits can be found by halving;
    // texts cut here can be long (paths, comments) and every measurement costs a font lookup.
    size_t fits = 0;  // the first `fits` characters fit; 0 = none known to
    size_t lo = 1;
    size_t hi = ends.size();
    while (lo <= hi) {
        const size_t n = lo + (hi - lo) / 2;
        if (measurer.textWidth(text.substr(0, ends[n - 1])) <= room) {
            fits = n;
            lo = n + 1;
        } else {
            hi = n - 1;
        }
    }
    if (fits > 0) {
        std::string out(trimBlanks(text.substr(0, ends[fits - 1])));
        out += overflowMark;
        return out;
    }
    return std::string(overflowMark);
}

std::string shortenPath(const TextMeasurer& measurer, std::string_view path, int widthPx) {
    const int64_t limit = twips(widthPx);
    if (measurer.textWidth(path) <= limit) return std::string(path);

    const size_t cut = lastSeparator(path);
    if (cut == std::string_view::npos) return fitSurfaceText(measurer, path, widthPx);
    const std::string tail = "..." + std::string(path.substr(cut));  // "...", "/", file name
    std::string_view head = path.substr(0, cut);
    for (;;) {
        while (!head.empty() && isSeparator(head.back()))
            head.remove_suffix(1);
        const size_t sep = lastSeparator(head);
        if (sep == std::string_view::npos) break;
        head = head.substr(0, sep + 1);  // keeps its separator
        std::string candidate = std::string(head) + tail;
        if (measurer.textWidth(candidate) <= limit) return candidate;
    }
    return fitSurfaceText(measurer, path.substr(cut + 1), widthPx);
}

namespace {

// Greedy wrap of one paragraph (no line breaks in it) into `lines`: each line takes as many
// characters as fit and breaks at its last blank, or before the character that does not fit
// when it has none. The longest fitting start is found by halving (a longer text is never
// narrower), so a line costs a few measurements instead of one per character.
void wrapParagraph(const TextMeasurer& measurer, std::string_view para, int64_t room,
                   std::vector<std::string>& lines) {
    const std::vector<size_t> ends = characterEnds(para);
    size_t first = 0;  // index of the line's first character
    while (first < ends.size()) {
        const size_t begin = first == 0 ? 0 : ends[first - 1];
        // An empty line always takes its first character, or a narrow width would loop.
        size_t fits = first + 1;
        size_t lo = first + 2;
        size_t hi = ends.size();
        while (lo <= hi) {
            const size_t n = lo + (hi - lo) / 2;
            if (measurer.textWidth(para.substr(begin, ends[n - 1] - begin)) <= room) {
                fits = n;
                lo = n + 1;
            } else {
                hi = n - 1;
            }
        }
        const size_t fitEnd = ends[fits - 1];
        if (fits == ends.size()) {
            lines.emplace_back(para.substr(begin));
            return;
        }
        if (para[fitEnd] == ' ') {
            // The blank that overflows is the break itself.
            lines.emplace_back(para.substr(begin, fitEnd - begin));
            first = fits + 1;
            continue;
        }
        const std::string_view line = para.substr(begin, fitEnd - begin);
        const size_t blank = line.rfind(' ');
        if (blank != std::string_view::npos && blank > 0) {
            lines.emplace_back(line.substr(0, blank));
            // Continue after the blank: one byte, so the character index follows from it.
            const size_t next = begin + blank + 1;
            while (first < ends.size() && (first == 0 ? 0 : ends[first - 1]) < next)
                ++first;
        } else {
            lines.emplace_back(line);
            first = fits;
        }
    }
    if (ends.empty()) lines.emplace_back();
}

}  // namespace

std::string wrapSurfaceText(const TextMeasurer& measurer, std::string_view text, int widthPx,
                            int indent) {
    const std::string blanks(static_cast<size_t>(indent > 0 ? indent : 0), ' ');
    const int64_t room = twips(widthPx) - measurer.textWidth(blanks);
    const bool hasBreak = text.find_first_of("\r\n") != std::string_view::npos;
    if (!hasBreak && measurer.textWidth(text) <= room) return blanks + std::string(text);

    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        wrapParagraph(measurer, text.substr(start, end - start), room, lines);
        if (end == text.size()) break;
        // CR LF, a lone CR or a lone LF each end one line.
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }

    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += "\r\n";
        out += blanks;
        out += lines[i];
    }
    return out;
}

}  // namespace tv
