// Fetching a small reply over HTTPS without blocking the window.
#pragma once

#include <functional>
#include <string>

namespace tv {

struct DownloadResult {
    bool ok = false;
    std::string body;  // at most the cap of the implementation
};

class Download {
public:
    using Done = std::function<void(const DownloadResult&)>;
    virtual ~Download() = default;
    // Starts the request; `done` runs later on the user-interface thread.
    virtual void get(const std::string& url, Done done) = 0;
};

}  // namespace tv
