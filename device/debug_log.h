// SPDX-License-Identifier: GPL-3.0-or-later
// A debug log below the window: the layers write diagnostics here, and whoever wants them
// (the window's categorized logging, a test) installs a sink. Silent until a sink is set.
#pragma once

#include <functional>
#include <string_view>

namespace tamo::device {

// Whose fault a message tells of: the transfers with a board (the platform backends), the
// search for boards, or the window's own steps.
enum class LogSource { BoardIo, Discovery, Window };

const char *LogSourceName(LogSource source);

// An empty function removes the sink. A sink of messages alone receives those of every source.
void SetDebugLogSink(std::function<void(std::string_view)> sink);
void SetSourcedDebugLogSink(std::function<void(LogSource, std::string_view)> sink);

void DebugLog(LogSource source, std::string_view message);
// A message about a transfer with a board.
inline void DebugLog(std::string_view message)
{
    DebugLog(LogSource::BoardIo, message);
}

} // namespace tamo::device
