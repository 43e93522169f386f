// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_plan.h"

#include "command_report.h"
#include "device_texts.h"
#include "setting_names.h"

#include <algorithm>

namespace tamo::config {

namespace {

constexpr int kLowGroupEnd = static_cast<int>(ENCODER_PAIRS_LOW_GROUP);
constexpr int kPairs = static_cast<int>(ENCODER_PAIRS);

bool Has(const std::vector<SendStep> &steps, SendStep step)
{
    return std::find(steps.begin(), steps.end(), step) != steps.end();
}

// The reports of one step: the board session's senders send the same.
std::vector<CommandReport> StepCommands(const SettingsPlan &plan, SendStep step)
{
    const auto &modes = plan.target.encoderModes;
    const auto group = [](const EncoderGroupCommands &commands) {
        return std::vector<CommandReport>(commands.begin(), commands.end());
    };
    switch (step) {
    case SendStep::Encoders1To8:
        return group(EncoderModeCommands(
            std::span<const int, ENCODER_PAIRS_LOW_GROUP>(modes.data(), ENCODER_PAIRS_LOW_GROUP)));
    case SendStep::Encoders9To10:
        return group(EncoderModeCommands9_10(modes[8], modes[9]));
    case SendStep::PulseLength:
        return {PulseLengthCommand(plan.target.pulseLength)};
    case SendStep::AInputMode:
        return {AInputModeCommand(plan.target.aInputMode)};
    }
    return {};
}

std::string PulseText(std::uint8_t value)
{
    const std::string name = PulseLengthName(value);
    return name.empty() ? "no pulse length (0)" : name;
}

} // namespace

bool SettingsRequest::empty() const
{
    return std::none_of(encoderModes.begin(), encoderModes.end(),
                        [](const auto &mode) { return mode.has_value(); })
           && !pulseLengthIndex && !aInputModeIndex;
}

bool SettingsRequest::complete() const
{
    return std::all_of(encoderModes.begin(), encoderModes.end(),
                       [](const auto &mode) { return mode.has_value(); })
           && pulseLengthIndex && aInputModeIndex;
}

std::optional<SettingsRequest> SettingsRequest::From(const ConfigurationSettings &settings,
                                                     std::string &why, Unnamed *unnamed)
{
    SettingsRequest request;
    for (int pair = 0; pair < kPairs; ++pair)
        request.encoderModes[static_cast<std::size_t>(pair)] =
            settings.encoderModes[static_cast<std::size_t>(pair)];
    if (settings.pulseLength < 1 || settings.pulseLength > PULSE_LENGTH_ITEM_COUNT) {
        why = "pulse length byte " + std::to_string(settings.pulseLength)
              + ", which no list item names (1 to " + std::to_string(PULSE_LENGTH_ITEM_COUNT)
              + " are " + PulseLengthChoices() + ")";
        if (unnamed)
            *unnamed = Unnamed::PulseLength;
        return std::nullopt;
    }
    if (settings.aInputMode >= A_INPUT_MODE_ITEMS.size()) {
        why = "\"A\" input mode byte " + std::to_string(settings.aInputMode)
              + ", which no list item names (0 to " + std::to_string(A_INPUT_MODE_ITEMS.size() - 1)
              + " are " + AInputModeChoices() + ")";
        if (unnamed)
            *unnamed = Unnamed::AInputMode;
        return std::nullopt;
    }
    request.pulseLengthIndex = PulseLengthSelection(settings.pulseLength, PULSE_LENGTH_ITEM_COUNT);
    request.aInputModeIndex = settings.aInputMode;
    return request;
}

std::string StepName(SendStep step)
{
    switch (step) {
    case SendStep::Encoders1To8:
        return "encoder pairs B1+B2 to B15+B16 (codes 2 and 4)";
    case SendStep::Encoders9To10:
        return "encoder pairs B17+B18 and B19+B20 (codes 3 and 5)";
    case SendStep::PulseLength:
        return "pulse length (code 6)";
    case SendStep::AInputMode:
        return "\"A\" input mode (code 7)";
    }
    return {};
}

std::optional<SettingsPlan> MakePlan(const SettingsRequest &request,
                                     const std::optional<ConfigurationSettings> &current,
                                     std::string &error)
{
    SettingsPlan plan;
    if (current)
        plan.target = *current;
    const auto group = [&](int first, int end, SendStep step) {
        bool touched = false;
        std::string missing;
        for (int pair = first; pair < end; ++pair) {
            const auto &mode = request.encoderModes[static_cast<std::size_t>(pair)];
            if (mode) {
                touched = true;
                plan.target.encoderModes[static_cast<std::size_t>(pair)] = *mode;
            } else if (!current) {
                missing += (missing.empty() ? "" : ", ") + PairName(pair + 1);
            }
        }
        if (!touched)
            return true;
        if (!missing.empty()) {
            error = "the board's settings could not be read, and " + StepName(step)
                    + " would also set " + missing + ": name them too";
            return false;
        }
        plan.steps.push_back(step);
        return true;
    };
    if (!group(0, kLowGroupEnd, SendStep::Encoders1To8)
        || !group(kLowGroupEnd, kPairs, SendStep::Encoders9To10))
        return std::nullopt;
    if (request.pulseLengthIndex) {
        plan.target.pulseLength = PulseLengthByte(*request.pulseLengthIndex);
        plan.steps.push_back(SendStep::PulseLength);
    }
    if (request.aInputModeIndex) {
        plan.target.aInputMode = static_cast<std::uint8_t>(*request.aInputModeIndex);
        plan.steps.push_back(SendStep::AInputMode);
    }
    return plan;
}

std::vector<CommandReport> PlanCommands(const SettingsPlan &plan)
{
    std::vector<CommandReport> commands;
    for (const SendStep step : plan.steps)
        for (const CommandReport &command : StepCommands(plan, step))
            commands.push_back(command);
    return commands;
}

std::vector<std::vector<std::uint8_t>> PlanReports(const SettingsPlan &plan,
                                                   std::uint16_t featureReportByteLength)
{
    std::vector<std::vector<std::uint8_t>> reports;
    for (const CommandReport &command : PlanCommands(plan))
        reports.push_back(
            BuildCommandReport(featureReportByteLength, command.code, command.argument));
    return reports;
}

SendOutcome SendPlan(BoardSession &session, const device::BoardConnection &connection,
                     const SettingsPlan &plan)
{
    SendOutcome outcome;
    for (const SendStep step : plan.steps) {
        const std::vector<CommandReport> commands = StepCommands(plan, step);
        if (!outcome.failed.empty()) {
            for (const CommandReport &command : commands)
                outcome.notSent.push_back(command.code);
            continue;
        }
        for (const CommandReport &command : commands) {
            if (session.SendCommandReport(command.code, command.argument)) {
                outcome.sent.push_back(command.code);
                continue;
            }
            const std::uint16_t length = connection.Capabilities.FeatureReportByteLength;
            // Such a report is refused before any call, so the last call's result is not its.
            std::string why = BuildCommandReport(length, command.code, command.argument).empty()
                                  ? "the board's feature report (" + std::to_string(length)
                                        + " bytes) cannot hold a command report"
                                  : connection.LastResult.error;
            outcome.failed.emplace_back(command.code, why.empty() ? "HidD_SetFeature failed" : why);
        }
    }
    return outcome;
}

std::vector<std::string> Mismatches(const SettingsPlan &plan, const ConfigurationSettings &readBack)
{
    std::vector<std::string> out;
    const auto pairs = [&](int first, int end) {
        for (int pair = first; pair < end; ++pair) {
            const auto i = static_cast<std::size_t>(pair);
            if (plan.target.encoderModes[i] != readBack.encoderModes[i])
                out.push_back(PairName(pair + 1) + ": sent "
                              + EncoderModeName(plan.target.encoderModes[i]) + ", the board holds "
                              + EncoderModeName(readBack.encoderModes[i]));
        }
    };
    if (Has(plan.steps, SendStep::Encoders1To8))
        pairs(0, kLowGroupEnd);
    if (Has(plan.steps, SendStep::Encoders9To10))
        pairs(kLowGroupEnd, kPairs);
    if (Has(plan.steps, SendStep::PulseLength) && plan.target.pulseLength != readBack.pulseLength)
        out.push_back("pulse length: sent " + PulseText(plan.target.pulseLength)
                      + ", the board holds " + PulseText(readBack.pulseLength) + " (value "
                      + std::to_string(readBack.pulseLength) + ")");
    if (Has(plan.steps, SendStep::AInputMode) && plan.target.aInputMode != readBack.aInputMode)
        out.push_back("\"A\" input: sent " + AInputModeName(plan.target.aInputMode)
                      + ", the board holds " + AInputModeName(readBack.aInputMode) + " (value "
                      + std::to_string(readBack.aInputMode) + ")");
    return out;
}

} // namespace tamo::config
