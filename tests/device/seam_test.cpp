// SPDX-License-Identifier: GPL-3.0-or-later
// What every backend hands up: a read's result as LastResult keeps it, and the debug log's
// sources.
#include "debug_log.h"
#include "platform_result.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tamo::device {

TEST(ReadResultInLastResult, OnlyReportsCountAsSuccessAndEveryOtherReadKeepsItsReason)
{
    const PlatformResult reports = ReadResult::reports();
    EXPECT_TRUE(reports.ok);
    EXPECT_NE(reports.value, 0);
    EXPECT_TRUE(reports.error.empty());

    for (const ReadResult &empty : {ReadResult::nothingQueued("ReadFile(hidraw3): none queued"),
                                    ReadResult::failed("read(hidraw3): No such device")}) {
        EXPECT_FALSE(empty);
        const PlatformResult stored = empty;
        EXPECT_FALSE(stored.ok);
        EXPECT_EQ(stored.value, 0);
        EXPECT_EQ(stored.error, empty.error);
    }
    EXPECT_EQ(ReadResult{}.outcome, ReadOutcome::Failed) << "a read never made is no success";
}

TEST(DebugLog, EachMessageReachesTheSinkWithItsSource)
{
    std::vector<std::pair<LogSource, std::string>> sourced;
    SetSourcedDebugLogSink([&](LogSource source, std::string_view message) {
        sourced.emplace_back(source, std::string(message));
    });
    DebugLog("open(/dev/hidraw3): Permission denied");
    DebugLog(LogSource::Discovery, "SetupDiEnumDeviceInterfaces: no more items");
    DebugLog(LogSource::Window, "poll: board lost");
    EXPECT_EQ(sourced, (std::vector<std::pair<LogSource, std::string>>{
                           {LogSource::BoardIo, "open(/dev/hidraw3): Permission denied"},
                           {LogSource::Discovery, "SetupDiEnumDeviceInterfaces: no more items"},
                           {LogSource::Window, "poll: board lost"}}));

    std::vector<std::string> plain;
    SetDebugLogSink([&](std::string_view message) { plain.emplace_back(message); });
    DebugLog(LogSource::Discovery, "a");
    DebugLog("b");
    EXPECT_EQ(plain, (std::vector<std::string>{"a", "b"})) << "a plain sink hears every source";

    SetDebugLogSink({});
    DebugLog("unheard");
    EXPECT_EQ(plain.size(), 2u);
    EXPECT_EQ(sourced.size(), 3u);
}

} // namespace tamo::device
