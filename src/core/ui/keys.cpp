#include "core/ui/keys.h"

#include "core/ui/commands.h"

namespace tv {

int keyCommand(int keyCode, int shift) {
    if (keyCode == kKeyF4) return (shift & kAlt) != 0 ? kCmdClose : -1;
    switch (keyCode) {
        case kKeyEscape:
            return kCmdClose;
        case kKeyLeft:
        case kKeyUp:
            return kCmdPrevMonth;
        case kKeyRight:
        case kKeyDown:
            return kCmdNextMonth;
        case kKeySpace:
            return kCmdSwitchScreen;
        case kKeyEnter:
        case '1':
            return kCmdEventList;
        case 'S':
        case '3':
            return kCmdSettings;
        case kKeyF1:
            return kCmdAbout;
        case 'K':
        case '2':
            return kCmdNameSearch;
        case 'N':
            return kCmdSwitchNames;
        case kKeyHome:
            return kCmdHome;
        case kKeyPageUp:
            return kCmdPrevYear;
        case kKeyPageDown:
            return kCmdNextYear;
        case 'I':
            return kCmdShowRepeating;
        case 'O':
            return kCmdRepeatingNextOnly;
        case 'E':
            return kCmdShowOneTime;
        case 'B':
            return kCmdLastWisdom;
        default:
            return -1;
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
    const int command = keyCommand(keyCode, shift);
    if (command < 0) return {};
    return buttonEvent(s, command, settings);
}

}  // namespace tv
