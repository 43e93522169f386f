// SPDX-License-Identifier: GPL-3.0-or-later
// The production-line loop: boards are plugged in one after another; each new one is tested
// (and given the settings file), one line printed and one appended to the log, until Ctrl-C.
#pragma once

#include "environment.h"
#include "input_report.h"
#include "settings_plan.h"

#include <optional>
#include <string>

namespace tamo::cli {

// How often the station asks whether boards came or went; it scans only when they may have.
inline constexpr std::uint32_t STATION_SCAN_INTERVAL_MS = 250;
// How long it trusts the platform's notifications before it looks directly.
inline constexpr std::uint32_t STATION_SAFETY_LOOK_MS = 2000;

// A board that cannot be opened is reported once it is still closed this long after it was
// first seen: udev grants the user access a moment after the node appears.
inline constexpr std::uint64_t STATION_CLOSED_SETTLE_MS = 1000;

// The button test each board gets after its self-test, when asked for.
struct StationButtonTest {
    config::ButtonState inputs = 0xFFFFFFFFu;
    std::uint64_t timeoutMs = 120'000;
};

int RunStation(Environment &env, const std::optional<config::SettingsPlan> &plan,
               const std::optional<std::string> &logFile,
               const std::optional<StationButtonTest> &buttons = std::nullopt);

} // namespace tamo::cli
