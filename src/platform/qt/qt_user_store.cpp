#include "platform/qt/qt_user_store.h"

#include <QSettings>

namespace tv {
namespace {

QString key(const std::string& k) {
    return QString::fromStdString(k);
}

}  // namespace

QtUserStore::QtUserStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Brimcove"),
                                            QStringLiteral("Tempovirens"))) {}

QtUserStore::QtUserStore(const std::string& iniPath)
    : settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

QtUserStore::~QtUserStore() = default;

bool QtUserStore::commit() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

std::optional<std::string> QtUserStore::getString(const std::string& k) const {
    const QVariant v = settings_->value(key(k));
    if (!v.isValid()) return std::nullopt;
    return v.toString().toStdString();
}

bool QtUserStore::setString(const std::string& k, const std::string& value) {
    settings_->setValue(key(k), QString::fromStdString(value));
    return commit();
}

std::optional<int32_t> QtUserStore::getInt(const std::string& k) const {
    const QVariant v = settings_->value(key(k));
    bool ok = false;
    const int i = v.toInt(&ok);
    if (!v.isValid() || !ok) return std::nullopt;
    return i;
}

bool QtUserStore::setInt(const std::string& k, int32_t value) {
    settings_->setValue(key(k), value);
    return commit();
}

bool QtUserStore::setValues(const std::vector<UserValue>& values) {
    // Every sync rewrites the file and flushes it twice: one for the whole batch.
    for (const UserValue& v : values) {
        if (const auto* text = std::get_if<std::string>(&v.value)) {
            settings_->setValue(key(v.key), QString::fromStdString(*text));
        } else {
            settings_->setValue(key(v.key), std::get<int32_t>(v.value));
        }
    }
    return commit();
}

bool QtUserStore::remove(const std::string& k) {
    if (!settings_->contains(key(k))) return false;
    settings_->remove(key(k));
    return commit();
}

}  // namespace tv
