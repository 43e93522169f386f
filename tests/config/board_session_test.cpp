// SPDX-License-Identifier: GPL-3.0-or-later
// The board's protocol sequences with no window: a virtual board on the other end records
// what it receives and answers as a board does.
#include "board_session.h"
#include "debug_log.h"
#include "discovery.h"
#include "input_report.h"
#include "virtual_platform.h"

#include <gtest/gtest.h>

namespace tamo::test {

using config::ButtonBytes;
using config::NewestButtonBytes;

class BoardSession : public ::testing::Test {
protected:
    std::uint64_t now = 0;
    sim::VirtualHidPlatform platform{[this] {
        return now;
    }};
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    int board = -1;

    void SetUp() override
    {
        auto definition = sim::FamilyBoard(u"S1");
        definition.inputMode = sim::InputMode::OnChange;
        definition.versionNumber = 0x0110;
        board = platform.addDevice(definition);
        device::Discovery discovery{platform, connection, valueCaps};
        ASSERT_TRUE(device::FindTheHid(discovery, "S1").found);
    }
    config::BoardSession session() { return {platform, connection}; }
    sim::BoardModel &model() { return *platform.board(board); }
};

TEST_F(BoardSession, ASettingSentIsHeldByTheBoardAndReadBack)
{
    EXPECT_TRUE(session().SendPulseLength(1));
    ASSERT_EQ(platform.featureReportsReceived(board).size(), 1u);
    std::vector<std::uint8_t> expected(17, 0);
    expected[1] = 0xEE;
    expected[2] = 6;
    expected[3] = 2;
    EXPECT_EQ(platform.featureReportsReceived(board)[0], expected);

    EXPECT_TRUE(session().SendEncoderModes(std::array{1, 3, 0, 0, 0, 0, 0, 2}));
    EXPECT_TRUE(session().SendEncoderModes9_10(2, 1));
    EXPECT_TRUE(session().SendAInputMode(4));
    const auto settings = session().ReadBackConfiguration();
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->pulseLength, 2);
    EXPECT_EQ(settings->aInputMode, 4);
    EXPECT_EQ(settings->encoderModes, (std::array<int, 10>{1, 3, 0, 0, 0, 0, 0, 2, 2, 1}));
    EXPECT_EQ(platform.countCalls("HidD_GetFeature", board), 8);
}

TEST_F(BoardSession, TheLastUsableReplyOfEightDecides)
{
    auto reply = [](std::uint8_t status, std::uint8_t pulse) {
        std::vector<std::uint8_t> bytes(17, 0);
        bytes[1] = status;
        bytes[8] = pulse;
        return bytes;
    };
    model().setReplyStatus(1); // the board's own replies after the script are unusable
    model().scriptFeatureReplies({reply(0, 3), reply(0, 9), reply(4, 12)});
    const auto settings = session().ReadBackConfiguration();
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->pulseLength, 9);

    model().scriptFeatureReplies({reply(2, 3)});
    EXPECT_FALSE(session().ReadBackConfiguration());
}

TEST_F(BoardSession, IdentityAndSelfTest)
{
    const config::BoardIdentity identity = session().ReadIdentity();
    EXPECT_TRUE(identity.manufacturer);
    EXPECT_TRUE(identity.product);
    EXPECT_EQ(identity.version, " 1.10");

    model().setSelfTestResult(12);
    EXPECT_EQ(session().RunSelfTest(), (config::SelfTestDisplay{"Failed on B12", "0 12"}));
    model().setSelfTestResult(0);
    EXPECT_EQ(session().RunSelfTest(), (config::SelfTestDisplay{"Passed", "0 0"}));
    platform.failNext("HidD_GetFeature", 1, board);
    EXPECT_EQ(session().RunSelfTest().testResult, "No reply from board");
}

TEST_F(BoardSession, APollShowsThePressedButtonsOfTheNewestReport)
{
    EXPECT_EQ(session().PollInput().outcome, device::ReadOutcome::NothingQueued);
    model().setButtons(1u << 0);
    model().setButtons(1u << 16 | 1u << 31);
    const config::InputPoll poll = session().PollInput();
    EXPECT_EQ(poll.outcome, device::ReadOutcome::Reports);
    ASSERT_TRUE(poll.buttons);
    EXPECT_FALSE(config::ButtonPressed(*poll.buttons, 1)) << "an older report was shown";
    EXPECT_TRUE(config::ButtonPressed(*poll.buttons, 17));
    EXPECT_TRUE(config::ButtonPressed(*poll.buttons, 32));

    platform.unplug(board);
    EXPECT_EQ(session().PollInput().outcome, device::ReadOutcome::Failed);
}

TEST_F(BoardSession, AFailedTransferIsReportedAndReachesTheLogWithItsReason)
{
    std::vector<std::pair<device::LogSource, std::string>> logged;
    device::SetSourcedDebugLogSink([&](device::LogSource source, std::string_view line) {
        logged.emplace_back(source, line);
    });
    platform.failNext("HidD_SetFeature", 1, board);
    const bool sent = session().SendAInputMode(1);
    device::SetSourcedDebugLogSink({});
    EXPECT_FALSE(sent);
    EXPECT_FALSE(connection.LastResult.ok);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].first, device::LogSource::BoardIo);
    EXPECT_EQ(logged[0].second, connection.LastResult.error);
    EXPECT_FALSE(logged[0].second.empty());
}

TEST(InputReportDecode, OnlyTheNewestWholeReportCounts)
{
    // Three 8-byte reports: the third's bytes 3 to 6 are 0x81 0 0x10 0x80.
    std::vector<std::uint8_t> read(24, 0xFF);
    const std::uint8_t newest[] = {0, 0, 0, 0x81, 0x00, 0x10, 0x80, 0x55};
    std::copy(std::begin(newest), std::end(newest), read.begin() + 16);
    const auto bytes = NewestButtonBytes(read, 8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, (ButtonBytes{{0x81, 0x00, 0x10, 0x80}, 4}));
    EXPECT_TRUE(config::ButtonPressed(*bytes, 1));
    EXPECT_TRUE(config::ButtonPressed(*bytes, 8));
    EXPECT_FALSE(config::ButtonPressed(*bytes, 2));
    EXPECT_TRUE(config::ButtonPressed(*bytes, 21));
    EXPECT_TRUE(config::ButtonPressed(*bytes, 32));
    EXPECT_FALSE(config::ButtonPressed(*bytes, 0));
    EXPECT_FALSE(config::ButtonPressed(*bytes, 33));
}

TEST(InputReportDecode, NeverReadsOutsideTheBytesReadOrTheReport)
{
    const std::vector<std::uint8_t> read(7, 0x01);
    EXPECT_FALSE(NewestButtonBytes(read, 0)) << "a board that declares no input report";
    EXPECT_FALSE(NewestButtonBytes(read, 8)) << "less than one whole report";
    EXPECT_FALSE(NewestButtonBytes(read, 1200));
    EXPECT_FALSE(NewestButtonBytes({}, 5));
    // A five-byte report holds buttons 1 to 16 only.
    const auto shortReport = NewestButtonBytes(std::span(read).first(5), 5);
    ASSERT_TRUE(shortReport);
    EXPECT_EQ(shortReport->count, 2u);
    EXPECT_FALSE(config::ButtonPressed(*shortReport, 17));
    const auto tiny = NewestButtonBytes(std::span(read).first(3), 3);
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->count, 0u);
}

} // namespace tamo::test
