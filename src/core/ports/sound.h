// Sound files played in the background, once or in a loop.
#pragma once

#include <string>

namespace tv {

class Sound {
public:
    virtual ~Sound() = default;
    virtual bool play(const std::string& path, bool loop) = 0;
    virtual void stop() = 0;
};

}  // namespace tv
