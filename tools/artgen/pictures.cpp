#include "pictures.h"
#include "art.h"

#include <functional>
#include <map>

namespace tv::art {
namespace {

const std::map<std::string, std::function<QImage()>>& painters() {
    static const std::map<std::string, std::function<QImage()>> kPainters = {
        {"ujev", paintNewYear},
        {"valentin", paintValentine},
        {"nonap", paintWomensDay},
        {"marc15", paintMarch15},
        {"aug20", paintAugust20},
        {"1956", paint1956},
        {"mindenszentek", paintAllSaints},
        {"halottaknapja", paintAllSouls},
        {"miki", paintNicholas},
        {"dec24", paintChristmasEve},
        {"dec25", paintChristmasDay},
        {"dec26", paintBoxingDay},
        {"nagypentek", paintGoodFriday},
        {"husvet", paintEaster},
        {"advent1", [] { return paintAdvent(1); }},
        {"advent2", [] { return paintAdvent(2); }},
        {"advent3", [] { return paintAdvent(3); }},
        {"advent4", [] { return paintAdvent(4); }},
        {"welcome", paintWelcome},
    };
    return kPainters;
}

}  // namespace

const std::vector<std::string>& pictureNames() {
    // In calendar order, which is also the order of the contact sheet.
    static const std::vector<std::string> kNames = {
        "ujev", "valentin",      "nonap",         "marc15",  "nagypentek", "husvet",  "aug20",
        "1956", "mindenszentek", "halottaknapja", "advent1", "advent2",    "advent3", "advent4",
        "miki", "dec24",         "dec25",         "dec26",   "welcome"};
    return kNames;
}

QImage paintPicture(const std::string& name) {
    auto it = painters().find(name);
    return it == painters().end() ? QImage() : it->second();
}

}  // namespace tv::art
