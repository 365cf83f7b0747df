// The two folders the calendar works with, and the user's pictures folder.
#pragma once

#include <string>

namespace tv {

struct Paths {
    std::string programDir;   // read-only data; ends with "/"
    std::string userDataDir;  // settings, events, logs; ends with "/"
    std::string picturesDir;  // the user's own pictures; ends with "/" (may be empty)
    std::string executable;   // full path of the calendar program
};

}  // namespace tv
