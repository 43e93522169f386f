// SPDX-License-Identifier: GPL-3.0-or-later
// tamo watch: the board's 32 buttons live, with the measured input-report rate.
#include "board_access.h"
#include "button_view.h"
#include "commands.h"
#include "input_follower.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

constexpr std::uint64_t kRateWindowMs = 1000;
// On a terminal a press stays drawn at least this long, however short it was.
constexpr std::uint64_t kLitMs = 50;

struct WatchOptions {
    std::optional<std::string> serial;
    std::optional<double> seconds;
};

int RunWatch(Environment &env, const WatchOptions &options)
{
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo watch");
    if (!choice.serial)
        return choice.status;
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    const std::string name = SerialText(*choice.serial);
    InputFollower follower(env, board);

    const std::uint64_t start = env.clock.SteadyMs();
    // Without --seconds, until Ctrl-C.
    const std::uint64_t end =
        options.seconds ? start + static_cast<std::uint64_t>(*options.seconds * 1000) : UINT64_MAX;
    ButtonState state = 0;
    // Pressed since it was last drawn, and when.
    ButtonState lit = 0;
    std::uint64_t litAt = 0;
    std::optional<ButtonState> drawn;
    std::optional<double> rate;
    bool rateChanged = true;
    std::uint64_t windowStart = start;
    std::uint64_t windowReports = 0;
    std::size_t drawnLines = 0;
    int status = EXIT_OK;
    while (!env.interrupted()) {
        const InputBatch batch = follower.next(static_cast<std::uint32_t>(kLitMs));
        const std::uint64_t now = env.clock.SteadyMs();
        if (batch.outcome == device::ReadOutcome::Failed) {
            if (drawnLines)
                env.out << '\n';
            env.err << "tamo watch: board " << name
                    << " is gone: " << board.Connection().LastResult.error << '\n';
            status = EXIT_BOARD_IO;
            break;
        }
        // Every report, however short the press it shows.
        for (const ButtonState next : batch.reports) {
            if (!env.outIsTerminal)
                for (const std::string &line :
                     ButtonChanges(UtcTimestamp(env.clock.WallMs(), true), state, next))
                    env.out << line << '\n' << std::flush;
            if (const ButtonState pressed = next & ~state) {
                lit |= pressed;
                litAt = now;
            }
            state = next;
        }
        windowReports += batch.reports.size();
        if (now - windowStart >= kRateWindowMs) {
            rate = static_cast<double>(windowReports) * 1000.0
                   / static_cast<double>(now - windowStart);
            windowStart = now;
            windowReports = 0;
            rateChanged = true;
        }
        if (lit && now - litAt >= kLitMs)
            lit = 0;
        const ButtonState shown = state | lit;
        if (env.outIsTerminal && (rateChanged || shown != drawn)) {
            RedrawInPlace(env.out, ButtonGrid(name, shown, rate), drawnLines);
            drawn = shown;
            rateChanged = false;
        }
        if (now >= end)
            break;
    }
    return status;
}

} // namespace

Command AddWatchCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<WatchOptions>();
    CLI::App *watch = tamo.add_subcommand(
        "watch", "Show the board's 32 buttons live, with the measured input-report rate; when "
                 "standard output is not a terminal, print one line per change");
    watch->add_option("SERIAL", options->serial, SERIAL_HELP);
    watch->add_option("--seconds", options->seconds, "Stop after this many seconds")
        ->check(CLI::PositiveNumber);
    watch->footer(
        "Lines printed when not on a terminal: <UTC time> button <n> pressed|released."
        "\nEvery report is read as it arrives, so a press however short gives its two lines."
        "\nExit status: 0 when ended by Ctrl-C or --seconds, 5 when the board goes.");
    return {watch, [&env, options] {
                return RunWatch(env, *options);
            }};
}

} // namespace tamo::cli
