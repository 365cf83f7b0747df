// The configuration reader over arbitrary bytes, then the writer over what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::HashTable table;
    tv::parseConfig(table, std::string_view(reinterpret_cast<const char*>(data), size));
    // Whatever was read must format and read back without trouble.
    tv::HashTable again;
    tv::parseConfig(again, tv::formatConfig(table, true));
    return 0;
}
