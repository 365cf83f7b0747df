// The calendar module as the launcher loads it: its file in the program's module folder and the
// one function it exports, which runs the calendar with the command line and returns the exit
// code.
#pragma once

inline constexpr const char* kCalendarModuleFile = "libtempovirens_calendar.so";
inline constexpr const char* kCalendarModuleEntry = "tvCalendarMain";
extern "C" int tvCalendarMain(int argc, char** argv);
