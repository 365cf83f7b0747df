// The per-user key-value store that stands in for the registry: installation values and the
// user identifier. Keys are paths such as "Tempovirens/Install_Dir".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

class UserStore {
public:
    virtual ~UserStore() = default;
    virtual std::optional<std::string> getString(const std::string& key) const = 0;
    virtual bool setString(const std::string& key, const std::string& value) = 0;
    virtual std::optional<int32_t> getInt(const std::string& key) const = 0;
    virtual bool setInt(const std::string& key, int32_t value) = 0;
    virtual bool remove(const std::string& key) = 0;
};

}  // namespace tv
