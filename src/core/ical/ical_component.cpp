#include "core/ical/ical_component.h"

#include <mutex>

namespace tv::ical {

void prepareLibical() {
    static std::once_flag once;
    std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
}

std::string takeLibicalString(char* text) {
    if (text == nullptr) return {};
    std::string out(text);
    icalmemory_free_buffer(text);
    return out;
}

}  // namespace tv::ical
