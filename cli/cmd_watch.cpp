// SPDX-License-Identifier: GPL-3.0-or-later
// tamo watch: the board's 32 buttons live, with the measured input-report rate.
#include "board_access.h"
#include "button_view.h"
#include "commands.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

// As often as the window polls.
constexpr std::uint32_t kPollIntervalMs = 50;
constexpr std::uint64_t kRateWindowMs = 1000;

struct WatchOptions {
    std::optional<std::string> serial;
    std::optional<double> seconds;
};

ButtonState StateOf(const config::ButtonBytes &bytes)
{
    ButtonState state = 0;
    for (int button = 1; button <= config::BUTTON_COUNT; ++button)
        if (config::ButtonPressed(bytes, button))
            state |= ButtonState{1} << (button - 1);
    return state;
}

int RunWatch(Environment &env, const WatchOptions &options)
{
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo watch");
    if (!choice.serial)
        return choice.status;
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    const std::string name = SerialText(*choice.serial);
    config::BoardSession session = board.Session();

    const std::uint64_t start = env.clock.SteadyMs();
    // Without --seconds, until Ctrl-C.
    const std::uint64_t end =
        options.seconds ? start + static_cast<std::uint64_t>(*options.seconds * 1000) : UINT64_MAX;
    ButtonState state = 0;
    std::optional<double> rate;
    std::uint64_t windowStart = start;
    std::uint64_t windowReports = 0;
    std::size_t drawnLines = 0;
    bool dirty = true;
    int status = EXIT_OK;
    while (!env.interrupted()) {
        const config::InputPoll poll = session.PollInput();
        const std::uint64_t now = env.clock.SteadyMs();
        if (poll.outcome == device::ReadOutcome::Failed) {
            if (drawnLines)
                env.out << '\n';
            env.err << "tamo watch: board " << name
                    << " is gone: " << board.Connection().LastResult.error << '\n';
            status = EXIT_BOARD_IO;
            break;
        }
        windowReports += poll.reportCount;
        if (now - windowStart >= kRateWindowMs) {
            rate = static_cast<double>(windowReports) * 1000.0
                   / static_cast<double>(now - windowStart);
            windowStart = now;
            windowReports = 0;
            dirty = true;
        }
        if (poll.buttons) {
            const ButtonState next = StateOf(*poll.buttons);
            if (!env.outIsTerminal)
                for (const std::string &line :
                     ButtonChanges(UtcTimestamp(env.clock.WallMs(), true), state, next))
                    env.out << line << '\n' << std::flush;
            dirty = dirty || next != state;
            state = next;
        }
        if (env.outIsTerminal && dirty) {
            const auto lines = ButtonGrid(name, state, rate);
            // Back to the top of the last drawing, then each line cleared and rewritten.
            if (drawnLines)
                env.out << "\x1b[" << drawnLines << "A";
            for (const std::string &line : lines)
                env.out << "\r\x1b[2K" << line << '\n';
            env.out << std::flush;
            drawnLines = lines.size();
            dirty = false;
        }
        if (now >= end)
            break;
        env.clock.Sleep(kPollIntervalMs);
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
    watch->footer("Lines printed when not on a terminal: <UTC time> button <n> pressed|released."
                  "\nExit status: 0 when ended by Ctrl-C or --seconds, 5 when the board goes.");
    return {watch, [&env, options] {
                return RunWatch(env, *options);
            }};
}

} // namespace tamo::cli
