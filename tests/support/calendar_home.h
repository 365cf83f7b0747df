// The folders an in-process calendar reads and writes, under a test's own temporary folders:
// the environment names them while the object lives and forgets them when it goes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tv::test {

class CalendarHome {
public:
    CalendarHome() {
        set("TEMPOVIRENS_PROGRAM_DIR", TV_TEST_PROGRAM_DIR);
        set("XDG_DATA_HOME", home_.dir() + "data");
        set("XDG_CONFIG_HOME", home_.dir() + "config");
        set("XDG_CACHE_HOME", home_.dir() + "cache");
        set("XDG_RUNTIME_DIR", runtime_.dir());
        std::filesystem::create_directories(userDir());
    }
    ~CalendarHome() {
        for (const std::string& name : names_)
            ::unsetenv(name.c_str());
    }
    CalendarHome(const CalendarHome&) = delete;
    CalendarHome& operator=(const CalendarHome&) = delete;

    // One more variable for as long as the home lives.
    void set(const std::string& name, const std::string& value) {
        ::setenv(name.c_str(), value.c_str(), 1);
        names_.push_back(name);
    }

    // The test's own folder (with a trailing "/"), the calendar's data folder in it, and the
    // runtime folder of the single-instance socket and the hand-over files.
    std::string dir() const { return home_.dir(); }
    std::string userDir() const { return home_.dir() + "data/Brimcove Tempovirens/"; }
    std::string runtimeDir() const { return runtime_.dir(); }

private:
    TempDir home_;
    TempDir runtime_;
    std::vector<std::string> names_;
};

}  // namespace tv::test
