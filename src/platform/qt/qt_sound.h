// Alarm and sample sounds. The player lives in a module of its own that is loaded at the first
// play (see platform/sound): the audio libraries stay out of the start-up.
#pragma once

#include <memory>
#include <string>

#include "core/ports/sound.h"
#include "platform/qt/program_module.h"

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
    std::string loadError() { return module_.error(); }

private:
    Sound* player();

    ProgramModule module_;
    std::unique_ptr<Sound> player_;
};

}  // namespace tv
