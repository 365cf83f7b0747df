// Which of the picture formats the calendar reads a file holds, from its first bytes. The reader
// is then asked for that format alone, so it never loads every image plugin on the system to ask
// each whether it knows the file.
#pragma once

#include <string_view>

namespace tv {

// How many first bytes pictureFormatOf needs.
inline constexpr size_t kPictureSignatureBytes = 8;

// "png", "jpeg", "gif" or "bmp" by the file's signature; empty for anything else (or too short).
inline std::string_view pictureFormatOf(std::string_view head) {
    if (head.starts_with("\x89PNG\r\n\x1a\n")) return "png";
    if (head.starts_with("\xff\xd8\xff")) return "jpeg";
    if (head.starts_with("GIF87a") || head.starts_with("GIF89a")) return "gif";
    if (head.starts_with("BM") && head.size() >= 6) return "bmp";
    return {};
}

}  // namespace tv
