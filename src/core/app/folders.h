// Where the calendar's two folders are on this machine.
#pragma once

#include <string>

#include "core/ports/paths.h"

namespace tv {

// The program folder is the executable's folder, or $TEMPOVIRENS_PROGRAM_DIR. The user data
// folder is $XDG_DATA_HOME (default ~/.local/share) + "/Brimcove Tempovirens/". The pictures
// folder is $XDG_PICTURES_DIR when set, else ~/Pictures when it exists.
Paths resolvePaths();

// The folder of the running executable, with a trailing "/".
std::string executableDir();
std::string executablePath();

// Appends "/" unless the text already ends with one.
std::string withSlash(std::string path);

}  // namespace tv
