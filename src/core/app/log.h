// The run's diary: one file per start day under the user data folder's "logs/".
#pragma once

#include <string>
#include <string_view>

namespace tv {

class Clock;

class Log {
public:
    explicit Log(const Clock& clock) : clock_(clock) {}

    // Remembers the path, creates the file empty when it does not exist, sets the reference time.
    void open(const std::string& path);
    // Appends one line in the format of its level (0..3); other levels write nothing. Each call
    // opens, writes and closes the file, so it is whole even if the process is killed.
    void write(std::string_view text, int level) const;
    // Level-1 stamps count from here: the open, and again when the window starts to load.
    void setReferenceTime();

    const std::string& path() const { return path_; }
    bool isOpen() const { return !path_.empty(); }

    // "calendar_YYYY-MM-DD.log"
    static std::string fileNameFor(int year, int month, int day);

private:
    const Clock& clock_;
    std::string path_;
    double reference_ = 0;
};

// Deletes the logs of the folder that are a week old or older (age in days rounded half to even).
void cleanLogs(const std::string& logsFolder, const Clock& clock);

}  // namespace tv
