#include "debug_log.h"

#include <utility>

namespace tamo::device {

namespace {

std::function<void(LogSource, std::string_view)> &Sink()
{
    static std::function<void(LogSource, std::string_view)> sink;
    return sink;
}

} // namespace

void SetDebugLogSink(std::function<void(LogSource, std::string_view)> sink)
{
    Sink() = std::move(sink);
}

void DebugLog(LogSource source, std::string_view message)
{
    if (const auto &sink = Sink())
        sink(source, message);
}

} // namespace tamo::device
