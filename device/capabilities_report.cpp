// SPDX-License-Identifier: GPL-3.0-or-later
#include "capabilities_report.h"

#include <utility>

namespace tamo::device {

namespace {

std::string Signed16(std::uint16_t value) {
    return std::to_string(static_cast<std::int16_t>(value));
}

std::string Unsigned8(std::uint8_t value) {
    return std::to_string(value);
}

std::string Signed32(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

std::string Signed32(std::int32_t value) {
    return std::to_string(value);
}

} // namespace

std::string CapabilitiesReport(const HIDP_VALUE_CAPS &record0, std::uint16_t valueCapsLength,
                               std::span<const std::uint8_t, CAPABILITIES_SCRATCH_BYTES> scratch) {
    const HIDP_VALUE_CAPS &r = record0;
    const std::pair<const char *, std::string> fields[] = {
        {"UsagePage ", Signed16(r.UsagePage)},
        {"ReportID ", Unsigned8(r.ReportID)},
        {"IsAlias ", Unsigned8(r.IsAlias)},
        {"BitField ", Signed16(r.BitField)},
        {"LinkCollection ", Signed16(r.LinkCollection)},
        {"LinkUsage ", Signed16(r.LinkUsage)},
        {"LinkUsagePage ", Signed16(r.LinkUsagePage)},
        {"IsRange ", Unsigned8(r.IsRange)},
        {"IsStringRange ", Unsigned8(r.IsStringRange)},
        {"IsDesignatorRange ", Unsigned8(r.IsDesignatorRange)},
        {"IsAbsolute ", Unsigned8(r.IsAbsolute)},
        {"HasNull ", Unsigned8(r.HasNull)},
        {"BitSize ", Signed16(r.BitSize)},
        {"ReportCount ", Signed16(r.ReportCount)},
        {"UnitsExp ", Signed32(r.UnitsExp)},
        {"Units ", Signed32(r.Units)},
        {"LogicalMin ", Signed32(r.LogicalMin)},
        {"LogicalMax ", Signed32(r.LogicalMax)},
        {"PhysicalMin ", Signed32(r.PhysicalMin)},
        {"PhysicalMax ", Signed32(r.PhysicalMax)},
        // The range view of the usage union, whether or not the record is a range.
        {"UsageMin ", Signed16(r.UsageMin)},
        {"UsageMax ", Signed16(r.UsageMax)},
        {"StringMin ", Signed16(r.StringMin)},
        {"StringMax ", Signed16(r.StringMax)},
        {"DesignatorMin ", Signed16(r.DesignatorMin)},
        {"DesignatorMax ", Signed16(r.DesignatorMax)},
        {"DataIndexMin ", Signed16(r.DataIndexMin)},
        {"DataIndexMax ", Signed16(r.DataIndexMax)},
    };

    std::string report;
    report.reserve(CAPABILITIES_REPORT_MAX_LENGTH);
    for (const auto &[label, value] : fields) {
        if (!report.empty())
            report += "\r\n";
        report += label;
        report += value;
    }
    report += " \r\nValueCapsLength ";
    report += Signed16(valueCapsLength);
    report += "\r\n";
    for (const std::uint8_t byte : scratch) {
        report += ' ';
        report += Unsigned8(byte);
    }
    return report;
}

} // namespace tamo::device
