// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_access.h"
#include "commands.h"
#include "debug_log.h"
#include "environment.h"
#include "tamo_version.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

namespace tamo::cli {

namespace {

constexpr const char *kFooter =
    "Boards are named by serial number (tamo list); with one board attached it may be left "
    "out.\nResults go to standard output, errors to standard error.\n"
    "Exit status: 0 success; 1 a self-test failed or a setting did not hold; 2 bad "
    "arguments or a bad file, nothing sent; 3 no board (or not the one named) attached; 4 a "
    "board is attached but cannot be opened; 5 the board stopped answering.\n"
    "Run 'tamo COMMAND --help' for a command's options.";

// The debug log on stderr for as long as one command runs.
class VerboseLog {
public:
    VerboseLog(bool on, std::ostream &err)
        : on_(on)
    {
        if (on_)
            device::SetSourcedDebugLogSink([&err](device::LogSource source, std::string_view text) {
                err << "tamo: debug: " << device::LogSourceName(source) << ": " << text << '\n';
            });
    }
    ~VerboseLog()
    {
        if (on_)
            device::SetSourcedDebugLogSink({});
    }
    VerboseLog(const VerboseLog &) = delete;
    VerboseLog &operator=(const VerboseLog &) = delete;

private:
    bool on_;
};

} // namespace

int RunTamo(const std::vector<std::string> &args, Environment &env)
{
    CLI::App tamo("tamo: the Velbrin Tamo button-box boards from a terminal: list them, show "
                  "and change their settings, keep settings in files, run their self-test, "
                  "watch and test their buttons.",
                  "tamo");
    tamo.set_version_flag("--version", std::string("tamo ") + TAMO_VERSION_TEXT,
                          "Print the version and exit");
    tamo.require_subcommand(1);
    tamo.footer(kFooter);
    bool verbose = false;
    tamo.add_flag("-v,--verbose", verbose,
                  "Print every failing platform call (the debug log) on standard error");
    const std::vector<Command> commands{
        AddListCommand(tamo, env),  AddShowCommand(tamo, env),        AddSetCommand(tamo, env),
        AddSaveCommand(tamo, env),  AddLoadCommand(tamo, env),        AddSelftestCommand(tamo, env),
        AddWatchCommand(tamo, env), AddTestButtonsCommand(tamo, env), AddCapsCommand(tamo, env),
    };
    // CLI11 would only say that a command is required.
    if (!args.empty() && !args.front().starts_with("-")
        && std::none_of(commands.begin(), commands.end(), [&](const Command &command) {
               return command.app->get_name() == args.front();
           })) {
        env.err << "tamo: '" << Escaped(args.front())
                << "' is not a tamo command; see tamo --help\n";
        return EXIT_USAGE;
    }
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        tamo.parse(reversed);
    } catch (const CLI::ParseError &e) {
        const int code = tamo.exit(e, env.out, env.err);
        return code == 0 ? EXIT_OK : EXIT_USAGE;
    }
    const VerboseLog log(verbose, env.err);
    const int openedBefore = OpenBoard::OpenedSoFar();
    const auto unexpected = [&](const char *what) {
        // Nothing is known to have reached a board unless one was opened.
        const bool touched = OpenBoard::OpenedSoFar() != openedBefore;
        env.err << "tamo: stopped by an unexpected error: " << Escaped(what)
                << (touched ? "; a board was open, so part of the command may have reached it"
                            : "; nothing was sent")
                << '\n';
        return touched ? EXIT_BOARD_IO : EXIT_USAGE;
    };
    try {
        for (const Command &command : commands)
            if (command.app->parsed())
                return command.run();
    } catch (const std::exception &e) {
        return unexpected(e.what());
    } catch (...) {
        return unexpected("an exception of unknown type");
    }
    return EXIT_USAGE;
}

} // namespace tamo::cli
