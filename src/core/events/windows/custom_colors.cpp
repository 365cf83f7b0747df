#include "core/events/windows/custom_colors.h"

#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/ports/dialogs.h"

namespace tv {
namespace {

constexpr std::string_view kNeverSaved = "nope";

}  // namespace

CustomColourSet parseCustomColors(std::string_view text) {
    CustomColourSet colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        if (text == kNeverSaved) {
            const int grey = 16 * static_cast<int>(colours.size() - i) - 1;  // 255, 239 .. 15
            colours[i] = grey | grey << 8 | grey << 16;
            continue;
        }
        // A short text leaves the missing digits 0: better black than a failed dialog.
        auto digits = [&](size_t at) {
            const size_t pos = 6 * i + at;
            return hexToByte(pos < text.size() ? text.substr(pos, 2) : std::string_view{});
        };
        colours[i] = digits(0) | digits(2) << 8 | digits(4) << 16;
    }
    return colours;
}

std::string formatCustomColors(const CustomColourSet& colours) {
    std::string text;
    text.reserve(colours.size() * 6);
    for (int c : colours) {
        text += byteToHex(c & 0xFF);
        text += byteToHex(c >> 8 & 0xFF);
        text += byteToHex(c >> 16 & 0xFF);
    }
    return text;
}

int chooseColorDialog(Dialogs& dialogs, HashTable& settings, int colour) {
    CustomColourSet custom = parseCustomColors(read(settings, settings::CustomColors));
    int chosen = colour;
    if (!dialogs.chooseColor(chosen, custom)) chosen = colour;
    write(settings, settings::CustomColors, formatCustomColors(custom));
    return chosen;
}

}  // namespace tv
