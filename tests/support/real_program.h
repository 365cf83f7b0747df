// The real calendar program as a child process on the offscreen platform, in a home folder of its
// own: started through the `tempovirens` command as a user's desktop starts it.
#pragma once

#include <signal.h>
#include <sys/wait.h>

#include <QThread>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tv::test {

class RealProgram {
public:
    RealProgram() { std::filesystem::create_directories(home_.file("runtime")); }
    ~RealProgram() {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
    }
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    // What the program sees of its environment besides this process's own.
    std::vector<std::pair<std::string, std::string>> environment() const {
        return {{"QT_QPA_PLATFORM", "offscreen"},
                {"TEMPOVIRENS_PROGRAM_DIR", TV_TEST_PROGRAM_DIR},
                {"XDG_DATA_HOME", home_.file("data")},
                {"XDG_CONFIG_HOME", home_.file("config")},
                {"XDG_CACHE_HOME", home_.file("cache")},
                {"XDG_RUNTIME_DIR", home_.file("runtime")}};
    }

    bool start() {
        std::filesystem::permissions(home_.file("runtime"), std::filesystem::perms::owner_all);
        child_ = startWithEnvironment(TV_PROGRAM, environment());
        return child_ > 0;
    }

    pid_t pid() const { return child_; }

    std::string userFile(const std::string& name) const {
        return home_.file("data") + "/Brimcove Tempovirens/" + name;
    }

    // Everything the day's logs hold.
    std::string logText() const {
        std::string text;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(userFile("logs"), ec)) {
            std::ifstream in(e.path(), std::ios::binary);
            text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return text;
    }

    // The load's last line in the day's log.
    bool waitUntilLoaded() const {
        for (int i = 0; i < 300; ++i) {
            if (logText().find("loaded successfully") != std::string::npos) return true;
            QThread::msleep(100);
        }
        return false;
    }

    // The exit status, or -1 for a child that was killed or did not end within 20 s.
    int waitForExit() {
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (::waitpid(child_, &status, WNOHANG) == child_) {
                child_ = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            QThread::msleep(100);
        }
        return -1;
    }

private:
    TempDir home_;
    pid_t child_ = 0;
};

}  // namespace tv::test
