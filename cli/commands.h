// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of `tamo`. Each adds itself to the parser and gives back what runs it once
// the command line has been parsed.
#pragma once

#include "environment.h"

#include <functional>

namespace CLI {
class App;
}

namespace tamo::cli {

// The help of every command's SERIAL argument.
inline constexpr const char *SERIAL_HELP =
    "The board's serial number; may be left out when one board is attached";

struct Command {
    CLI::App *app = nullptr;
    std::function<int()> run;
};

Command AddListCommand(CLI::App &tamo, Environment &env);
Command AddShowCommand(CLI::App &tamo, Environment &env);
Command AddSetCommand(CLI::App &tamo, Environment &env);
Command AddSaveCommand(CLI::App &tamo, Environment &env);
Command AddLoadCommand(CLI::App &tamo, Environment &env);
Command AddSelftestCommand(CLI::App &tamo, Environment &env);
Command AddWatchCommand(CLI::App &tamo, Environment &env);
Command AddTestButtonsCommand(CLI::App &tamo, Environment &env);
Command AddCapsCommand(CLI::App &tamo, Environment &env);

} // namespace tamo::cli
