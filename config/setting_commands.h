// SPDX-License-Identifier: GPL-3.0-or-later
// Which command reports a setting takes, with their arguments: what the board session sends
// and what a dry run shows are the same list.
#pragma once

#include "encoder_modes.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tamo::config {

// One command report: its code and argument.
struct CommandReport {
    std::uint8_t code = 0;
    std::uint8_t argument = 0;
    friend bool operator==(const CommandReport &, const CommandReport &) = default;
};

// A group of encoder pairs travels as two reports, the low bits first.
using EncoderGroupCommands = std::array<CommandReport, 2>;

// Pairs 1 to 8 (codes 2 and 4).
EncoderGroupCommands EncoderModeCommands(std::span<const int, ENCODER_PAIRS_LOW_GROUP> listIndexes);
// Pairs 9 and 10 (codes 3 and 5).
EncoderGroupCommands EncoderModeCommands9_10(int enc9ListIndex, int enc10ListIndex);
// Code 6 with the pulse length byte (PulseLengthByte of the Delay list index).
CommandReport PulseLengthCommand(std::uint8_t pulseLength);
// Code 7 with the mode, which is the RotStart list index itself.
CommandReport AInputModeCommand(std::uint8_t aInputMode);

// "code 2 (encoder pairs B1+B2 to B15+B16, low bits)"
std::string CommandName(std::uint8_t code);

} // namespace tamo::config
