// The name meanings file: any bytes must list names and describe them, and the type-ahead must
// find any prefix of a listed name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/cp1250.h"
#include "core/names/name_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text =
        tv::decodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> names = tv::describedNames(text);
    for (size_t i = 0; i < names.size() && i < 8; ++i) {
        tv::describeName(text, names[i]);
        // A whole listed name typed into the box always selects a name.
        if (!names[i].empty() && tv::typeAheadIndex(names, names[i]) < 0) __builtin_trap();
    }
    tv::typeAheadIndex(names, text.substr(0, 4));
    return 0;
}
