// Built without the calendar program: no calendar can run, so every change is the command's own.
#include "cli/calendar_handover.h"

namespace tv::cli {

struct WriteAccess::Channel {};

WriteAccess::WriteAccess(const CliContext&) {}
WriteAccess::~WriteAccess() = default;

std::optional<ChangeReply> WriteAccess::handOver(const ChangeRequest&, int) {
    return std::nullopt;
}

std::string handoverFolder() {
    return {};
}

bool mayWriteHere(const CliContext&, const WriteAccess&) {
    return true;
}

int runChange(CliContext&, ChangeRequest, const std::function<int()>& local,
              const std::function<int(const ChangeReply&)>&) {
    return local();
}

}  // namespace tv::cli
