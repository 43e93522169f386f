// SPDX-License-Identifier: GPL-3.0-or-later
// tamo list: which boards are there, which can be opened, and the exit status a script tests.
#include "cli_fixture.h"

#include <nlohmann/json.hpp>

namespace tamo::test {

class List : public CliTest {};

TEST_F(List, ShowsEveryBoardWithItsIdentityAndSkipsForeignDevices)
{
    platform.addDevice(sim::ForeignMouse());
    AddBoard(u"S1");
    auto second = sim::FamilyBoard(u"S2");
    second.versionNumber = 0x0110;
    second.manufacturer.reset();
    platform.addDevice(second);

    EXPECT_EQ(Run({"list"}), cli::EXIT_OK);
    const std::string text = out.str();
    EXPECT_TRUE(Contains(text, "SERIAL"));
    EXPECT_TRUE(Contains(text, "S1  "));
    EXPECT_TRUE(Contains(text, "Velbrin"));
    EXPECT_TRUE(Contains(text, "Tamo micro 32"));
    EXPECT_TRUE(Contains(text, "1.9"));
    EXPECT_TRUE(Contains(text, "1.10"));
    EXPECT_FALSE(Contains(text, "Mouse"));
    EXPECT_EQ(err.str(), "");
    // Listing opens and closes, and sends nothing.
    EXPECT_EQ(platform.openFileHandles(), 0);
    EXPECT_EQ(platform.countCalls("HidD_SetFeature"), 0);
}

TEST_F(List, JsonForScripts)
{
    AddBoard(u"S1");
    closed.push_back({"/dev/hidraw7", 0x1209, 0xA7E0, 0x0109, "Velbrin", "Tamo micro 32", "S9",
                      "open(/dev/hidraw7): Permission denied", "install the udev rule"});
    EXPECT_EQ(Run({"list", "--json"}), cli::EXIT_OK);
    const auto json = nlohmann::json::parse(out.str());
    ASSERT_EQ(json["boards"].size(), 2u);
    EXPECT_EQ(json["boards"][0]["serial_number"], "S1");
    EXPECT_EQ(json["boards"][0]["openable"], true);
    EXPECT_EQ(json["boards"][0]["version"], "1.9");
    EXPECT_EQ(json["boards"][1]["serial_number"], "S9");
    EXPECT_EQ(json["boards"][1]["openable"], false);
    EXPECT_EQ(json["boards"][1]["reason"], "open(/dev/hidraw7): Permission denied");
}

TEST_F(List, NoneAttachedAndAttachedButClosedHaveTheirOwnExitStatus)
{
    platform.addDevice(sim::ForeignMouse());
    EXPECT_EQ(Run({"list"}), cli::EXIT_NO_BOARD);
    EXPECT_TRUE(Contains(err.str(), "no board"));
    EXPECT_EQ(Run({"list", "--json"}), cli::EXIT_NO_BOARD);
    EXPECT_EQ(nlohmann::json::parse(out.str())["boards"].size(), 0u);

    closed.push_back({"/dev/hidraw3", 0x1209, 0xA7E0, std::nullopt, std::nullopt, std::nullopt,
                      std::nullopt, "open(/dev/hidraw3): Permission denied",
                      "install the udev rule: sudo cp build/packaging/70-tamo.rules ..."});
    EXPECT_EQ(Run({"list"}), cli::EXIT_NOT_OPENABLE);
    EXPECT_TRUE(Contains(out.str(), "cannot be opened"));
    EXPECT_TRUE(Contains(err.str(), "/dev/hidraw3 cannot be opened: open(/dev/hidraw3): "
                                    "Permission denied"));
    EXPECT_TRUE(Contains(err.str(), "fix: install the udev rule"));

    // The other commands say the same when they find no board to use.
    EXPECT_EQ(Run({"show"}), cli::EXIT_NOT_OPENABLE);
    EXPECT_TRUE(Contains(err.str(), "70-tamo.rules"));
}

TEST_F(List, ABoardWhoseCapabilitiesCannotBeReadIsListedAsNotOpenable)
{
    const int board = AddBoard(u"S1");
    platform.failNext("HidP_GetCaps", 1, board);
    EXPECT_EQ(Run({"list"}), cli::EXIT_NOT_OPENABLE);
    EXPECT_TRUE(Contains(out.str(), "S1"));
    EXPECT_TRUE(Contains(out.str(), "cannot be opened"));
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(List, BoardTextsCannotSteerTheTerminal)
{
    auto board = sim::FamilyBoard(u"S\x1b[2J");
    board.product = u"Tamo\r\nfake line";
    platform.addDevice(board);
    EXPECT_EQ(Run({"list"}), cli::EXIT_OK);
    EXPECT_FALSE(Contains(out.str(), "\x1b"));
    EXPECT_TRUE(Contains(out.str(), "S\\x1B[2J"));
    EXPECT_TRUE(Contains(out.str(), "Tamo\\x0D\\x0Afake line"));

    // C1 controls (NEL, CSI) from the board, and from the system for a closed board: what the
    // system gives (UTF-8, unchecked) is shown as the board would give it, converted once.
    auto second = sim::FamilyBoard(u"S2");
    second.product = u"Tamo\x85\x9B"
                     u"2J";
    platform.addDevice(second);
    closed.push_back({"/dev/hidraw7", 0x1209, 0xA7E0, 0x0109, "S\xC3\xA9rie", "\xC2\x9B\x1b",
                      "\xFF\xC3", "open(/dev/hidraw7): Permission denied", ""});
    EXPECT_EQ(Run({"list"}), cli::EXIT_OK);
    EXPECT_TRUE(Contains(out.str(), "Tamo\\x85\\x9B2J"));
    EXPECT_TRUE(Contains(out.str(), "Série"));
    EXPECT_TRUE(Contains(out.str(), "\\x9B\\x1B"));
    EXPECT_FALSE(Contains(out.str(), "\xC2\x9B"));
    EXPECT_FALSE(Contains(out.str(), "\xC2\x85"));
    EXPECT_EQ(Run({"list", "--json"}), cli::EXIT_OK);
    const auto json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["boards"][2]["manufacturer"], "Série");
    EXPECT_EQ(json["boards"][2]["serial_number"], "ýý"); // U+FFFD twice, by its low byte
}

TEST_F(List, AnErrorNoOneExpectedEndsTheCommandWithOneLine)
{
    closedThrows = true;
    EXPECT_EQ(Run({"list"}), cli::EXIT_USAGE);
    EXPECT_EQ(err.str(), "tamo: stopped by an unexpected error: no sysfs; nothing was sent\n");
    AddBoard(u"S1");
    EXPECT_EQ(Run({"list"}), cli::EXIT_BOARD_IO);
    EXPECT_EQ(err.str(), "tamo: stopped by an unexpected error: no sysfs; a board was open, so "
                         "part of the command may have reached it\n");
}

} // namespace tamo::test
