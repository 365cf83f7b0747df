// The `tempovirens` command. A second start only hands its request to the calendar that runs and
// ends; this small program does that without Qt or any of the calendar's libraries, so it costs
// a few milliseconds instead of loading seventy shared libraries and connecting to the display.
// Otherwise it loads the calendar module and runs it in this same process.
#include <dlfcn.h>

#include <cstdio>
#include <optional>
#include <string>
#include <thread>

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

// The first text the calendar draws waits for fontconfig to read its configuration: some
// milliseconds of parsing on the main thread. Loading the calendar's libraries takes longer than
// that and leaves the second core idle, so fontconfig is set up there meanwhile; Qt later finds
// it ready. Without fontconfig nothing happens here, and Qt sets it up as it always does.
std::thread startFontconfig() {
    void* fontconfig = ::dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (fontconfig == nullptr) return {};
    using Init = int (*)();
    auto init = reinterpret_cast<Init>(::dlsym(fontconfig, "FcInit"));
    if (init == nullptr) return {};
    return std::thread([init] { init(); });
}

}  // namespace

int main(int argc, char** argv) {
    if (handOverEarly(argc, argv)) return 0;

    std::thread fontconfig = startFontconfig();
    const std::string module = tv::moduleDir() + kCalendarModuleFile;
    void* calendar = ::dlopen(module.c_str(), RTLD_LAZY | RTLD_LOCAL);
    auto* run =
        calendar != nullptr
            ? reinterpret_cast<decltype(&tvCalendarMain)>(::dlsym(calendar, kCalendarModuleEntry))
            : nullptr;
    int code = 1;
    if (run != nullptr) {
        code = run(argc, argv);
    } else {
        // Before the calendar and its string table: a broken installation is all there is to
        // tell, in the words of the loader.
        std::fprintf(stderr, "tempovirens: a naptár nem tölthető be: %s\n", ::dlerror());
    }
    if (fontconfig.joinable()) fontconfig.join();
    return code;
}
