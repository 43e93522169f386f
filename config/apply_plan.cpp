// SPDX-License-Identifier: GPL-3.0-or-later
#include "apply_plan.h"

namespace tamo::config {

ApplyOutcome ApplyPlan(OpenBoard &board, const SettingsPlan &plan)
{
    ApplyOutcome outcome;
    BoardSession session = board.Session();
    outcome.sent = SendPlan(session, board.Connection(), plan);
    if (!outcome.sent.failed.empty())
        return outcome;
    outcome.readBack = session.ReadBackConfiguration();
    if (outcome.readBack)
        outcome.mismatches = Mismatches(plan, *outcome.readBack);
    return outcome;
}

std::string CommandList(const std::vector<std::uint8_t> &codes)
{
    std::string out;
    for (const std::uint8_t code : codes)
        out += (out.empty() ? "" : "; ") + CommandName(code);
    return out.empty() ? "nothing" : out;
}

} // namespace tamo::config
