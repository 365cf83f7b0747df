// The player of the alarm and sample sounds, built as a module of its own: Qt Multimedia and the
// audio stack behind it (PulseAudio, the codec libraries) are loaded when the first sound plays,
// so a start that rings nothing does not pay for them in time or memory.
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <memory>

#include "core/ports/sound.h"
#include "platform/sound/sound_module.h"

namespace {

// WAV files on QSoundEffect, played once or in a loop, in the background.
class EffectSound : public tv::Sound {
public:
    bool play(const std::string& path, bool loop) override {
        const QString file = QString::fromStdString(path);
        if (!QFileInfo(file).isFile()) return false;
        if (!effect_) effect_ = std::make_unique<QSoundEffect>();
        effect_->stop();
        effect_->setSource(QUrl::fromLocalFile(file));
        effect_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
        effect_->play();
        return true;
    }

    void stop() override {
        if (effect_) effect_->stop();
    }

private:
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) tv::Sound* tvMakeSound() {
    return new EffectSound;
}
