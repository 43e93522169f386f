// SPDX-License-Identifier: GPL-3.0-or-later
// The view refresh and the readback of the board's settings.
#include "board_window_fixture.h"

#include <QPushButton>

namespace tamo::test {

class DeviceView : public BoardWindow {};

TEST_F(DeviceView, StartWithoutABoardShowsTheEmptyViewAndZeroCapabilities)
{
    platform.addDevice(sim::ForeignMouse());
    start();
    const std::string caps = text("Text3");
    EXPECT_EQ(caps.rfind("UsagePage 0\r\nUsage 0\r\nInputReportByteLength 0", 0), 0u);
    EXPECT_EQ(std::count(caps.begin(), caps.end(), '\n'), 17);
    EXPECT_EQ(caps.substr(caps.size() - 28), "\r\nNumberFeatureDataIndices 0");
    for (const char *name : {"Enc1", "Enc10", "Delay", "RotStart"}) {
        EXPECT_EQ(list(name)->count(), 0) << name;
        EXPECT_FALSE(list(name)->isEnabled()) << name;
    }
    for (const char *name : {"Frame1", "Frame3", "Label22", "TestResult", "Selftest"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    EXPECT_FALSE(window->viewReady());
    EXPECT_TRUE(timer->isEnabled());
}

TEST_F(DeviceView, ABoardFillsIdentityListsAndCapabilitiesWithoutOneCommand)
{
    const int board = addBoard(u"A1");
    start();
    EXPECT_EQ(text("lblManuf"), " Velbrin");
    EXPECT_EQ(text("lblProduct"), " Tamo micro 32");
    EXPECT_EQ(text("lblVersion"), " 1.9");
    EXPECT_EQ(text("SerNo"), "A1");
    EXPECT_EQ(text("Text1"), "");
    const std::string caps = text("Text3");
    EXPECT_NE(caps.find("\r\nInputReportByteLength 8\r\n"), std::string::npos);
    EXPECT_NE(caps.find("\r\nFeatureReportByteLength 17\r\n"), std::string::npos);
    EXPECT_NE(caps.find("\r\nNumberInputValueCaps 2\r\n"), std::string::npos);
    EXPECT_EQ(text("Text4").rfind("UsagePage 1\r\n", 0), 0u);

    QStringList encoderItems, delayItems, modeItems;
    for (int i = 0; i < list("Enc7")->count(); ++i)
        encoderItems << list("Enc7")->itemText(i);
    for (int i = 0; i < list("Delay")->count(); ++i)
        delayItems << list("Delay")->itemText(i);
    for (int i = 0; i < list("RotStart")->count(); ++i)
        modeItems << list("RotStart")->itemText(i);
    EXPECT_EQ(encoderItems, QStringList({"off", "1:1", "1:2", "1:4"}));
    ASSERT_EQ(delayItems.size(), 25);
    EXPECT_EQ(delayItems.front(), "8 ms");
    EXPECT_EQ(delayItems[5], "48 ms");
    EXPECT_EQ(delayItems.back(), "200 ms");
    EXPECT_EQ(modeItems, QStringList({"Auto", "Potentiometer", "Rotary Switch, Pulsed",
                                      "Rotary Switch, Latched", "Button 21"}));
    for (const char *name : {"Frame1", "Frame3", "Enc1", "Delay", "RotStart", "Label1", "Label6",
                             "Label22", "Selftest", "TestResult"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;

    EXPECT_TRUE(window->viewReady());
    EXPECT_TRUE(received(board).empty()) << "the refresh's own selections send nothing";
    EXPECT_EQ(platform.countCalls("HidD_GetFeature", board), 8);
}

TEST_F(DeviceView, VersionIsShownOnlyWithTheManufacturerString)
{
    auto definition = sim::FamilyBoard(u"A1");
    definition.manufacturer.reset();
    definition.versionNumber = 0x1A2B;
    platform.addDevice(definition);
    start();
    EXPECT_EQ(text("lblManuf"), "");
    EXPECT_EQ(text("lblVersion"), "");
    EXPECT_EQ(text("lblProduct"), " Tamo micro 32");
}

TEST_F(DeviceView, IdentityStringsOf50CharactersShowWholeAndZeroLowBytesCutThem)
{
    auto definition = sim::FamilyBoard(u"A1");
    definition.manufacturer = std::u16string(50, u'M');
    definition.product = u"Pro\u0100duct";
    definition.versionNumber = 0x8001;
    platform.addDevice(definition);
    start();
    EXPECT_EQ(text("lblManuf"), " " + std::string(50, 'M'));
    EXPECT_EQ(text("lblProduct"), " Pro");
    EXPECT_EQ(text("lblVersion"), " -128.1");
}

TEST_F(DeviceView, ReadbackMakesEightReadsAndTheLastGoodReplyWins)
{
    const int board = addBoard(u"A1");
    const auto bad = reply({0, 1, 0, 0, 0xFF, 0x03, 0xFF, 0x03, 3, 2});
    platform.failNext("HidD_GetFeature", 1, board);
    platform.board(board)->scriptFeatureReplies({
        reply({0, 0, 0, 0, 0x01, 0x02, 0x01, 0x03, 1, 0}),
        reply({0, 0, 0, 0, 0x80, 0xFE, 0x80, 0xFC, 26, 4}), bad, bad, bad, bad,
        bad, // a plausible reply with a nonzero Status is never applied
    });
    start();
    EXPECT_EQ(platform.countCalls("HidD_GetFeature", board), 8);
    for (const char *name : {"Enc1", "Enc2", "Enc7", "Enc9"})
        EXPECT_EQ(text(name), "off") << name;
    EXPECT_EQ(text("Enc8"), "1:4");
    EXPECT_EQ(text("Enc10"), "1:1") << "bits 2 to 7 of bytes 5 and 7 change nothing";
    EXPECT_EQ(text("Delay"), "200 ms");
    EXPECT_EQ(text("RotStart"), "Button 21");
    EXPECT_TRUE(received(board).empty());
}

TEST_F(DeviceView, EveryReadFailingKeepsTheDefaultsAndTheNextChangeIsSent)
{
    const int board = addBoard(u"A1");
    platform.failNext("HidD_GetFeature", 8, board);
    start();
    EXPECT_EQ(text("Enc3"), "off");
    EXPECT_EQ(text("Delay"), "48 ms");
    EXPECT_EQ(text("RotStart"), "Auto");
    EXPECT_TRUE(list("Delay")->isEnabled());
    pick("RotStart", "Potentiometer");
    EXPECT_EQ(commands(board), (std::vector<std::pair<int, int>>{{7, 1}}));
}

TEST_F(DeviceView, PulseLengthZeroLeavesDelayWithoutASelection)
{
    const int board = addBoard(u"A1");
    sim::BoardSettings settings;
    settings.arguments = {0x01, 0x02, 0x01, 0x03, 0, 1};
    platform.board(board)->setSettings(settings);
    start();
    EXPECT_EQ(list("Delay")->currentIndex(), -1);
    EXPECT_EQ(text("Enc1"), "1:4");
    EXPECT_EQ(text("Enc9"), "1:2");
    EXPECT_EQ(text("Enc10"), "1:4");
    EXPECT_EQ(text("RotStart"), "Potentiometer");
}

TEST_F(DeviceView, ABoardWithAFeatureReportTooShortForTheReplyKeepsTheDefaults)
{
    auto definition = sim::FamilyBoard(u"A1");
    definition.capsOverride = device::HidCollectionCaps{};
    definition.capsOverride->caps.InputReportByteLength = 8;
    definition.capsOverride->caps.FeatureReportByteLength = 9;
    const int board = platform.addDevice(definition);
    sim::BoardSettings settings;
    settings.arguments = {0xFF, 0x03, 0xFF, 0x03, 25, 4};
    platform.board(board)->setSettings(settings);
    start();
    EXPECT_EQ(text("Enc1"), "off") << "a 9-byte reply cannot hold the settings";
    EXPECT_EQ(text("Delay"), "48 ms");
    pick("Delay", "16 ms");
    EXPECT_EQ(received(board), std::vector<std::string>{"00 EE 06 02 00 00 00 00 00"});
}

} // namespace tamo::test
