// SPDX-License-Identifier: GPL-3.0-or-later
#include "debug_log.h"

#include <utility>

namespace tamo::device {

namespace {

using Sink = std::function<void(LogSource, std::string_view)>;

Sink &TheSink()
{
    static Sink sink;
    return sink;
}

} // namespace

const char *LogSourceName(LogSource source)
{
    switch (source) {
    case LogSource::BoardIo:
        return "board";
    case LogSource::Discovery:
        return "discovery";
    case LogSource::Window:
        break;
    }
    return "window";
}

void SetDebugLogSink(std::function<void(std::string_view)> sink)
{
    if (!sink)
        TheSink() = nullptr;
    else
        TheSink() = [sink = std::move(sink)](LogSource, std::string_view message) {
            sink(message);
        };
}

void SetSourcedDebugLogSink(std::function<void(LogSource, std::string_view)> sink)
{
    TheSink() = std::move(sink);
}

void DebugLog(LogSource source, std::string_view message)
{
    if (const Sink &sink = TheSink())
        sink(source, message);
}

} // namespace tamo::device
