// SPDX-License-Identifier: GPL-3.0-or-later
// tamo show and tamo set: the settings by the window's names, sent as the window sends them,
// read back and checked; bad input never reaches a board.
#include "cli_fixture.h"

#include <nlohmann/json.hpp>

namespace tamo::test {

class Settings : public CliTest {
protected:
    int board = -1;
    void SetUp() override { board = AddBoard(u"S1"); }
};

// Reports of the board's 17-byte feature report, written by their first four bytes.
std::string Report(const std::string &head)
{
    std::string hex = head;
    for (int i = 4; i < 17; ++i)
        hex += " 00";
    return hex;
}

TEST_F(Settings, ShowNamesWhatTheBoardHolds)
{
    // Pair 1 "1:4", pair 8 "1:2", pair 10 "1:1", 16 ms, Potentiometer.
    Hold(board, {0x01, 0x02, 0x81, 0x00, 2, 1});
    EXPECT_EQ(Run({"show"}), cli::EXIT_OK);
    const std::string text = out.str();
    EXPECT_TRUE(Contains(text, "B1+B2          1:4"));
    EXPECT_TRUE(Contains(text, "B3+B4          off"));
    EXPECT_TRUE(Contains(text, "B15+B16        1:2"));
    EXPECT_TRUE(Contains(text, "B19+B20        1:1"));
    EXPECT_TRUE(Contains(text, "pulse length   16 ms"));
    EXPECT_TRUE(Contains(text, "A input        Potentiometer"));
    EXPECT_TRUE(Contains(text, "manufacturer   Velbrin"));
    EXPECT_TRUE(Received(board).empty());

    EXPECT_EQ(Run({"show", "S1", "--json"}), cli::EXIT_OK);
    const auto json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["encoders"]["B15+B16"], "1:2");
    EXPECT_EQ(json["pulse_length"], "16 ms");
    EXPECT_EQ(json["a_input"], "Potentiometer");
    EXPECT_EQ(json["version"], "1.9");
}

TEST_F(Settings, ShowSaysWhenTheBoardGivesNoUsableReply)
{
    Model(board).setReplyStatus(1);
    EXPECT_EQ(Run({"show"}), cli::EXIT_BOARD_IO);
    EXPECT_TRUE(Contains(out.str(), "Velbrin"));
    EXPECT_TRUE(Contains(err.str(), "no usable configuration reply"));
}

TEST_F(Settings, ANamedPairSendsItsGroupWithTheOtherPairsAsTheBoardHoldsThem)
{
    Hold(board, {0x01, 0x00, 0x01, 0x00, 6, 0}); // B1+B2 at 1:4
    EXPECT_EQ(Run({"set", "--encoder", "B5+B6=1:4", "--pulse-length", "16 ms"}), cli::EXIT_OK)
        << err.str();
    EXPECT_EQ(Received(board),
              (std::vector<std::string>{Report("00 EE 02 05"), Report("00 EE 04 05"),
                                        Report("00 EE 06 02")}));
    EXPECT_EQ(Model(board).settings().arguments,
              (std::array<std::uint8_t, 6>{0x05, 0x00, 0x05, 0x00, 2, 0}));
    EXPECT_TRUE(Contains(out.str(), "S1: B5+B6 1:4, pulse length 16 ms: sent and read back"));

    EXPECT_EQ(Run({"set", "S1", "--encoder", "b19 + b20=1:2", "--a-input", "button 21"}),
              cli::EXIT_OK);
    EXPECT_EQ(Received(board),
              (std::vector<std::string>{Report("00 EE 03 00"), Report("00 EE 05 02"),
                                        Report("00 EE 07 04")}));
}

TEST_F(Settings, DryRunPrintsTheReportsAndSendsNothing)
{
    EXPECT_EQ(Run({"set", "--dry-run", "--encoder", "B1+B2=1:1", "--encoder", "B15+B16=1:2"}),
              cli::EXIT_OK);
    EXPECT_EQ(out.str(),
              "would send to S1:\n" + Report("00 EE 02 01") + "\n" + Report("00 EE 04 80") + "\n");
    EXPECT_TRUE(Received(board).empty());
}

