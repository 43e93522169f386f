// SPDX-License-Identifier: GPL-3.0-or-later
// The production-line loop: boards are plugged in one after another; each new one is tested
// (and given the settings file), one line printed and one appended to the log, until Ctrl-C.
#pragma once

#include "environment.h"
#include "settings_plan.h"

#include <optional>
#include <string>

namespace tamo::cli {

// How often the station looks for a newly plugged board.
inline constexpr std::uint32_t STATION_SCAN_INTERVAL_MS = 250;

int RunStation(Environment &env, const std::optional<SettingsPlan> &plan,
               const std::optional<std::string> &logFile);

} // namespace tamo::cli
