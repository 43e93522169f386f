// SPDX-License-Identifier: GPL-3.0-or-later
// tamo watch: changes line by line for a pipe, a grid redrawn in place with the report rate
// for a terminal, and a board that goes.
#include "cli_fixture.h"

namespace tamo::test {

class Watch : public CliTest {};

TEST_F(Watch, APipeGetsOneLinePerChange)
{
    const int board = AddBoard(u"S1");
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 100)
            Model(board).setButtons(0x1);
        if (now == 200)
            Model(board).setButtons(0x1 | 0x80000000u);
        if (now == 400)
            Model(board).setButtons(0x80000000u);
        // A tap of 2 ms: each report is read as it arrives.
        if (now == 501)
            Model(board).setButtons(0x80000001u);
        if (now == 503)
            Model(board).setButtons(0x80000000u);
    };
    EXPECT_EQ(Run({"watch", "--seconds", "1"}), cli::EXIT_OK);
    EXPECT_EQ(out.str(), "2026-12-08T18:00:00.100Z button 1 pressed\n"
                         "2026-12-08T18:00:00.200Z button 32 pressed\n"
                         "2026-12-08T18:00:00.400Z button 1 released\n"
                         "2026-12-08T18:00:00.501Z button 1 pressed\n"
                         "2026-12-08T18:00:00.503Z button 1 released\n");
    EXPECT_EQ(platform.openFileHandles(), 0);
}

TEST_F(Watch, ATerminalGetsTheGridRedrawnInPlaceWithTheRate)
{
    auto definition = sim::FamilyBoard(u"S1");
    definition.streamPeriodMs = 10;
    const int board = platform.addDevice(definition);
    Model(board).setButtons(0x4);
    terminal = true;
    clock.onSleep = [&](std::uint64_t now) {
        if (now >= 2000)
            interrupted = true;
    };
    EXPECT_EQ(Run({"watch"}), cli::EXIT_OK);
    const std::string text = out.str();
    EXPECT_TRUE(Contains(text, "S1   -- reports/s"));
    // One report every 10 ms.
    EXPECT_TRUE(Contains(text, "S1   100.0 reports/s"));
    EXPECT_TRUE(Contains(text, "\x1b[7m[ 3]\x1b[0m"));
    // Redrawn from the top of the five lines, not scrolled.
    EXPECT_TRUE(Contains(text, "\x1b[5A"));
    EXPECT_EQ(text.find("button"), std::string::npos);
}

TEST_F(Watch, ABoardThatGoesEndsTheWatchWithItsOwnStatus)
{
    const int board = AddBoard(u"S1");
    clock.onSleep = [&](std::uint64_t now) {
        if (now == 300)
            platform.unplug(board);
    };
    EXPECT_EQ(Run({"watch"}), cli::EXIT_BOARD_IO);
    EXPECT_TRUE(Contains(err.str(), "board S1 is gone"));
}

} // namespace tamo::test
