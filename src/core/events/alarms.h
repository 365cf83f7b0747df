// Ringing alarms: the minute check against the alarm list, bringing up the alarm screen with its
// sound, the countdown of a looping sound; and the lines of the missed-events window.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/events/forecast.h"

namespace tv {

class HashTable;
class Shell;
class Sound;
class StringTable;

inline constexpr std::string_view kDefaultAlarmSound = "Bugle Call - Reveille.wav";

struct AlarmState {
    AlarmEntry currentAlarm;  // the one the alarm screen shows: the last that rang
    bool hasCurrentAlarm = false;
    int lastCheckedMinute = -1;   // hour * 60 + minute, so that each minute is looked at once
    int32_t alarmCountdown = -1;  // seconds left of a looping sound; -1 = until dismissed
    bool alarmActive = false;
    bool timerAlarmEnabled = false;  // the one-second timer that runs the countdown
};

// What the alarm asks of the window side. Any of them may be empty.
struct AlarmHooks {
    // Brings the window up on the alarm screen (the "alert" load); true when it was already up.
    std::function<bool()> showAlarmScreen;
    std::function<void()> redraw;
    std::function<void()> flashTaskbar;
    std::function<void(bool on)> setAlarmTimer;
};

struct AlarmContext {
    HashTable* settings = nullptr;  // AlarmLength, AlarmSoundOn, AlarmSoundFile, AlarmSndRepeat
    Sound* sound = nullptr;
    Shell* shell = nullptr;  // the beep when there is no sound file
    std::string programDir;  // its "sounds/" folder holds the sound files
    AlarmHooks hooks;
    // Whether a sound file exists; fileExists when empty.
    std::function<bool(const std::string&)> fileExists;
};

// The minute check, run on every tick of the 20-second timer. Every alarm of this minute is
// marked as rung; the last of them becomes the current alarm. True when an alarm started.
bool checkAlarms(std::vector<AlarmEntry>& alarms, DateTime now, AlarmState& state,
                 AlarmContext& ctx);
// Brings up the alarm screen, flashes the taskbar button and plays the sound.
void startAlarm(AlarmState& state, AlarmContext& ctx);
// One second of a looping sound's countdown; at its end the sound stops (the screen stays).
void alarmTimerTick(AlarmState& state, AlarmContext& ctx);
void stopAlarmSound(AlarmContext& ctx);

// Seconds of the "AlarmLength" choice 0..7; -1 (until dismissed) for 0 and anything unknown.
int32_t alarmLengthSeconds(int index);
// The sound file an alarm plays: the chosen one, else the default one; empty when neither
// exists.
std::string alarmSoundPath(AlarmContext& ctx);

// The missed-events window.
struct MissedWindow {
    std::string title;
    std::string text;
    std::string okCaption;
    std::vector<std::string> lines;                             // day word, tab, name, tab, date
    static constexpr std::array<int, 2> kTabStops = {64, 280};  // dialog units
};
std::string missedEventLine(const MissedEntry& m, const EventTable& table, Date today,
                            const StringTable& strings);
MissedWindow buildMissedWindow(const std::vector<MissedEntry>& missed, const EventTable& table,
                               Date today, const StringTable& strings);

}  // namespace tv
