// SPDX-License-Identifier: GPL-3.0-or-later
// The host-to-board command report: 00, COMMAND_MARKER, code, one argument byte, zeros up to
// the board's feature report length.
#pragma once

#include <cstdint>
#include <vector>

namespace tamo::config {

inline constexpr std::uint8_t COMMAND_MARKER = 0xEE;
inline constexpr std::uint8_t SELFTEST_REQUEST = 0xE1;

inline constexpr std::uint8_t CMD_ENC_MODE_LOW = 2;
inline constexpr std::uint8_t CMD_ENC_MODE_LOW_9_10 = 3;
inline constexpr std::uint8_t CMD_ENC_MODE_HIGH = 4;
inline constexpr std::uint8_t CMD_ENC_MODE_HIGH_9_10 = 5;
inline constexpr std::uint8_t CMD_PULSE_LENGTH = 6;
inline constexpr std::uint8_t CMD_A_INPUT_MODE = 7;

// A report ID, the marker, the code and the argument.
inline constexpr std::uint16_t COMMAND_REPORT_MIN_LENGTH = 4;

// Empty when featureReportByteLength cannot hold a command report: such a board is sent
// nothing rather than a report cut short.
std::vector<std::uint8_t> BuildCommandReport(std::uint16_t featureReportByteLength,
                                             std::uint8_t code, std::uint8_t argument);

} // namespace tamo::config
