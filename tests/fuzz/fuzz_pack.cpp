// Pack files: any bytes must open with a defined code, and every entry's contents and name must
// be read without touching memory past the file, whatever the directory claims.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/names/pack_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::PackFile pack;
    if (pack.openBytes(std::string(reinterpret_cast<const char*>(data), size)) !=
        tv::PackResult::kOk)
        return 0;
    std::string contents;
    // The directory may claim 32767 entries; the first few and the edges are enough.
    const size_t count = pack.entries().size();
    for (size_t i = 0; i < count && i < 64; ++i) {
        pack.readEntry(i, contents);
        tv::isSafeEntryName(pack.entries()[i].name);
        pack.entries()[i].modified.toDateTime();
    }
    pack.readEntry(count, contents);
    if (count > 0) pack.readEntry(count - 1, contents);
    pack.packedAt().toDateTime();
    return 0;
}
