#include "platform/qt/qt_sound.h"

#include <QFileInfo>
#include <QLibrary>

#include "core/app/folders.h"
#include "platform/sound/sound_module.h"

namespace tv {

QtSound::QtSound(std::string module)
    : module_(module.empty() ? moduleDir() + kSoundModuleFile : std::move(module)) {}

// The player goes first; the module itself stays loaded until the process ends, as QLibrary
// leaves it.
QtSound::~QtSound() {
    player_.reset();
}

Sound* QtSound::player() {
    if (tried_) return player_.get();
    tried_ = true;
    library_ = std::make_unique<QLibrary>(QString::fromStdString(module_));
    using MakeSound = Sound* (*)();
    auto make = reinterpret_cast<MakeSound>(library_->resolve(kSoundModuleEntry));
    if (make == nullptr) {
        loadError_ = library_->errorString().toStdString();
        return nullptr;
    }
    player_.reset(make());
    return player_.get();
}

bool QtSound::play(const std::string& path, bool loop) {
    if (!QFileInfo(QString::fromStdString(path)).isFile()) return false;
    Sound* sound = player();
    return sound != nullptr && sound->play(path, loop);
}

void QtSound::stop() {
    if (player_) player_->stop();
}

}  // namespace tv
