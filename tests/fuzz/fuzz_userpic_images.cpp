// The user picture images file: any bytes give a defined header, list check and choice; the
// source length and the paths the index points at are never read beyond the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/binary_io.h"
#include "core/names/random_source.h"
#include "core/names/user_pictures.h"

namespace {

// Records at the usual places, at the edges of a short file and far past any end.
const std::string& index() {
    static const std::string bytes = [] {
        tv::ByteWriter w;
        w.raw(tv::makeIndexHeader());
        const int records[][2] = {{46, 5},  {52, 7},         {1, 0},        {41, 3},
                                  {60, 40}, {2147483647, 1}, {-5, 2},       {45, -1},
                                  {70, 0},  {1, 32767},      {100000, 100}, {44, 1}};
        for (const auto& r : records) {
            w.int32(r[0]);
            w.int16(r[1]);
        }
        return w.take();
    }();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tv::MemoryListBytes files(std::string_view(reinterpret_cast<const char*>(data), size));
    const tv::MemoryListBytes records(index());
    tv::readImagesHeader(files);
    tv::checkUserPictureList(&records, &files, "/p", false, tv::Date::serial(2024, 3, 12), nullptr);
    std::vector<uint8_t> slots = tv::loadUserPictureSlots(nullptr, records.size());
    tv::RandomSource random(size);
    int tests = 0;
    tv::chooseUserPicture(
        records, files, "/p", slots, random,
        [&tests](const std::string&) { return ++tests % 4 == 0; }, nullptr);
    return 0;
}
