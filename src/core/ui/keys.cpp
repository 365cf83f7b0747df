#include "core/ui/keys.h"

#include "core/ui/commands.h"

namespace tv {

std::optional<CommandCode> keyCommand(int keyCode, int shift) {
    if (keyCode == kKeyF4) {
        if ((shift & kAlt) != 0) return CommandCode::kClose;
        return std::nullopt;
    }
    switch (keyCode) {
        case kKeyEscape:
            return CommandCode::kClose;
        case kKeyLeft:
        case kKeyUp:
            return CommandCode::kPrevMonth;
        case kKeyRight:
        case kKeyDown:
            return CommandCode::kNextMonth;
        case kKeySpace:
            return CommandCode::kSwitchScreen;
        case kKeyEnter:
        case '1':
            return CommandCode::kEventList;
        case 'S':
        case '3':
            return CommandCode::kSettings;
        case kKeyF1:
            return CommandCode::kAbout;
        case 'K':
        case '2':
            return CommandCode::kNameSearch;
        case 'N':
            return CommandCode::kSwitchNames;
        case kKeyHome:
            return CommandCode::kHome;
        case kKeyPageUp:
            return CommandCode::kPrevYear;
        case kKeyPageDown:
            return CommandCode::kNextYear;
        case 'I':
            return CommandCode::kShowRepeating;
        case 'O':
            return CommandCode::kRepeatingNextOnly;
        case 'E':
            return CommandCode::kShowOneTime;
        case 'B':
            return CommandCode::kLastWisdom;
        default:
            return std::nullopt;
    }
}

namespace {

// Shift + letters only feed the sequence, so a capital typed by accident runs no command.
Actions typeShifted(MainWindowState& s, int keyCode) {
    Actions out;
    if (keyCode < 'A' || keyCode > 'Z') return out;
    s.keyBuffer.push_back(static_cast<char>(keyCode));
    if (s.keyBuffer.size() > static_cast<size_t>(kKeyBufferLength))
        s.keyBuffer.erase(0, s.keyBuffer.size() - kKeyBufferLength);
    if (s.keyBuffer.ends_with(kDeveloperSequence)) {
        s.developer = !s.developer;
        s.keyBuffer.clear();
        pushAction(out, UiAction::kBeep);
    }
    return out;
}

}  // namespace

Actions keyDown(MainWindowState& s, int keyCode, int shift, HashTable& settings) {
    if (s.screenMode == ScreenMode::kGame) {
        Actions out;
        if (keyCode != kKeyEscape) return out;
        // The game is reached from the about window over the main screen; go back there.
        s.screenMode = ScreenMode::kMain;
        pushAction(out, UiAction::kEndGame);
        pushAction(out, UiAction::kRedraw);
        return out;
    }
    if (shift == kShift) return typeShifted(s, keyCode);
    const std::optional<CommandCode> command = keyCommand(keyCode, shift);
    if (!command) return {};
    return buttonEvent(s, *command, settings);
}

}  // namespace tv
