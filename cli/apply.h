// SPDX-License-Identifier: GPL-3.0-or-later
// Sending a plan to an open board, reading the board back and checking that it holds what was
// sent; what went wrong is said on stderr, with what was sent and what was not.
#pragma once

#include "board_access.h"
#include "settings_plan.h"

#include <string>

namespace tamo::cli {

struct ApplyResult {
    int status = EXIT_OK;
    std::string failure; // one line for a log; empty when everything held
};

ApplyResult ApplyAndVerify(Environment &env, OpenBoard &board, const config::SettingsPlan &plan,
                           const std::string &boardName);

// --dry-run: the reports the plan would send to this board, as hex, one a line. Sends nothing.
void PrintWouldSend(Environment &env, OpenBoard &board, const config::SettingsPlan &plan,
                    const std::string &boardName);

// The settings a plan changes, by name: "B5+B6 1:4, pulse length 16 ms".
std::string PlanSummary(const config::SettingsPlan &plan, const config::SettingsRequest &request);

} // namespace tamo::cli
