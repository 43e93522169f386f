// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_follower.h"

#include <algorithm>

namespace tamo::cli {

InputFollower::InputFollower(Environment &env, OpenBoard &board)
    : env_(env)
    , board_(board)
    , wait_(env.platform.WaitForInput(board.Connection().ReadHandle))
    , readBytes_(config::StreamReadBytes(board.Connection().Capabilities.InputReportByteLength))
{}

InputBatch InputFollower::next(std::uint32_t ms)
{
    using Kind = device::InputWait::Kind;
    if (wait_.kind == Kind::Descriptor || wait_.kind == Kind::Event)
        env_.clock.WaitForInput(wait_, ms);
    else
        env_.clock.Sleep(1);
    config::InputPoll poll = board_.Session().PollInput(readBytes_);
    return {poll.outcome, std::move(poll.reports), env_.clock.SteadyUs()};
}

} // namespace tamo::cli
