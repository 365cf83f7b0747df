// Data block files: any bytes must open with a defined code and read without touching memory
// past the file, whatever the header and index claim.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/names/data_block_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::DataBlockReader reader;
    if (reader.openBytes(std::string(reinterpret_cast<const char*>(data), size)) !=
        tv::DataBlockOpen::kOpened)
        return 0;
    const int32_t count = reader.entryCount();
    // The count may claim billions of entries; the first few and the edges are enough.
    for (int32_t n = 1; n <= std::min(count, int32_t{64}); ++n)
        reader.readEntry(n);
    for (int64_t n : {int64_t{count} - 1, int64_t{count}, int64_t{count} + 1, int64_t{0}}) {
        if (n >= INT32_MIN && n <= INT32_MAX) reader.readEntry(static_cast<int32_t>(n));
    }
    return 0;
}
