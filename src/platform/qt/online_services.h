// The program's side of the online module: the module is loaded at the first use of what it
// offers (the update check's download, a sync, the keyring), from whichever thread comes first.
// A module that cannot be loaded fails those uses, never the program: the download reports a
// failure, CalDAV requests get no answer, and passwords are kept in memory only.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>

#include "core/ports/caldav.h"
#include "core/ports/download.h"
#include "core/ports/secret_store.h"
#include "platform/qt/program_module.h"

namespace tv {

struct OnlineFactories;

class OnlineModule {
public:
    // The module file in the program's module folder, or `file` when given (tests).
    explicit OnlineModule(std::string file = {});
    ~OnlineModule();
    OnlineModule(const OnlineModule&) = delete;
    OnlineModule& operator=(const OnlineModule&) = delete;

    // Loads the module at the first call; null when it cannot be loaded (error() says why).
    const OnlineFactories* factories();
    std::string error() { return module_.error(); }

    // The one the program uses.
    static OnlineModule& program();

private:
    ProgramModule module_;
};

class LazyDownload : public Download {
public:
    explicit LazyDownload(OnlineModule& module = OnlineModule::program()) : module_(module) {}
    ~LazyDownload() override;
    void get(const std::string& url, Done done) override;

private:
    OnlineModule& module_;
    std::unique_ptr<Download> real_;
};

class LazySecretStore : public SecretStore {
public:
    explicit LazySecretStore(OnlineModule& module = OnlineModule::program()) : module_(module) {}
    ~LazySecretStore() override;
    std::optional<std::string> read(const std::string& key) override;
    bool write(const std::string& key, const std::string& secret) override;
    void remove(const std::string& key) override;

private:
    SecretStore* real();

    OnlineModule& module_;
    bool tried_ = false;
    std::unique_ptr<SecretStore> real_;
    std::map<std::string, std::string> memory_;  // without the module
};

// A client for one sync, made on the thread that uses it. Without the module, every request
// ends with no answer and the loader's reason.
std::unique_ptr<CalDavClient> makeCalDavClient(const CalDavAccount& account,
                                               const std::atomic<bool>* cancel,
                                               OnlineModule& module = OnlineModule::program());

}  // namespace tv
