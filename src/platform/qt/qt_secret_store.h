// The sync password in the desktop's keyring through QtKeychain; when no keyring answers, it is
// kept in this process's memory only, and the program asks for it after the next start.
#pragma once

#include <map>
#include <string>

#include "core/ports/secret_store.h"

namespace tv {

class QtSecretStore : public SecretStore {
public:
    static constexpr const char* kService = "Tempovirens";

    std::optional<std::string> read(const std::string& key) override;
    bool write(const std::string& key, const std::string& secret) override;
    void remove(const std::string& key) override;

    // Whether the last request reached a keyring.
    bool keyringAvailable() const { return keyring_; }

private:
    std::map<std::string, std::string> memory_;
    bool keyring_ = true;
};

}  // namespace tv
