#include "cli/calendar_handover.h"

#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <random>

#include "core/app/folders.h"
#include "core/calc/files.h"
#include "platform/qt/qt_single_instance.h"

namespace tv::cli {
namespace {

// "PID-RANDOM": unique among the commands of this user, and a valid change id.
std::string newRequestId() {
    std::random_device device;
    std::mt19937_64 random(device());
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(random()));
    return std::to_string(::getpid()) + "-" + hex;
}

std::string absoluteFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(folder, ec);
    return ec ? folder : p.lexically_normal().string();
}

// Two spellings of one folder are one folder once links, dots and the last "/" are gone.
std::string resolvedFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::weakly_canonical(absoluteFolder(folder), ec);
    std::string out = ec ? absoluteFolder(folder) : p.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

}  // namespace

struct WriteAccess::Channel {
    // The socket needs an application object; the command may already have one (render).
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<QtSingleInstance> instance;
};

WriteAccess::WriteAccess(const CliContext&) : channel_(std::make_unique<Channel>()) {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tempovirens-cli";
        static char* argv[] = {name, nullptr};
        channel_->app = std::make_unique<QCoreApplication>(argc, argv);
    }
    channel_->instance = std::make_unique<QtSingleInstance>();
    switch (channel_->instance->claimForWriting()) {
        case QtSingleInstance::Claim::kOwned:
            kind_ = Kind::kOwn;
            break;
        case QtSingleInstance::Claim::kCalendarRuns:
            kind_ = Kind::kCalendarRuns;
            break;
        case QtSingleInstance::Claim::kBusy:
            kind_ = Kind::kBusy;
            break;
    }
}

WriteAccess::~WriteAccess() {
    // The lock goes before the application object it was made under.
    channel_->instance.reset();
}

std::optional<ChangeReply> WriteAccess::handOver(const ChangeRequest& request, int replyTimeoutMs) {
    const std::string id = newRequestId();
    const std::string file = channel_->instance->folder() + std::string(kChangeFilePrefix) + id;
    // Only this user may read it: it may hold the text of a private event.
    if (!saveFileAtomic(file, encodeChangeRequest(request), ".tmp", 0600)) return std::nullopt;
    const std::optional<std::string> answer =
        channel_->instance->request(std::string(kApplyMessage) + id, replyTimeoutMs);
    ::unlink(file.c_str());
    if (!answer) return std::nullopt;
    return decodeChangeReply(*answer);
}

std::string handoverFolder() {
    return QtSingleInstance::defaultFolder();
}

bool mayWriteHere(const CliContext& c, const WriteAccess& access) {
    switch (access.kind()) {
        case WriteAccess::Kind::kOwn:
            return true;
        case WriteAccess::Kind::kBusy:
            return false;
        case WriteAccess::Kind::kCalendarRuns:
            break;
    }
    // The calendar works on the folder our environment names.
    return resolvedFolder(c.paths.userDataDir) != resolvedFolder(resolvePaths().userDataDir);
}

int runChange(CliContext& c, ChangeRequest request, const std::function<int()>& local,
              const std::function<int(const ChangeReply&)>& printDone) {
    request.userDataDir = absoluteFolder(c.paths.userDataDir);
    WriteAccess access(c);
    switch (access.kind()) {
        case WriteAccess::Kind::kOwn:
            return local();
        case WriteAccess::Kind::kBusy:
            return c.fail("another command is writing the calendar's files; try again");
        case WriteAccess::Kind::kCalendarRuns:
            break;
    }
    const std::optional<ChangeReply> reply = access.handOver(request);
    if (!reply) {
        return c.fail(
            "the change could not be handed to the running calendar, or it did not answer in "
            "time; check the calendar before trying again");
    }
    // A calendar on another data folder leaves this one to us: nobody else writes it.
    if (reply->word == kReplyElsewhere) return local();
    if (!reply->notes.empty()) *c.err << plainText(reply->notes) << '\n';
    if (reply->word == kReplyDone) return printDone(*reply);
    if (reply->word == kReplyError) {
        if (reply->notes.empty()) return c.fail("the running calendar refused the change");
        return kExitFailure;
    }
    return c.fail("the running calendar gave an answer this command does not know");
}

}  // namespace tv::cli
