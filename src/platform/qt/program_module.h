// One of the program's own modules (lib/tempovirens/): loaded the first time its entry is asked
// for, from whichever thread asks first, and kept until the process ends. A module that cannot
// be loaded leaves a null entry and the loader's reason, never a stopped program.
#pragma once

#include <memory>
#include <mutex>
#include <string>

class QLibrary;

namespace tv {

class ProgramModule {
public:
    // `path` names the module's file; empty: `fileName` in the program's module folder.
    ProgramModule(std::string path, const char* fileName, const char* entryName);
    ~ProgramModule();
    ProgramModule(const ProgramModule&) = delete;
    ProgramModule& operator=(const ProgramModule&) = delete;

    // The exported entry, loading the module at the first call; null when it cannot be loaded.
    void* entry();
    // Why it could not be loaded; empty when it was, or was not tried yet.
    std::string error();

private:
    std::mutex mutex_;
    std::string path_;
    const char* entryName_;
    bool tried_ = false;
    std::unique_ptr<QLibrary> library_;
    void* entry_ = nullptr;
    std::string error_;
};

}  // namespace tv
