// Owning handles for libical's objects, and the one-time setup every entry point of ours runs
// before it calls libical: its errors must come back as values, never end the process.
#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>

namespace tv::ical {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

struct PropertyFree {
    void operator()(icalproperty* p) const { icalproperty_free(p); }
};
using PropertyPtr = std::unique_ptr<icalproperty, PropertyFree>;

// Makes libical's errors non-fatal (a build may have them abort). Cheap after the first call.
void prepareLibical();

// A text libical handed over with the _r functions, which the caller frees.
std::string takeLibicalString(char* text);

}  // namespace tv::ical
