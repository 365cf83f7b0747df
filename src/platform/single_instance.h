// One running calendar per user: the first start owns a channel, later ones hand it a message.
#pragma once

#include <functional>
#include <string>

namespace tv {

class SingleInstance {
public:
    using Receiver = std::function<void(const std::string& message)>;
    virtual ~SingleInstance() = default;
    // True when this process is the first; it then listens with `receiver`.
    virtual bool becomePrimary(Receiver receiver) = 0;
    // Sends a message (at most 255 bytes) to the first instance and waits for its reply.
    virtual bool send(const std::string& message) = 0;
};

}  // namespace tv
