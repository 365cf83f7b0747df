// Where the sync password is kept: the desktop's keyring, or, without one, only the memory of
// the running program. Requests block briefly (the keyring answers over the session bus).
#pragma once

#include <optional>
#include <string>

namespace tv {

class SecretStore {
public:
    virtual ~SecretStore() = default;
    // Nothing when none is kept under that key (or the keyring cannot be reached).
    virtual std::optional<std::string> read(const std::string& key) = 0;
    // False when it could only be kept in memory: the user will be asked again after a restart.
    virtual bool write(const std::string& key, const std::string& secret) = 0;
    virtual void remove(const std::string& key) = 0;
};

}  // namespace tv
