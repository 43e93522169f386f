// SPDX-License-Identifier: GPL-3.0-or-later
// Putting a plan onto an open board: send it, read the board back and compare, for every
// front end to say in its own way.
#pragma once

#include "open_board.h"
#include "settings_plan.h"

#include <optional>
#include <string>
#include <vector>

namespace tamo::config {

struct ApplyOutcome {
    SendOutcome sent;
    // Read back only once everything was sent; empty when no reply was usable.
    std::optional<ConfigurationSettings> readBack;
    // The settings sent that the board does not hold (Mismatches).
    std::vector<std::string> mismatches;
};

ApplyOutcome ApplyPlan(OpenBoard &board, const SettingsPlan &plan);

// "code 2 (...); code 4 (...)", or "nothing".
std::string CommandList(const std::vector<std::uint8_t> &codes);

} // namespace tamo::config
