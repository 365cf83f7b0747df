// What the sound module offers the program that loads it.
#pragma once

namespace tv {
class Sound;
}

// The module's file in the program's module folder, and the one function it exports: a new
// player, owned by the caller.
inline constexpr const char* kSoundModuleFile = "libtempovirens_sound.so";
inline constexpr const char* kSoundModuleEntry = "tvMakeSound";
extern "C" tv::Sound* tvMakeSound();
