// Alarm and sample sounds. The player lives in a module of its own that is loaded at the first
// play (see platform/sound): the audio libraries stay out of the start-up.
#pragma once

#include <memory>
#include <string>

#include "core/ports/sound.h"

class QLibrary;

namespace tv {

class QtSound : public Sound {
public:
    // `module` is the player's file; the one in the program's module folder when empty.
    explicit QtSound(std::string module = {});
    ~QtSound() override;

    bool play(const std::string& path, bool loop) override;
    void stop() override;

    // Whether the module has been loaded (it is only tried at the first play).
    bool loaded() const { return player_ != nullptr; }
    // Why the module could not be loaded; empty when it was, or was not tried yet.
    const std::string& loadError() const { return loadError_; }

private:
    Sound* player();

    std::string module_;
    bool tried_ = false;
    std::string loadError_;
    std::unique_ptr<QLibrary> library_;
    std::unique_ptr<Sound> player_;
};

}  // namespace tv
