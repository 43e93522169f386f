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

TEST_F(Usage, CapsReadsHexArgumentsAFileOrStandardInputAlike)
{
    // A one-button collection on the generic desktop page, usage 4 (joystick).
    const std::string descriptor =
        "05 01 09 04 A1 01 05 09 19 01 29 01 15 00 25 01 75 01 95 01 81 02 75 07 95 01 81 03 C0";
    EXPECT_EQ(Run({"caps", descriptor}), cli::EXIT_OK);
    const std::string printed = out.str();
    auto json = nlohmann::json::parse(printed);
    EXPECT_EQ(json["hidp_caps"]["UsagePage"], 1);
    EXPECT_EQ(json["hidp_caps"]["Usage"], 4);
    EXPECT_EQ(json["hidp_caps"]["InputReportByteLength"], 2);

    std::string bytes;
    std::string listing; // "0x05, 0x01,\n..." as in a C array
    for (std::size_t i = 0; i < descriptor.size(); i += 3) {
        bytes.push_back(static_cast<char>(std::stoi(descriptor.substr(i, 2), nullptr, 16)));
        listing += "0x" + descriptor.substr(i, 2) + (i % 24 == 21 ? ",\n" : ", ");
    }
    const TempFile binary("descriptor.bin");
    binary.write(bytes);
    EXPECT_EQ(Run({"caps", binary.path()}), cli::EXIT_OK);
    EXPECT_EQ(out.str(), printed);
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"caps"}, std::vector<std::string>{"caps", "-"}}) {
        in.clear();
        in.str(listing);
        EXPECT_EQ(Run(args), cli::EXIT_OK) << err.str();
        EXPECT_EQ(out.str(), printed);
    }
}

TEST_F(Usage, CapsRefusesUnusableInputAndBadArguments)
{
    // A bad token is shown, escaped.
    in.str("01 \x1b[2J");
    EXPECT_EQ(Run({"caps", "-"}), cli::EXIT_FAILED);
    EXPECT_EQ(err.str(), "tamo caps: not a hex byte: '\\x1B[2J'\n");
    EXPECT_EQ(Run({"caps", "05", "01", "0G"}), cli::EXIT_FAILED);
    EXPECT_EQ(Run({"caps", "050"}), cli::EXIT_FAILED); // odd digit count
    in.clear();
    in.str("");
    EXPECT_EQ(Run({"caps"}), cli::EXIT_FAILED); // nothing at all
    EXPECT_EQ(Run({"caps", "--collection", "1", "A10109308102C0"}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(err.str(), "no collection 1"));
    EXPECT_EQ(Run({"caps", "--collection", "x", "A101C0"}), cli::EXIT_USAGE);
    EXPECT_EQ(Run({"caps", "--bogus", "A101C0"}), cli::EXIT_USAGE);
    EXPECT_EQ(Run({"caps", "--help"}), cli::EXIT_OK);
    EXPECT_TRUE(Contains(out.str(), "--collection"));
}

TEST_F(Usage, CapsPrintsAFaultyDescriptorWithTheError)
{
    // A stray End Collection before a good collection.
    EXPECT_EQ(Run({"caps", "C0 A1 01 09 30 75 08 95 01 81 02 C0"}), 3);
    const auto output = nlohmann::json::parse(out.str());
    ASSERT_TRUE(output.contains("error"));
    EXPECT_TRUE(Contains(output.at("error").get<std::string>(), "byte offset 0"));
    EXPECT_EQ(output.at("input_value_caps").size(), 1u);
}

} // namespace tamo::test
