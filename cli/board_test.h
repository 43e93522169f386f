// SPDX-License-Identifier: GPL-3.0-or-later
// One board's test as the self-test command and the station run it.
#pragma once

#include "board_access.h"
#include "settings_plan.h"

#include <optional>
#include <string>

namespace tamo::cli {

struct BoardTestResult {
    int status = EXIT_OK;
    // "Passed", "Failed on B<n>", "No reply from board", "Could not be opened", or after a pass
    // "Settings not held" / "Settings not sent".
    std::string result;
    std::string detail; // for the log, when there is more to say
};

// Opens the board, runs its self-diagnostic and, when it passed and plan is given, sends the
// settings and checks them.
BoardTestResult TestBoard(Environment &env, const device::SerialNumber &serial,
                          const std::optional<config::SettingsPlan> &plan);

} // namespace tamo::cli
