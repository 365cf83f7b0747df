// Where the calendar's two folders are on this machine.
#pragma once

#include <string>
#include <string_view>

#include "core/ports/paths.h"

namespace tv {

// The program folder is found by programDirFor. The user data folder is $XDG_DATA_HOME
// (default ~/.local/share) + "/Brimcove Tempovirens/". The pictures folder is $XDG_PICTURES_DIR
// when set, else ~/Pictures when it exists. The cache folder is $XDG_CACHE_HOME (default ~/.cache)
// + "/Brimcove Tempovirens/".
Paths resolvePaths();

// Where an installed copy keeps its read-only files, relative to the executable's folder: the
// install rules put them there ("../share/tempovirens" for bin/ and share/ under one prefix).
std::string_view installedProgramDir();

// The read-only program folder, with a trailing "/": `overrideDir` ($TEMPOVIRENS_PROGRAM_DIR)
// when it is set; else the executable's folder when it holds "data/" (the build folder, or a
// copy kept in one folder); else the installed folder beside it, as a plain path.
std::string programDirFor(const std::string& overrideDir, const std::string& executableDir);

// The folder of the program's loadable modules (the calendar window, the sound player), with a
// trailing "/": beside the executables' folder as the install rules put it ("../lib/tempovirens"
// for bin/ and lib/ under one prefix); the build folder mirrors that layout.
std::string moduleDir();

// The folder of the running executable, with a trailing "/".
std::string executableDir();
std::string executablePath();

// Appends "/" unless the text already ends with one.
std::string withSlash(std::string path);

}  // namespace tv
