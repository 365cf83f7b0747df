// Keys of the main window. Key codes are the desktop's virtual key numbers (letters and digits
// are their upper-case characters), so the window maps its toolkit's keys to these once.
#pragma once

#include <optional>

#include "core/ui/commands.h"
#include "core/ui/ui_actions.h"
#include "core/ui/window_state.h"

namespace tv {

class HashTable;

inline constexpr int kKeyEnter = 0x0D;
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeySpace = 0x20;
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;
inline constexpr int kKeyF1 = 0x70;
inline constexpr int kKeyF4 = 0x73;

// Modifier bits of the shift state.
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;

// Typed with Shift held, it toggles the developer entries of the main menu.
inline constexpr std::string_view kDeveloperSequence = "ZEVORKA";

// The command a key gives without Shift; -1 for none.
std::optional<CommandCode> keyCommand(int keyCode, int shift);

// Translates a key into a command and performs it. In the game only Esc counts: it ends it.
Actions keyDown(MainWindowState& state, int keyCode, int shift, HashTable& settings);

}  // namespace tv
