// What the online module offers the program that loads it: the download behind the update check,
// the CalDAV client and the keyring. Qt Network, its TLS and proxy libraries and the keyring
// library come with the module, so a start that goes online for nothing maps none of them.
#pragma once

#include <atomic>

#include "core/ports/caldav.h"
#include "core/ports/download.h"
#include "core/ports/secret_store.h"

namespace tv {

// New objects, owned by the caller. The module stays loaded until the process ends, so their
// code outlives them.
struct OnlineFactories {
    Download* (*makeDownload)();
    SecretStore* (*makeSecretStore)();
    CalDavClient* (*makeCalDavClient)(const CalDavAccount& account,
                                      const std::atomic<bool>* cancel);
};

}  // namespace tv

// The module's file in the program's module folder, and the one function it exports.
inline constexpr const char* kOnlineModuleFile = "libtempovirens_online.so";
inline constexpr const char* kOnlineModuleEntry = "tvOnlineFactories";
extern "C" const tv::OnlineFactories* tvOnlineFactories();
