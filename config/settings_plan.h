// SPDX-License-Identifier: GPL-3.0-or-later
// Which command reports a change of settings takes, sending them through the board session,
// and checking what the board holds afterwards.
#pragma once

#include "board_session.h"
#include "configuration_reply.h"
#include "setting_commands.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamo::config {

// What the user asks for, as list indexes; what is not set stays as the board holds it.
struct SettingsRequest {
    std::array<std::optional<int>, ENCODER_PAIRS> encoderModes{};
    std::optional<int> pulseLengthIndex;
    std::optional<int> aInputModeIndex;

    bool empty() const;
    bool complete() const;
    // Every setting the board holds, by its list item. Fails (empty, with why naming the
    // setting and the byte the board holds) for a byte no list item names: pulse length 0 or
    // past 25, "A" input mode past 4. The window shows those as another item, which a file
    // would then put on every board. unnamed tells which of the two it was.
    enum class Unnamed { PulseLength, AInputMode };
    static std::optional<SettingsRequest> From(const ConfigurationSettings &settings,
                                               std::string &why, Unnamed *unnamed = nullptr);
};

// The sending steps, in the order they go: each is one sender of the board session.
enum class SendStep { Encoders1To8, Encoders9To10, PulseLength, AInputMode };

std::string StepName(SendStep step);

struct SettingsPlan {
    // The settings the board is to hold once every step went.
    ConfigurationSettings target;
    std::vector<SendStep> steps;
};

// A named pair sends its whole group, so the other pairs of the group come from current. When
// current is unknown the request must name every pair of each group it touches; otherwise
// error says which are missing and the plan is empty.
std::optional<SettingsPlan> MakePlan(const SettingsRequest &request,
                                     const std::optional<ConfigurationSettings> &current,
                                     std::string &error);

// The command reports of the plan, in the order they go: two for each encoder group (the low
// bits first), one for each other step.
std::vector<CommandReport> PlanCommands(const SettingsPlan &plan);

// The command reports of the plan, as they would reach a board whose feature report is
// featureReportByteLength long.
std::vector<std::vector<std::uint8_t>> PlanReports(const SettingsPlan &plan,
                                                   std::uint16_t featureReportByteLength);

struct SendOutcome {
    std::vector<std::uint8_t> sent; // codes of the reports that reached the board
    // Codes of the reports that failed, each with the failing call and the system's reason.
    std::vector<std::pair<std::uint8_t, std::string>> failed;
    std::vector<std::uint8_t> notSent;
};

// Sends step after step; a group's second report goes whatever became of its first, as the
// window sends it, and after a step with a failed report nothing more is sent. connection is
// the session's, for the reason of a failure.
SendOutcome SendPlan(BoardSession &session, const device::BoardConnection &connection,
                     const SettingsPlan &plan);

// The settings of the plan's steps that readBack does not hold, one text each
// ("B5+B6: sent 1:4, the board holds 1:2").
std::vector<std::string> Mismatches(const SettingsPlan &plan,
                                    const ConfigurationSettings &readBack);

} // namespace tamo::config
