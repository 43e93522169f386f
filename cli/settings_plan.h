// SPDX-License-Identifier: GPL-3.0-or-later
// Which command reports a change of settings takes, sending them through the board session,
// and checking what the board holds afterwards.
#pragma once

#include "board_session.h"
#include "configuration_reply.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamo::cli {

// What the user asks for, as list indexes; what is not set stays as the board holds it.
struct SettingsRequest {
    std::array<std::optional<int>, config::ENCODER_PAIRS> encoderModes{};
    std::optional<int> pulseLengthIndex;
    std::optional<int> aInputModeIndex;

    bool empty() const;
    bool complete() const;
    // Every setting the board holds, as the lists would show it. Fails (empty) when the
    // board's pulse length is 0, which no list item names.
    static std::optional<SettingsRequest> From(const config::ConfigurationSettings &settings);
};

// The sending steps, in the order they go: each is one sender of the board session.
enum class SendStep { Encoders1To8, Encoders9To10, PulseLength, AInputMode };

std::string StepName(SendStep step);

struct SettingsPlan {
    // The settings the board is to hold once every step went.
    config::ConfigurationSettings target;
    std::vector<SendStep> steps;
};

// A named pair sends its whole group, so the other pairs of the group come from current. When
// current is unknown the request must name every pair of each group it touches; otherwise
// error says which are missing and the plan is empty.
std::optional<SettingsPlan> MakePlan(const SettingsRequest &request,
                                     const std::optional<config::ConfigurationSettings> &current,
                                     std::string &error);

// The command reports of the plan, as they would reach a board whose feature report is
// featureReportByteLength long.
std::vector<std::vector<std::uint8_t>> PlanReports(const SettingsPlan &plan,
                                                   std::uint16_t featureReportByteLength);

struct SendOutcome {
    std::vector<SendStep> sent;
    std::optional<SendStep> failed; // the step whose send failed; the rest were not sent
    std::string error;              // why it failed
    std::vector<SendStep> notSent;
};

// Sends step after step; stops at the first that fails. connection is the session's, for the
// reason of a failure.
SendOutcome SendPlan(config::BoardSession &session, const device::BoardConnection &connection,
                     const SettingsPlan &plan);

// The settings of the plan's steps that readBack does not hold, one text each
// ("B5+B6: sent 1:4, the board holds 1:2").
std::vector<std::string> Mismatches(const SettingsPlan &plan,
                                    const config::ConfigurationSettings &readBack);

} // namespace tamo::cli
