// An in-memory per-user store; `failWrites` makes every write fail. `commits` counts what would
// reach the disk: each single write, and each batch once.
#pragma once

#include <map>
#include <variant>

#include "core/ports/user_store.h"

namespace tv {

class FakeUserStore : public UserStore {
public:
    std::optional<std::string> getString(const std::string& key) const override {
        auto it = values.find(key);
        if (it == values.end()) return std::nullopt;
        if (auto* s = std::get_if<std::string>(&it->second)) return *s;
        return std::to_string(std::get<int32_t>(it->second));
    }
    bool setString(const std::string& key, const std::string& value) override {
        if (failWrites) return false;
        values[key] = value;
        ++commits;
        return true;
    }
    std::optional<int32_t> getInt(const std::string& key) const override {
        auto it = values.find(key);
        if (it == values.end()) return std::nullopt;
        if (auto* i = std::get_if<int32_t>(&it->second)) return *i;
        return std::nullopt;
    }
    bool setInt(const std::string& key, int32_t value) override {
        if (failWrites) return false;
        values[key] = value;
        ++commits;
        return true;
    }
    bool setValues(const std::vector<UserValue>& batch) override {
        if (failWrites) return false;
        for (const UserValue& v : batch)
            values[v.key] = v.value;
        ++commits;
        return true;
    }
    bool remove(const std::string& key) override { return values.erase(key) > 0; }

    std::map<std::string, std::variant<std::string, int32_t>> values;
    bool failWrites = false;
    int commits = 0;
};

}  // namespace tv
