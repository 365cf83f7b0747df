#include "platform/posix/local_hand_over.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace tv {
namespace {

// The answer is as short as a request: text and its zero byte.
constexpr size_t kMaxAnswerBytes = 255;

bool ownFolder(const std::string& dir) {
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

class Socket {
public:
    Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string sessionRuntimeFolder() {
    const char* env = std::getenv("XDG_RUNTIME_DIR");
    if (env != nullptr && env[0] != '\0') return env;
    std::string session = "/run/user/" + std::to_string(::getuid());
    return ownFolder(session) ? session : std::string();
}

std::string instanceSocketPath(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    path += "/";
    path += kInstanceSocketName;
    return path.size() < sizeof(sockaddr_un::sun_path) ? path : std::string();
}

namespace {

bool connectTo(const Socket& s, const std::string& folder) {
    const std::string path = instanceSocketPath(folder);
    if (path.empty() || s.fd() < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    // A socket nobody listens on refuses at once; only a listening calendar gets the request.
    return ::connect(s.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

}  // namespace

HandOver handOverToCalendar(const std::string& folder, const std::string& message,
                            int replyTimeoutMs) {
    HandOver result;
    if (message.size() >= kMaxAnswerBytes) return result;
    Socket s;
    if (!connectTo(s, folder)) return result;
    result.reached = true;
    if (!writeAll(s.fd(), message.c_str(), message.size() + 1)) return result;

    std::string answer;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(replyTimeoutMs);
    char buffer[kMaxAnswerBytes];
    while (answer.size() < kMaxAnswerBytes) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd p{s.fd(), POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) return result;
        const ssize_t n = ::recv(s.fd(), buffer, kMaxAnswerBytes - answer.size(), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        answer.append(buffer, static_cast<size_t>(n));
        if (const size_t zero = answer.find('\0'); zero != std::string::npos) {
            answer.resize(zero);
            result.answer = std::move(answer);
            return result;
        }
    }
    return result;
}

std::optional<std::string> sendToRunningCalendar(const std::string& folder,
                                                 const std::string& message, int replyTimeoutMs) {
    HandOver h = handOverToCalendar(folder, message, replyTimeoutMs);
    if (!h.reached) return std::nullopt;
    return h.answer.value_or(std::string());
}

bool calendarListens(const std::string& folder) {
    Socket s;
    return connectTo(s, folder);
}

}  // namespace tv
