#include "core/calc/collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <memory>
#include <vector>

namespace tv {
namespace {

struct CollatorClose {
    void operator()(UCollator* c) const { ucol_close(c); }
};
using Collator = std::unique_ptr<UCollator, CollatorClose>;

Collator openHungarian() {
    UErrorCode status = U_ZERO_ERROR;
    Collator c(ucol_open("hu", &status));
    if (U_FAILURE(status)) return nullptr;
    // Secondary strength: accents count after the letters, letter case not at all.
    ucol_setStrength(c.get(), UCOL_SECONDARY);
    return c;
}

// Opened once and only read afterwards (ICU allows concurrent reads of one collator). Null only
// when ICU cannot open even its root order: the keys are then the bytes themselves.
const UCollator* hungarian() {
    static const Collator kCollator = openHungarian();
    return kCollator.get();
}

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out(utf8.size(), u'\0');  // never more UTF-16 units than UTF-8 bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
    return out;
}

}  // namespace

void appendCollationKey(std::string& out, std::string_view utf8) {
    if (utf8.empty()) return;  // an empty text sorts first, with an empty key
    const UCollator* c = hungarian();
    if (c == nullptr) {
        out += utf8;
        return;
    }
    const std::u16string text = toUtf16(utf8);
    const auto length = static_cast<int32_t>(text.size());
    const size_t base = out.size();
    // A first guess that fits most names; ICU tells the real size when it does not.
    int32_t room = length * 3 + 16;
    while (true) {
        out.resize(base + static_cast<size_t>(room));
        auto* dest = reinterpret_cast<uint8_t*>(out.data() + base);
        const int32_t needed = ucol_getSortKey(c, text.data(), length, dest, room);
        if (needed <= room) {
            // The key ends with a zero byte, which only the C API needs.
            out.resize(base + static_cast<size_t>(needed > 0 ? needed - 1 : 0));
            return;
        }
        room = needed;
    }
}

std::string collationKey(std::string_view utf8) {
    std::string key;
    appendCollationKey(key, utf8);
    return key;
}

bool collatesBefore(std::string_view a, std::string_view b) {
    return collationKey(a) < collationKey(b);
}

}  // namespace tv
