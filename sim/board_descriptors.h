// SPDX-License-Identifier: GPL-3.0-or-later
// Report descriptors of the virtual devices: a board of the family and a foreign device.
#pragma once

#include <cstdint>
#include <vector>

namespace tamo::sim {

// Two 8-bit axes, 32 buttons and a pad byte in an 8-byte input report (report ID byte
// included); a 17-byte vendor feature report that carries commands and replies. A test board
// may grow the pad so that one input report is inputLength bytes.
std::vector<std::uint8_t> BoardReportDescriptor(std::uint16_t inputLength = 8);

// A three-button mouse with a wheel: no feature report at all.
std::vector<std::uint8_t> MouseReportDescriptor();

} // namespace tamo::sim
