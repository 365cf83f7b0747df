// The two folders the calendar works with, the user's pictures folder and its cache.
#pragma once

#include <string>

namespace tv {

struct Paths {
    std::string programDir;   // read-only data; ends with "/"
    std::string userDataDir;  // settings, events, logs; ends with "/"
    std::string picturesDir;  // the user's own pictures; ends with "/" (may be empty)
    std::string cacheDir;     // what can be made again (decoded pictures); ends with "/"
    std::string executable;   // full path of the calendar program
    // The single-instance channel's folder (lock, socket, the command-line tool's change
    // requests); ends with "/". Empty when the front end has no such channel.
    std::string runtimeDir;
};

}  // namespace tv
