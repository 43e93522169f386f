// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_test.h"

#include "apply.h"

namespace tamo::cli {

BoardTestResult TestBoard(Environment &env, const device::SerialNumber &serial,
                          const std::optional<config::SettingsPlan> &plan)
{
    OpenBoard board(env.platform);
    if (!board.Open(serial).found)
        return {EXIT_NOT_OPENABLE, "Could not be opened", board.Why()};
    const config::SelfTestDisplay display = board.Session().RunSelfTest();
    if (display.text1.empty())
        return {EXIT_BOARD_IO, display.testResult, board.Connection().LastResult.error};
    if (display.testResult != "Passed")
        return {EXIT_FAILED, display.testResult, "reply " + display.text1};
    if (!plan)
        return {EXIT_OK, display.testResult, {}};
    const ApplyResult applied = ApplyAndVerify(env, board, *plan, SerialText(serial));
    if (applied.status == EXIT_OK)
        return {EXIT_OK, "Passed, settings held", {}};
    return {applied.status,
            applied.status == EXIT_FAILED ? "Settings not held" : "Settings not sent",
            applied.failure};
}

} // namespace tamo::cli
