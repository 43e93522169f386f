// A debug log below the window: the layers write diagnostics here, and whoever wants them
// (the window's categorized logging, a test) installs a sink. Silent until a sink is set.
#pragma once

#include <functional>
#include <string_view>

namespace tamo::device {

// Whose fault a line reports, so a user's log says where to look.
enum class LogSource {
    Platform,  // the backend's own notes: nodes skipped, strings unreadable
    BoardIo,   // a transfer with the open board failed
    Discovery, // a call of the enumeration or the search failed
    Window,    // the window's own steps
};

// An empty function removes the sink.
void SetDebugLogSink(std::function<void(LogSource, std::string_view)> sink);
void DebugLog(LogSource source, std::string_view message);
inline void DebugLog(std::string_view message)
{
    DebugLog(LogSource::Platform, message);
}

} // namespace tamo::device
