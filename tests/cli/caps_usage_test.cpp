// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of `tamo` that need no board: help, bad command lines, and descriptor capabilities.
#include "cli_fixture.h"

#include <nlohmann/json.hpp>

namespace tamo::test {

class Usage : public CliTest {};

TEST_F(Usage, EverySubcommandHasHelp)
{
    EXPECT_EQ(Run({"--help"}), cli::EXIT_OK);
    EXPECT_TRUE(Contains(out.str(), "Exit status"));
    for (const char *command :
         {"list", "show", "set", "save", "load", "selftest", "watch", "caps"}) {
        EXPECT_EQ(Run({command, "--help"}), cli::EXIT_OK) << command;
        EXPECT_TRUE(Contains(out.str(), std::string("Usage: tamo ") + command)) << command;
    }
}

TEST_F(Usage, BadCommandLinesSayWhatWasWrong)
{
    const int board = AddBoard(u"S1");
    EXPECT_EQ(Run({}), cli::EXIT_USAGE);
    EXPECT_EQ(Run({"frobnicate"}), cli::EXIT_USAGE);
    EXPECT_TRUE(Contains(err.str(), "'frobnicate' is not a tamo command"));
    EXPECT_EQ(Run({"list", "--bogus"}), cli::EXIT_USAGE);
    EXPECT_EQ(Run({"selftest", "S1", "--all"}), cli::EXIT_USAGE);
    EXPECT_EQ(Run({"selftest", "--log", "x.csv"}), cli::EXIT_USAGE);
    EXPECT_EQ(Run({"watch", "--seconds", "-1"}), cli::EXIT_USAGE);
    EXPECT_EQ(platform.countCalls("CreateFileA"), 0);
    EXPECT_TRUE(Received(board).empty());
}

TEST_F(Usage, CapsPrintsTheParsedCapabilitiesOfHexOrAFile)
{
    // A one-button collection on the generic desktop page, usage 4 (joystick).
    const std::string descriptor =
        "05 01 09 04 A1 01 05 09 19 01 29 01 15 00 25 01 75 01 95 01 81 02 75 07 95 01 81 03 C0";
    EXPECT_EQ(Run({"caps", descriptor}), cli::EXIT_OK);
    auto json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["hidp_caps"]["UsagePage"], 1);
    EXPECT_EQ(json["hidp_caps"]["Usage"], 4);
    EXPECT_EQ(json["hidp_caps"]["InputReportByteLength"], 2);

    in.str(descriptor);
    EXPECT_EQ(Run({"caps", "-"}), cli::EXIT_OK);
    EXPECT_EQ(nlohmann::json::parse(out.str()), json);

    // A bad token is shown, escaped.
    in.clear();
    in.str("01 \x1b[2J");
    EXPECT_EQ(Run({"caps", "-"}), cli::EXIT_FAILED);
    EXPECT_EQ(err.str(), "tamo caps: not a hex byte: '\\x1B[2J'\n");
    EXPECT_EQ(Run({"caps", "--collection", "1", descriptor}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(err.str(), "no collection 1"));
}

} // namespace tamo::test
