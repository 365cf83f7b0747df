// What the steps of the start-up, the load and the change of day share: the clock's time, the
// width of the log's rule lines, and the step wrapper that logs a step under its name and keeps
// an unexpected failure inside it from stopping the steps after it.
#pragma once

#include <functional>
#include <string_view>

#include "core/app/window_host.h"
#include "core/calc/date.h"
#include "core/ports/platform.h"

namespace tv {

inline constexpr size_t kLogRuleWidth = 81;

inline DateTime clockNow(const AppContext& ctx) {
    return ctx.platform.clock->now();
}

// Writes `name` at `level` (none when negative), runs `work`, and logs an exception it throws as
// "Error in '<name>': ...".
void step(AppContext& ctx, std::string_view name, int level, const std::function<void()>& work);

}  // namespace tv
