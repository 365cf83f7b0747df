#include "platform/qt/qt_sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace tv {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

bool QtSound::play(const std::string& path, bool loop) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return false;
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    effect_->play();
    return true;
}

void QtSound::stop() {
    if (effect_) effect_->stop();
}

bool QtSound::playing() const {
    return effect_ && effect_->isPlaying();
}

}  // namespace tv
