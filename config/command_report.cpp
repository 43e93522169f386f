// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_report.h"

namespace tamo::config {

std::vector<std::uint8_t> BuildCommandReport(std::uint16_t featureReportByteLength,
                                             std::uint8_t code, std::uint8_t argument)
{
    if (featureReportByteLength < COMMAND_REPORT_MIN_LENGTH)
        return {};
    std::vector<std::uint8_t> report(featureReportByteLength, 0);
    report[0] = 0x00;
    report[1] = COMMAND_MARKER;
    report[2] = code;
    report[3] = argument;
    return report;
}

} // namespace tamo::config