TEST_F(Settings, ABoardThatDoesNotHoldWhatWasSentIsAnError)
{
    // Eight good replies for the settings before, then eight that still say 48 ms.
    std::vector<std::uint8_t> reply(17, 0);
    reply[8] = 6;
    Model(board).scriptFeatureReplies(std::vector(16, reply));
    EXPECT_EQ(Run({"set", "--pulse-length", "16"}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(err.str(), "pulse length: sent 16 ms, the board holds 48 ms"));
    EXPECT_EQ(out.str(), "");
}

TEST_F(Settings, ABoardThatFailsMidWaySaysWhatWasSentAndWhatWasNot)
{
    // The group's first report fails; its second still goes, as the window sends it.
    platform.failNext("HidD_SetFeature", 1, board);
    EXPECT_EQ(Run({"set", "--encoder", "B1+B2=1:1", "--pulse-length", "8 ms", "--a-input", "Auto"}),
              cli::EXIT_BOARD_IO);
    EXPECT_TRUE(Contains(err.str(),
                         "sending failed part-way\n"
                         "  sent: code 4 (encoder pairs B1+B2 to B15+B16, high bits)\n"
                         "  failed: code 2 (encoder pairs B1+B2 to B15+B16, low bits): "
                         "HidD_SetFeature: injected fault\n"
                         "  not sent: code 6 (pulse length); code 7 (\"A\" input mode)\n"));
    EXPECT_EQ(Received(board), (std::vector<std::string>{Report("00 EE 04 00")}));
}

TEST_F(Settings, BadSettingsAreRefusedBeforeAnyBoardIsOpened)
{
    const std::vector<std::vector<std::string>> bad{
        {"set", "--encoder", "B4+B5=1:4"},
        {"set", "--encoder", "B21+B22=off"},
        {"set", "--encoder", "B1+B2"},
        {"set", "--encoder", "B1+B2=1:3"},
        {"set", "--encoder", "B1+B2=off", "--encoder", "B1+B2=1:1"},
        {"set", "--pulse-length", "12 ms"},
        {"set", "--pulse-length", "208 ms"},
        {"set", "--pulse-length", "0"},
        {"set", "--a-input", "Joystick"},
        {"set"},
    };
    for (const auto &args : bad) {
        EXPECT_EQ(Run(args), cli::EXIT_USAGE) << args.back();
        EXPECT_TRUE(Contains(err.str(), "tamo set:")) << args.back();
    }
    EXPECT_EQ(platform.countCalls("CreateFileA"), 0);
    EXPECT_TRUE(Received(board).empty());
}

TEST_F(Settings, TheBoardMustBeNamedWhenItIsNotTheOnlyOne)
{
    const int second = AddBoard(u"S2");
    EXPECT_EQ(Run({"set", "--pulse-length", "16 ms"}), cli::EXIT_USAGE);
    EXPECT_TRUE(Contains(err.str(), "2 boards are attached: S1, S2; name one"));
    EXPECT_EQ(Run({"set", "S3", "--pulse-length", "16 ms"}), cli::EXIT_NO_BOARD);
    EXPECT_TRUE(Contains(err.str(), "no board with the serial number 'S3' is attached; attached: "
                                    "S1, S2"));
    // What the user typed is UTF-8 already: shown as typed, not converted again.
    EXPECT_EQ(Run({"set", "Série", "--pulse-length", "16 ms"}), cli::EXIT_NO_BOARD);
    EXPECT_TRUE(Contains(err.str(), "serial number 'Série'"));
    EXPECT_TRUE(Received(board).empty());
    EXPECT_TRUE(Received(second).empty());

    EXPECT_EQ(Run({"set", "S2", "--pulse-length", "16 ms"}), cli::EXIT_OK);
    EXPECT_TRUE(Received(board).empty());
    EXPECT_EQ(Received(second).size(), 1u);
}

TEST_F(Settings, WithoutTheBoardsSettingsAPairAloneCannotBeSent)
{
    Model(board).setReplyStatus(1);
    EXPECT_EQ(Run({"set", "--encoder", "B1+B2=1:1"}), cli::EXIT_BOARD_IO);
    EXPECT_TRUE(Contains(err.str(), "B3+B4, B5+B6"));
    EXPECT_TRUE(Contains(err.str(), "nothing was sent"));
    EXPECT_TRUE(Received(board).empty());
}

} // namespace tamo::test
