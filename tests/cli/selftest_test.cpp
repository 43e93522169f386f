// SPDX-License-Identifier: GPL-3.0-or-later
// tamo selftest, for one board, for all, and as a production-line station over boards plugged
// in one after another in virtual time.
#include "cli_fixture.h"

namespace tamo::test {

class Selftest : public CliTest {};

TEST_F(Selftest, EachResultHasItsLineAndExitStatus)
{
    const int board = AddBoard(u"S1");
    EXPECT_EQ(Run({"selftest"}), cli::EXIT_OK);
    EXPECT_EQ(out.str(), "S1: Passed\n");
    EXPECT_EQ(Received(board).front().substr(0, 5), "00 E1");

    Model(board).setSelfTestResult(12);
    EXPECT_EQ(Run({"selftest", "S1"}), cli::EXIT_FAILED);
    EXPECT_EQ(out.str(), "S1: Failed on B12\n");

    // A reply that never came is not a pass, though the buffer is all zeros.
    platform.failNext("HidD_GetFeature", 1, board);
    EXPECT_EQ(Run({"selftest", "S1"}), cli::EXIT_BOARD_IO);
    EXPECT_EQ(out.str(), "S1: No reply from board\n");
}

TEST_F(Selftest, AllTestsEveryBoardAndTheWorstResultDecides)
{
    AddBoard(u"S1");
    const int second = AddBoard(u"S2");
    Model(second).setSelfTestResult(255);
    EXPECT_EQ(Run({"selftest", "--all"}), cli::EXIT_FAILED);
    EXPECT_EQ(out.str(), "S1: Passed\nS2: Failed on B255\n");

    platform.unplug(0);
    platform.unplug(second);
    EXPECT_EQ(Run({"selftest", "--all"}), cli::EXIT_NO_BOARD);
}

class Station : public CliTest {
protected:
    TempFile log{"line.csv"};
    TempFile settings{"settings.json"};
};

TEST_F(Station, TestsBoardsPluggedOneAfterAnotherUntilCtrlC)
{
    const int first = AddBoard(u"A1");
    const int second = AddBoard(u"A2");
    Model(second).setSelfTestResult(7);
    platform.unplug(first);
    platform.unplug(second);
    // A1 comes at 1 s and goes at 3 s; A2 comes at 4 s; A1 is plugged in again at 6 s; Ctrl-C
    // at 8 s.
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 1000)
            platform.plug(first);
        if (now == 3000)
            platform.unplug(first);
        if (now == 4000)
            platform.plug(second);
        if (now == 6000)
            platform.plug(first);
        if (now >= 8000)
            interrupted = true;
    };
    EXPECT_EQ(Run({"selftest", "--station", "--log", log.path()}), cli::EXIT_FAILED);
    EXPECT_EQ(out.str(),
              "station: waiting for boards; plug them in one after another (Ctrl-C ends)\n"
              "2026-12-08T18:00:01Z  A1  Passed\n"
              "2026-12-08T18:00:04Z  A2  Failed on B7 (reply 0 7)\n"
              "2026-12-08T18:00:06Z  A1  Passed\n"
              "station: 3 boards tested: 2 passed, 1 failed (A2)\n");
    EXPECT_EQ(log.read(), "serial,time,result\n"
                          "\"A1\",2026-12-08T18:00:01Z,\"Passed\"\n"
                          "\"A2\",2026-12-08T18:00:04Z,\"Failed on B7: reply 0 7\"\n"
                          "\"A1\",2026-12-08T18:00:06Z,\"Passed\"\n");
    EXPECT_EQ(platform.openFileHandles(), 0);

    // The log is appended to, its heading written once.
    interrupted = false;
    clock.onSleep = [&](std::uint64_t) {
        interrupted = true;
    };
    EXPECT_EQ(Run({"selftest", "--station", "--log", log.path()}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(out.str(), "station: 2 boards tested: 1 passed, 1 failed (A2)"));
    EXPECT_EQ(log.read().find("serial,time,result", 1), std::string::npos);
}

TEST_F(Station, WaitsWithoutEnumeratingUntilBoardsChangeAndStillFindsOneWhoseNewsWasLost)
{
    const int board = AddBoard(u"Q1");
    platform.unplug(board);
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 5000)
            platform.plug(board);
        if (now == 7000)
            platform.unplug(board);
        // Plugged in again while the platform's notifications are lost.
        if (now == 9000) {
            platform.setNotifications(false);
            platform.plug(board);
        }
        if (now >= 12000)
            interrupted = true;
    };
    EXPECT_EQ(Run({"selftest", "--station"}), cli::EXIT_OK);
    // Told of the first plug at once; the second found by the direct look every two seconds.
    EXPECT_TRUE(Contains(out.str(), "2026-12-08T18:00:05Z  Q1  Passed\n"
                                    "2026-12-08T18:00:10Z  Q1  Passed\n"));
    // 48 steps of waiting, where a blind station enumerated 48 times: here at the start, at
    // the two news, at the six direct looks, and when each test opens the board.
    EXPECT_LE(platform.countCalls("SetupDiGetClassDevsA"), 1 + 2 + 6 + 2);
}

