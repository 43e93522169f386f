// SPDX-License-Identifier: GPL-3.0-or-later
#include "apply.h"

#include "apply_plan.h"
#include "setting_names.h"
#include "text.h"

#include <ostream>

namespace tamo::cli {

ApplyResult ApplyAndVerify(Environment &env, OpenBoard &board, const config::SettingsPlan &plan,
                           const std::string &boardName)
{
    const config::ApplyOutcome outcome = config::ApplyPlan(board, plan);
    const config::SendOutcome &sent = outcome.sent;
    if (!sent.failed.empty()) {
        env.err << "tamo: board " << boardName
                << ": sending failed part-way\n  sent: " << config::CommandList(sent.sent) << '\n';
        std::string failure = "sending failed:";
        for (const auto &[code, why] : sent.failed) {
            env.err << "  failed: " << config::CommandName(code) << ": " << Escaped(why) << '\n';
            failure += " code " + std::to_string(code) + ": " + why + ";";
        }
        failure.pop_back();
        env.err << "  not sent: " << config::CommandList(sent.notSent) << '\n';
        return {EXIT_BOARD_IO, failure};
    }
    if (!outcome.readBack) {
        env.err << "tamo: board " << boardName << ": everything was sent ("
                << config::CommandList(sent.sent)
                << "), but the board gave no usable configuration reply to check it: "
                << Escaped(board.WhyNoReply()) << '\n';
        return {EXIT_BOARD_IO, "not read back"};
    }
    if (outcome.mismatches.empty())
        return {};
    env.err << "tamo: board " << boardName << " does not hold what was sent:\n";
    std::string failure = "not held:";
    for (const std::string &line : outcome.mismatches) {
        env.err << "  " << line << '\n';
        failure += " " + line + ";";
    }
    failure.pop_back();
    return {EXIT_FAILED, failure};
}

void PrintWouldSend(Environment &env, OpenBoard &board, const config::SettingsPlan &plan,
                    const std::string &boardName)
{
    env.out << "would send to " << boardName << ":\n";
    for (const auto &report :
         config::PlanReports(plan, board.Connection().Capabilities.FeatureReportByteLength))
        env.out << HexBytes(report) << '\n';
}

std::string PlanSummary(const config::SettingsPlan &plan, const config::SettingsRequest &request)
{
    std::string out;
    const auto add = [&out](const std::string &text) {
        out += (out.empty() ? "" : ", ") + text;
    };
    for (int pair = 1; pair <= config::PAIR_COUNT; ++pair) {
        const auto i = static_cast<std::size_t>(pair - 1);
        if (request.encoderModes[i])
            add(config::PairName(pair) + " "
                + config::EncoderModeName(plan.target.encoderModes[i]));
    }
    if (request.pulseLengthIndex)
        add("pulse length " + config::PulseLengthName(plan.target.pulseLength));
    if (request.aInputModeIndex)
        add("\"A\" input " + config::AInputModeName(plan.target.aInputMode));
    return out;
}

} // namespace tamo::cli
