// The colour dialog with its sixteen custom colours kept across runs in `CustomColors`.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tv {

class Dialogs;
class HashTable;

using CustomColourSet = std::array<int, 16>;  // 0x00BBGGRR each

// The setting's text: "nope" (never saved) gives greys from white down to 15, 15, 15;
// otherwise six hex digits per colour, red, green and blue.
CustomColourSet parseCustomColors(std::string_view text);
std::string formatCustomColors(const CustomColourSet& colours);

// Shows the dialog on `colour` with the remembered custom colours; returns the chosen colour
// (the given one when cancelled) and keeps the custom colours the user left in the dialog.
int chooseColorDialog(Dialogs& dialogs, HashTable& settings, int colour);

}  // namespace tv
