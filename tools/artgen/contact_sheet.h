// One PNG that shows every generated image of the program folder, for looking at the art.
#pragma once

#include <string>

namespace tv::art {

// Reads the skins, pictures, backgrounds and icons under `programDir` and writes the sheet to
// `outPng`. Missing parts (for example backgrounds not generated yet) are noted on the sheet.
bool writeContactSheet(const std::string& programDir, const std::string& outPng,
                       std::string& error);

}  // namespace tv::art
