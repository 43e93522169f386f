// SPDX-License-Identifier: GPL-3.0-or-later
// Setting changes travel to the board as command reports; the self-diagnostic's texts.
#include "board_window_fixture.h"

#include <QPushButton>

namespace tamo::test {

using Commands = std::vector<std::pair<int, int>>;

class SettingsWriters : public BoardWindow {
protected:
    int board = -1;
    void SetUp() override { board = addBoard(u"A1"); }
    // Starts with the boards added so far; the last one listed is opened.
    void begin()
    {
        start();
        ASSERT_TRUE(received(board).empty());
    }
};

TEST_F(SettingsWriters, PulseLengthIsOneCommandReportPaddedToTheFeatureLength)
{
    begin();
    pick("Delay", "16 ms");
    EXPECT_EQ(received(board),
              std::vector<std::string>{"00 EE 06 02 00 00 00 00 00 00 00 00 00 00 00 00 00"});
    pick("Delay", "8 ms");
    pick("Delay", "200 ms");
    pick("RotStart", "Auto");
    pick("RotStart", "Button 21");
    EXPECT_EQ(commands(board), (Commands{{6, 1}, {6, 25}, {7, 0}, {7, 4}}));
}

TEST_F(SettingsWriters, EncoderChangesSendTheirWholeGroupLowBitsFirst)
{
    begin();
    pick("Enc5", "1:1");
    EXPECT_EQ(commands(board), (Commands{{2, 0x10}, {4, 0x00}}));
    pick("Enc5", "off");
    pick("Enc1", "1:1");
    pick("Enc2", "1:4");
    commands(board);
    pick("Enc8", "1:2");
    EXPECT_EQ(commands(board), (Commands{{2, 0x03}, {4, 0x82}}));
    pick("Enc9", "1:2");
    commands(board);
    pick("Enc10", "1:1");
    EXPECT_EQ(commands(board), (Commands{{3, 0x02}, {5, 0x01}}));
}

TEST_F(SettingsWriters, PickingTheSelectedItemAgainSendsAgain)
{
    begin();
    pick("Enc3", "off");
    pick("Enc3", "off");
    EXPECT_EQ(commands(board), (Commands{{2, 0}, {4, 0}, {2, 0}, {4, 0}}));
}

TEST_F(SettingsWriters, SettingsWrittenAreReadBackIntoTheSameEntries)
{
    addBoard(u"Z9"); // two boards, so the user can pick in SerNo
    begin();
    pick("SerNo", "A1");
    pick("Enc1", "1:1");
    pick("Enc4", "1:4");
    pick("Enc8", "1:2");
    pick("Enc9", "1:4");
    pick("Enc10", "1:2");
    pick("Delay", "104 ms");
    pick("RotStart", "Rotary Switch, Latched");
    // Picking the same board again refreshes the whole view from the board.
    platform.clearCalls();
    pick("SerNo", "A1");
    EXPECT_EQ(platform.countCalls("HidD_SetFeature"), 0) << "the refresh sends nothing";
    commands(board);
    EXPECT_EQ(text("Enc1"), "1:1");
    EXPECT_EQ(text("Enc2"), "off");
    EXPECT_EQ(text("Enc4"), "1:4");
    EXPECT_EQ(text("Enc8"), "1:2");
    EXPECT_EQ(text("Enc9"), "1:4");
    EXPECT_EQ(text("Enc10"), "1:2");
    EXPECT_EQ(text("Delay"), "104 ms");
    EXPECT_EQ(text("RotStart"), "Rotary Switch, Latched");
}

TEST_F(SettingsWriters, AFailedSendKeepsTheUsersChoiceAndShowsNothing)
{
    begin();
    platform.failNext("HidD_SetFeature", 1, board);
    pick("Delay", "64 ms");
    EXPECT_EQ(text("Delay"), "64 ms");
    EXPECT_FALSE(window->connection().LastResult.ok);
    EXPECT_TRUE(commands(board).empty());
}

TEST_F(SettingsWriters, NothingIsSentWithoutABoard)
{
    begin();
    platform.unplug(board);
    tick();
    EXPECT_FALSE(window->connection().DeviceFound);
    EXPECT_EQ(list("Delay")->count(), 0);
    // A list that could still be reached by code sends nothing either.
    platform.clearCalls();
    emit list("Delay")->activated(0);
    emit list("Enc1")->activated(0);
    EXPECT_EQ(platform.countCalls("HidD_SetFeature"), 0);
}

TEST_F(SettingsWriters, ABoardWithAFeatureReportTooShortForACommandIsSentNothing)
{
    auto definition = sim::FamilyBoard(u"B2");
    definition.capsOverride = device::HidCollectionCaps{};
    definition.capsOverride->caps.InputReportByteLength = 8;
    definition.capsOverride->caps.FeatureReportByteLength = 3;
    const int shortBoard = platform.addDevice(definition);
    begin();
    ASSERT_EQ(text("SerNo"), "B2");
    ASSERT_TRUE(window->connection().DeviceFound);
    pick("Delay", "16 ms");
    pick("Enc1", "1:1");
    EXPECT_TRUE(received(shortBoard).empty());
    // Three bytes still carry the self-test request and its one-byte result.
    control<QPushButton>("Selftest")->click();
    EXPECT_EQ(text("TestResult"), "Passed");
    EXPECT_EQ(received(shortBoard), std::vector<std::string>{"00 E1 00"});
}

TEST_F(SettingsWriters, SelfDiagnosticShowsPassFailureAndNoReply)
{
    begin();
    auto *button = control<QPushButton>("Selftest");
    button->click();
    EXPECT_EQ(text("TestResult"), "Passed");
    EXPECT_EQ(text("Text1"), "0 0");
    EXPECT_EQ(received(board).front().substr(0, 5), "00 E1");

    platform.board(board)->setSelfTestResult(12);
    button->click();
    EXPECT_EQ(text("TestResult"), "Failed on B12");
    EXPECT_EQ(text("Text1"), "0 12");
    platform.board(board)->setSelfTestResult(255);
    button->click();
    EXPECT_EQ(text("TestResult"), "Failed on B255");

    platform.failNext("HidD_GetFeature", 1, board);
    button->click();
    EXPECT_EQ(text("TestResult"), "No reply from board");
    EXPECT_EQ(text("Text1"), "");
    platform.failNext("HidD_SetFeature", 1, board);
    button->click();
    EXPECT_EQ(text("TestResult"), "No reply from board");
}

} // namespace tamo::test
