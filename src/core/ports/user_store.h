// The per-user key-value store that stands in for the registry: installation values and the
// user identifier. Keys are paths such as "Tempovirens/Install_Dir".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tv {

// One value of a batch write: a text or a number.
struct UserValue {
    std::string key;
    std::variant<std::string, int32_t> value;
};

class UserStore {
public:
    virtual ~UserStore() = default;
    virtual std::optional<std::string> getString(const std::string& key) const = 0;
    virtual bool setString(const std::string& key, const std::string& value) = 0;
    virtual std::optional<int32_t> getInt(const std::string& key) const = 0;
    virtual bool setInt(const std::string& key, int32_t value) = 0;
    virtual bool remove(const std::string& key) = 0;
    // Several values at once. A store that commits to disk does it once for the batch; false
    // when any of them could not be written.
    virtual bool setValues(const std::vector<UserValue>& values) {
        bool ok = true;
        for (const UserValue& v : values) {
            const auto* text = std::get_if<std::string>(&v.value);
            ok = (text != nullptr ? setString(v.key, *text)
                                  : setInt(v.key, std::get<int32_t>(v.value))) &&
                 ok;
        }
        return ok;
    }
};

}  // namespace tv
