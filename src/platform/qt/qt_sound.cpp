#include "platform/qt/qt_sound.h"

#include <QFileInfo>

#include "platform/sound/sound_module.h"

namespace tv {

QtSound::QtSound(std::string module)
    : module_(std::move(module), kSoundModuleFile, kSoundModuleEntry) {}

// The player goes first; the module stays loaded.
QtSound::~QtSound() {
    player_.reset();
}

Sound* QtSound::player() {
    if (!player_) {
        using MakeSound = Sound* (*)();
        if (auto make = reinterpret_cast<MakeSound>(module_.entry())) player_.reset(make());
    }
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
