// SPDX-License-Identifier: GPL-3.0-or-later
#include "self_test.h"

#include "command_report.h"

namespace tamo::config {

std::vector<std::uint8_t> BuildSelfTestRequest(std::uint16_t featureReportByteLength)
{
    if (featureReportByteLength < SELFTEST_REPORT_MIN_LENGTH)
        return {};
    std::vector<std::uint8_t> request(featureReportByteLength, 0);
    request[0] = 0x00;
    request[1] = SELFTEST_REQUEST;
    return request;
}

SelfTestDisplay SelfTestResult(std::span<const std::uint8_t> reply, bool transfersSucceeded)
{
    if (!transfersSucceeded || reply.size() < SELFTEST_REPORT_MIN_LENGTH)
        return {"No reply from board", ""};
    const std::string resultByte = std::to_string(reply[1]);
    SelfTestDisplay display;
    display.testResult = reply[1] == 0 ? "Passed" : "Failed on B" + resultByte;
    display.text1 = std::to_string(reply[0]) + " " + resultByte;
    return display;
}

} // namespace tamo::config
