// The `tempovirens` command. A second start only hands its request to the calendar that runs and
// ends; this small program does that without Qt or any of the calendar's libraries, so it costs
// a few milliseconds instead of loading seventy shared libraries and connecting to the display.
// Otherwise it loads the calendar module and runs it in this same process.
#include <dlfcn.h>

#include <cstdio>
#include <optional>
#include <string>

#include "core/app/folders.h"
#include "core/app/hand_over.h"
#include "launcher/calendar_entry.h"
#include "platform/posix/local_hand_over.h"

namespace {

// Only for the command lines the calendar itself knows; anything else (Qt's own options, the
// developer ones) takes the ordinary way, which hands over too when it has to.
bool handOverEarly(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    if (line != "" && line != "-dev" && line != "-boot") return false;
    const std::optional<std::string> message = tv::handOverMessage(line);
    const std::string folder = tv::sessionRuntimeFolder();
    if (!message || folder.empty()) return false;
    return tv::sendToRunningCalendar(folder, *message, tv::kHandOverReplyTimeoutMs).has_value();
}

}  // namespace

int main(int argc, char** argv) {
    if (handOverEarly(argc, argv)) return 0;

    const std::string module = tv::moduleDir() + kCalendarModuleFile;
    void* calendar = ::dlopen(module.c_str(), RTLD_LAZY | RTLD_LOCAL);
    auto* run =
        calendar != nullptr
            ? reinterpret_cast<decltype(&tvCalendarMain)>(::dlsym(calendar, kCalendarModuleEntry))
            : nullptr;
    if (run == nullptr) {
        // Before the calendar and its string table: a broken installation is all there is to
        // tell, in the words of the loader.
        std::fprintf(stderr, "tempovirens: a naptár nem tölthető be: %s\n", ::dlerror());
        return 1;
    }
    return run(argc, argv);
}
