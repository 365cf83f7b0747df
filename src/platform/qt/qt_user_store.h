// The per-user store on QSettings: $XDG_CONFIG_HOME/Brimcove/Tempovirens.conf.
#pragma once

#include <memory>

#include "core/ports/user_store.h"

class QSettings;

namespace tv {

class QtUserStore : public UserStore {
public:
    QtUserStore();
    // A store in an explicit file (tests).
    explicit QtUserStore(const std::string& iniPath);
    ~QtUserStore() override;

    std::optional<std::string> getString(const std::string& key) const override;
    bool setString(const std::string& key, const std::string& value) override;
    std::optional<int32_t> getInt(const std::string& key) const override;
    bool setInt(const std::string& key, int32_t value) override;
    bool remove(const std::string& key) override;
    bool setValues(const std::vector<UserValue>& values) override;

private:
    bool commit();
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tv
