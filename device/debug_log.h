// A debug log below the window: the layers write diagnostics here, and whoever wants them
// (the window's categorized logging, a test) installs a sink. Silent until a sink is set.
#pragma once

#include <functional>
#include <string_view>

namespace tamo::device {

// An empty function removes the sink.
void SetDebugLogSink(std::function<void(std::string_view)> sink);
void DebugLog(std::string_view message);

} // namespace tamo::device
