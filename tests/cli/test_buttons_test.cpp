// SPDX-License-Identifier: GPL-3.0-or-later
// tamo test-buttons and the station's button test: taps of a few milliseconds in virtual
// time, a bouncing input, an input never pressed, and the result as lines, JSON and CSV.
#include "cli_fixture.h"

#include <nlohmann/json.hpp>

#include <map>

namespace tamo::test {

class TestButtons : public CliTest {
protected:
    // Button states to set at given milliseconds, on one board.
    void Script(int board, std::map<std::uint64_t, std::uint32_t> at, std::uint64_t stopAt = 0)
    {
        clock.onSleep = [this, board, at = std::move(at), stopAt](std::uint64_t now) {
            if (const auto step = at.find(now); step != at.end())
                Model(board).setButtons(step->second);
            if (stopAt && now >= stopAt)
                interrupted = true;
        };
    }
};

TEST_F(TestButtons, EndsOnceEveryInputWasSeenEvenByTapsOfTwoMilliseconds)
{
    const int board = AddBoard(u"S1");
    Script(board, {{100, 0x1}, {102, 0}, {200, 0x4}, {202, 0}, {300, 0x2}, {310, 0}});
    EXPECT_EQ(Run({"test-buttons", "--inputs", "1-3"}), cli::EXIT_OK);
    const std::string text = out.str();
    EXPECT_TRUE(Contains(text, "S1: press every input once: B1, B2, B3 (Ctrl-C ends)\n"
                               "102 ms  B1 seen (2 to go)\n"
                               "202 ms  B3 seen (1 to go)\n"
                               "310 ms  B2 seen (0 to go)\n"
                               "Button test: 3 of 3 inputs seen, 0 chattered\n"));
    EXPECT_TRUE(Contains(text, "B1: 1 press, shortest 2.0 ms\n"));
    EXPECT_TRUE(Contains(text, "\nPassed\n"));
    EXPECT_EQ(platform.openFileHandles(), 0);

    // On a terminal the grid is redrawn in place: B1 seen, in green brackets.
    terminal = true;
    Script(board, {{clock.now + 100, 0x1}, {clock.now + 110, 0}});
    EXPECT_EQ(Run({"test-buttons", "--inputs", "1"}), cli::EXIT_OK);
    EXPECT_TRUE(Contains(out.str(), "S1: press every input once; 0 to go (Ctrl-C ends)"));
    EXPECT_TRUE(Contains(out.str(), "\x1b[32m[ 1]\x1b[0m"));
    EXPECT_TRUE(Contains(out.str(), "\x1b[6A"));
}

TEST_F(TestButtons, ABounceAndAnInputNeverPressedFailWithTheirNamesInJson)
{
    const int board = AddBoard(u"S1");
    // B2 closes again 3 ms after its release; B3 is never pressed.
    Script(board, {{100, 0x1}, {150, 0}, {200, 0x2}, {210, 0}, {213, 0x2}, {260, 0}});
    EXPECT_EQ(Run({"test-buttons", "--inputs", "B1-B3", "--timeout", "2", "--json"}),
              cli::EXIT_FAILED);
    const auto result = nlohmann::json::parse(out.str());
    EXPECT_EQ(result["passed"], false);
    EXPECT_EQ(result["ended"], "timed out");
    EXPECT_EQ(result["not_seen"], nlohmann::json::array({3}));
    EXPECT_EQ(result["chattered"], nlohmann::json::array({2}));
    EXPECT_EQ(result["per_input"]["2"]["presses"], 2);
    EXPECT_EQ(result["per_input"]["2"]["shortest_gap_ms"], 3.0);
    EXPECT_EQ(result["per_input"]["1"]["shortest_press_ms"], 50.0);

    EXPECT_EQ(Run({"test-buttons", "--inputs", "0-4"}), cli::EXIT_USAGE);
    EXPECT_TRUE(Contains(err.str(), "\"0-4\" is no input or range"));
}

TEST_F(TestButtons, TheStationLogsEachBoardsButtonTestInAColumnOfItsOwn)
{
    TempFile log{"line.csv"};
    const int first = AddBoard(u"A1");
    const int second = AddBoard(u"A2");
    platform.unplug(second);
    // A1's two inputs are pressed; A2 comes at 2 s and only B1 is pressed before its 1 s is up.
    // The station sleeps in steps of its own between boards, so A2 comes at the first after.
    std::uint64_t pluggedAt = 0;
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 500)
            Model(first).setButtons(0x1);
        if (now == 520 || now == 560)
            Model(first).setButtons(0);
        if (now == 540)
            Model(first).setButtons(0x2);
        if (now >= 2000 && !pluggedAt) {
            platform.plug(second);
            pluggedAt = now;
        }
        if (pluggedAt && now == pluggedAt + 400)
            Model(second).setButtons(0x1);
        if (pluggedAt && now == pluggedAt + 450)
            Model(second).setButtons(0);
        if (now >= 5000)
            interrupted = true;
    };
    EXPECT_EQ(
        Run({"selftest", "--station", "--inputs", "1,2", "--timeout", "1", "--log", log.path()}),
        cli::EXIT_FAILED);
    EXPECT_TRUE(Contains(out.str(), "  A1: 560 ms  B2 seen (0 to go)\n"));
    EXPECT_TRUE(Contains(out.str(), "  A2  Passed, buttons failed: not seen B2\n"));
    const std::string csv = log.read();
    EXPECT_TRUE(Contains(csv, "serial,time,result,buttons\n\"A1\","));
    EXPECT_TRUE(Contains(csv, ",\"Passed\",\"passed\"\n\"A2\","));
    EXPECT_TRUE(Contains(csv, ",\"Passed\",\"failed: not seen B2\"\n"));

    // A log begun with three columns keeps them: the verdict joins the result.
    TempFile old{"old.csv"};
    old.write("serial,time,result\n\"A0\",2026-12-07T10:00:00Z,\"Passed\"\n");
    interrupted = false;
    clock.onSleep = [&](std::uint64_t now) {
        if (now >= 7000)
            interrupted = true;
    };
    platform.unplug(first);
    platform.plug(first);
    Run({"selftest", "--station", "--inputs", "1", "--timeout", "1", "--log", old.path()});
    EXPECT_TRUE(Contains(old.read(), "\"Passed, buttons failed: not seen B1\"\n"));
    EXPECT_TRUE(Contains(err.str(), "has the three columns of an older log"));
}

} // namespace tamo::test
