#include "core/ical/record_text.h"

#include "core/config/cp1250.h"

namespace tv::ical {

RecordText recordText(std::string_view utf8, size_t maxBytes) {
    RecordText r;
    bool ascii = true;
    for (const char ch : utf8)
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii && utf8.size() <= maxBytes) {
        r.text = utf8;
        return r;
    }
    size_t pos = 0;
    size_t chars = 0;  // Windows-1250 bytes so far: one a character
    while (pos < utf8.size()) {
        const size_t start = pos;
        const char32_t c = nextCodePoint(utf8, pos);
        const std::string_view piece = utf8.substr(start, pos - start);
        if (chars == maxBytes) {
            r.cut = true;
            break;
        }
        ++chars;
        if (c < 0x80 || fitsCp1250(piece)) {
            r.text.append(piece);
            continue;
        }
        r.text += '?';
        if (r.lost.find(piece) == std::string::npos) r.lost.append(piece);
    }
    return r;
}

bool sameUpToRecordLimits(std::string_view ours, std::string_view theirs) {
    if (ours == theirs) return true;
    return recordText(theirs).text == ours;
}

}  // namespace tv::ical
