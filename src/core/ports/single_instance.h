// One running calendar per user: the first start owns a channel, later ones hand it a message.
#pragma once

#include <functional>
#include <string>

namespace tv {

class SingleInstance {
public:
    // Handles a message and returns the answer for its sender.
    using Receiver = std::function<std::string(const std::string& message)>;
    virtual ~SingleInstance() = default;
    // True when this process is the first; it then listens with `receiver`.
    virtual bool becomePrimary(Receiver receiver) = 0;
    // Sends a message (at most 255 bytes) to the first instance and waits for its answer; true
    // when the answer is "ok".
    virtual bool send(const std::string& message) = 0;
};

}  // namespace tv
