// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_plan.h"

#include "command_report.h"
#include "device_texts.h"
#include "encoder_modes.h"
#include "setting_names.h"

#include <algorithm>

namespace tamo::cli {

namespace {

constexpr int kLowGroupEnd = static_cast<int>(config::ENCODER_PAIRS_LOW_GROUP);
constexpr int kPairs = static_cast<int>(config::ENCODER_PAIRS);

bool Has(const std::vector<SendStep> &steps, SendStep step)
{
    return std::find(steps.begin(), steps.end(), step) != steps.end();
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

std::optional<SettingsRequest> SettingsRequest::From(const config::ConfigurationSettings &settings)
{
    SettingsRequest request;
    for (int pair = 0; pair < kPairs; ++pair)
        request.encoderModes[static_cast<std::size_t>(pair)] =
            settings.encoderModes[static_cast<std::size_t>(pair)];
    const int pulse =
        config::PulseLengthSelection(settings.pulseLength, config::PULSE_LENGTH_ITEM_COUNT);
    if (pulse < 0)
        return std::nullopt;
    request.pulseLengthIndex = pulse;
    request.aInputModeIndex = config::AInputModeSelection(
        settings.aInputMode, static_cast<int>(config::A_INPUT_MODE_ITEMS.size()));
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
                                     const std::optional<config::ConfigurationSettings> &current,
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
        plan.target.pulseLength = static_cast<std::uint8_t>(*request.pulseLengthIndex + 1);
        plan.steps.push_back(SendStep::PulseLength);
    }
    if (request.aInputModeIndex) {
        plan.target.aInputMode = static_cast<std::uint8_t>(*request.aInputModeIndex);
        plan.steps.push_back(SendStep::AInputMode);
    }
    return plan;
}

std::vector<std::vector<std::uint8_t>> PlanReports(const SettingsPlan &plan,
                                                   std::uint16_t featureReportByteLength)
{
    const auto &modes = plan.target.encoderModes;
    std::vector<std::vector<std::uint8_t>> reports;
    const auto add = [&](std::uint8_t code, std::uint8_t argument) {
        reports.push_back(config::BuildCommandReport(featureReportByteLength, code, argument));
    };
    for (const SendStep step : plan.steps) {
        if (step == SendStep::Encoders1To8) {
            const auto bitmaps = config::EncoderModeBitmaps(
                std::span<const int, config::ENCODER_PAIRS_LOW_GROUP>(modes.data(), 8));
            add(config::CMD_ENC_MODE_LOW, bitmaps.low);
            add(config::CMD_ENC_MODE_HIGH, bitmaps.high);
        } else if (step == SendStep::Encoders9To10) {
            const auto bitmaps = config::EncoderModeBitmaps9_10(modes[8], modes[9]);
            add(config::CMD_ENC_MODE_LOW_9_10, bitmaps.low);
            add(config::CMD_ENC_MODE_HIGH_9_10, bitmaps.high);
        } else if (step == SendStep::PulseLength) {
            add(config::CMD_PULSE_LENGTH, plan.target.pulseLength);
        } else {
            add(config::CMD_A_INPUT_MODE, plan.target.aInputMode);
        }
    }
    return reports;
}

SendOutcome SendPlan(config::BoardSession &session, const device::BoardConnection &connection,
                     const SettingsPlan &plan)
{
    SendOutcome outcome;
    const auto &modes = plan.target.encoderModes;
    for (const SendStep step : plan.steps) {
        if (outcome.failed) {
            outcome.notSent.push_back(step);
            continue;
        }
        bool ok = false;
        switch (step) {
        case SendStep::Encoders1To8:
            ok = session.SendEncoderModes(
                std::span<const int, config::ENCODER_PAIRS_LOW_GROUP>(modes.data(), 8));
            break;
        case SendStep::Encoders9To10:
            ok = session.SendEncoderModes9_10(modes[8], modes[9]);
            break;
        case SendStep::PulseLength:
            ok = session.SendPulseLength(plan.target.pulseLength - 1);
            break;
        case SendStep::AInputMode:
            ok = session.SendAInputMode(plan.target.aInputMode);
            break;
        }
        if (ok) {
            outcome.sent.push_back(step);
        } else {
            outcome.failed = step;
            outcome.error = connection.LastResult.error;
        }
    }
    return outcome;
}

std::vector<std::string> Mismatches(const SettingsPlan &plan,
                                    const config::ConfigurationSettings &readBack)
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

} // namespace tamo::cli
