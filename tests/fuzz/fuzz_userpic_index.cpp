// The user picture index file: any bytes give a defined list check and choice, and no record,
// whatever position and length it claims, is read outside the files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/names/random_source.h"
#include "core/names/user_pictures.h"

namespace {

const std::string& images() {
    static const std::string bytes = [] {
        tv::ListWriter w;
        w.begin(tv::Date::serial(2024, 3, 9), true, "/p");
        w.add("a.jpg");
        w.add("b/c.gif");
        w.add("");
        return w.images();
    }();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tv::MemoryListBytes index(std::string_view(reinterpret_cast<const char*>(data), size));
    const tv::MemoryListBytes files(images());
    tv::checkUserPictureList(&index, &files, "/p", true, tv::Date::serial(2024, 3, 12), nullptr);
    const int32_t count = tv::listedPictureCount(index.size());
    for (int32_t k : {0, 1, count - 1, count, count + 1})
        tv::readListedPath(index, files, k);

    std::vector<uint8_t> slots = tv::loadUserPictureSlots(nullptr, index.size());
    tv::RandomSource random(size);
    int tests = 0;
    // Every third file "exists", so both a choice and the missing counts are exercised.
    tv::chooseUserPicture(
        index, files, "/p", slots, random,
        [&tests](const std::string&) { return ++tests % 3 == 0; }, nullptr);
    return 0;
}
