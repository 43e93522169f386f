// SPDX-License-Identifier: GPL-3.0-or-later
// A report as tests and scenarios compare what a virtual board received: upper-case hex bytes
// separated by blanks, "00 EE 06 02".
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tamo::sim {

std::string ReportHex(std::span<const std::uint8_t> report);

} // namespace tamo::sim
