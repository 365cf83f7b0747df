// The user picture slot file: any bytes give a defined round, however many slots the file
// claims against the index it belongs to.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/names/random_source.h"
#include "core/names/user_pictures.h"

namespace {

struct Lists {
    std::string index;
    std::string images;
};

const Lists& lists() {
    static const Lists l = [] {
        tv::ListWriter w;
        w.begin(tv::Date::serial(2024, 3, 9), false, "/p");
        for (const char* name : {"1.jpg", "2.jpg", "3.bmp", "4.gif", "5.png"})
            w.add(name);
        return Lists{w.index(), w.images()};
    }();
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tv::MemoryListBytes slotFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const tv::MemoryListBytes index(lists().index);
    const tv::MemoryListBytes images(lists().images);
    std::vector<uint8_t> slots = tv::loadUserPictureSlots(&slotFile, index.size());
    tv::RandomSource random(size);
    int tests = 0;
    tv::chooseUserPicture(
        index, images, "/p", slots, random,
        [&tests](const std::string&) { return ++tests % 2 == 0; }, nullptr);
    return 0;
}
