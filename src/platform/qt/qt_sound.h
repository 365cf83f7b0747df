// Alarm and sample sounds on QSoundEffect: WAV files played once or in a loop, in the background.
#pragma once

#include <QObject>
#include <memory>

#include "core/ports/sound.h"

class QSoundEffect;

namespace tv {

class QtSound : public QObject, public Sound {
    Q_OBJECT
public:
    QtSound();
    ~QtSound() override;

    bool play(const std::string& path, bool loop) override;
    void stop() override;
    bool playing() const;

private:
    // Made at the first play: creating the audio backend costs start-up time.
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace tv
