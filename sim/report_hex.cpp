// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_hex.h"

#include "bytes_as_hex.h"

namespace tamo::sim {

std::string ReportHex(std::span<const std::uint8_t> report)
{
    return device::HexBytes(report);
}

} // namespace tamo::sim