TEST_F(Station, PutsTheSettingsFileOnEveryBoardThatPassesAndChecksIt)
{
    const int source = AddBoard(u"GOLD");
    Hold(source, {0xFF, 0x03, 0xFF, 0x03, 3, 4});
    ASSERT_EQ(Run({"save", settings.path()}), cli::EXIT_OK);
    platform.unplug(source);
    const int board = AddBoard(u"B1");
    const int stubborn = AddBoard(u"B2");
    platform.unplug(stubborn);
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 500) {
            platform.unplug(board);
            // B2 answers the self-test, then keeps saying it holds the factory settings.
            std::vector<std::uint8_t> reply(17, 0);
            reply[8] = 6;
            Model(stubborn).scriptFeatureReplies({std::vector<std::uint8_t>(17, 0)});
            platform.plug(stubborn);
            Model(stubborn).scriptFeatureReplies(std::vector(8, reply));
        }
        if (now >= 1000)
            interrupted = true;
    };
    EXPECT_EQ(Run({"selftest", "--station", "--load", settings.path()}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(out.str(), "B1  Passed, settings held\n"));
    EXPECT_TRUE(Contains(out.str(), "B2  Settings not held (not held: B1+B2: sent 1:4, the board "
                                    "holds off;"));
    EXPECT_EQ(Model(board).settings(), Model(source).settings());
}

TEST_F(Station, ABadSettingsFileOrALogThatIsItStopsTheStationBeforeItStarts)
{
    AddBoard(u"B1");
    const std::string bad = "{\"format\": \"tamo-settings\", \"version\": 1}";
    settings.write(bad);
    EXPECT_EQ(Run({"selftest", "--station", "--load", settings.path()}), cli::EXIT_USAGE);
    EXPECT_TRUE(Contains(err.str(), "missing key \"encoders\""));
    ASSERT_EQ(Run({"save", settings.path()}), cli::EXIT_OK);
    const std::string good = settings.read();
    platform.clearCalls();
    EXPECT_EQ(Run({"selftest", "--station", "--load", settings.path(), "--log", settings.path()}),
              cli::EXIT_USAGE);
    EXPECT_TRUE(Contains(err.str(), "is the settings file given to --load"));
    EXPECT_EQ(settings.read(), good);
    EXPECT_EQ(platform.countCalls("CreateFileA"), 0);
}

TEST_F(Station, ABoardThatCannotBeOpenedAndOneWithAFormulaForASerialAreOnTheRecord)
{
    const int formula = AddBoard(u"=HYPERLINK(\"x\")\nA9");
    platform.unplug(formula);
    const device::InaccessibleBoard locked{"/dev/hidraw7",
                                           0x1209,
                                           0xA7E0,
                                           0x0109,
                                           "Velbrin",
                                           "Tamo micro 32",
                                           "-S9",
                                           "open(/dev/hidraw7): Permission denied",
                                           "install the udev rule"};
    // The closed board from 1 s to 4 s, reported once a look finds it still closed a second
    // after it was first seen (udev opens a new node to the user a moment after it appears);
    // the formula board at 5 s; Ctrl-C at 6 s.
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 1000)
            closed.push_back(locked);
        if (now == 4000)
            closed.clear();
        if (now == 5000)
            platform.plug(formula);
        if (now >= 6000)
            interrupted = true;
    };
    EXPECT_EQ(Run({"selftest", "--station", "--log", log.path()}), cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(out.str(), "2026-12-08T18:00:03Z  -S9  Could not be opened "
                                    "(open(/dev/hidraw7): Permission denied)\n"
                                    "2026-12-08T18:00:05Z  =HYPERLINK(\"x\")\\x0AA9  Passed\n"
                                    "station: 2 boards tested: 1 passed, 1 failed (-S9)\n"));
    EXPECT_TRUE(Contains(err.str(), "fix: install the udev rule"));
    EXPECT_EQ(log.read(),
              "serial,time,result\n"
              "\"'-S9\",2026-12-08T18:00:03Z,\"Could not be opened: open(/dev/hidraw7): Permission "
              "denied\"\n"
              "\"'=HYPERLINK(\"\"x\"\")\\x0AA9\",2026-12-08T18:00:05Z,\"Passed\"\n");
}

} // namespace tamo::test
