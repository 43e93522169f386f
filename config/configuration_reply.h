// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration reply: the board's answer to a feature report read. Byte 1 is the status
// (0 when usable) and bytes 4 to 9 hold the last arguments of command codes 2 to 7, in the
// command's own encoding, so a setting that was sent reads back as the same list entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "encoder_modes.h"

namespace tamo::config {

// Every readback reads this many replies and applies each usable one in turn.
inline constexpr int READBACK_ATTEMPTS = 8;

// Bytes 0 to 9; a board whose feature report is shorter cannot tell its settings.
inline constexpr std::size_t CONFIGURATION_REPLY_MIN_LENGTH = 10;

inline constexpr std::size_t REPLY_STATUS = 1;
inline constexpr std::size_t REPLY_ENC_MODE_LOW = 4;
inline constexpr std::size_t REPLY_ENC_MODE_LOW_9_10 = 5;
inline constexpr std::size_t REPLY_ENC_MODE_HIGH = 6;
inline constexpr std::size_t REPLY_ENC_MODE_HIGH_9_10 = 7;
inline constexpr std::size_t REPLY_PULSE_LENGTH = 8;
inline constexpr std::size_t REPLY_A_INPUT_MODE = 9;

// At least CONFIGURATION_REPLY_MIN_LENGTH bytes and status 0.
bool IsUsableConfigurationReply(std::span<const std::uint8_t> reply);

// The list index 0..3 of pair 1..10: 2 x (high bit) + (low bit). -1 for a pair outside 1..10 or
// a reply too short to hold bytes 4 to 7; the status is not looked at.
int EncoderModeIndex(std::span<const std::uint8_t> reply, int pair);

// The raw settings of a usable reply; the list selections follow from the functions below.
struct ConfigurationSettings {
    std::array<int, ENCODER_PAIRS> encoderModes{}; // list index of Enc1..Enc10
    std::uint8_t pulseLength = 0;                  // 1 = 8 ms .. 25 = 200 ms
    std::uint8_t aInputMode = 0;                   // RotStart list index, 0..4
    friend bool operator==(const ConfigurationSettings &, const ConfigurationSettings &) = default;
};

// Empty unless IsUsableConfigurationReply(reply).
std::optional<ConfigurationSettings> DecodeConfigurationReply(std::span<const std::uint8_t> reply);

// The pulse length both ways, the one place its rule is written: the byte the board holds is
// the Delay list index + 1 (steps of 8 ms), and the Delay selection for a byte is
// p = pulseLength - 1 when p < itemCount (0 gives -1, no selection), otherwise the last item
// (-1 when the list is empty).
std::uint8_t PulseLengthByte(int delayListIndex);
int PulseLengthSelection(std::uint8_t pulseLength, int itemCount);

// The RotStart selection for a mode byte: the mode itself when below itemCount, otherwise the
// last item. -1 when the list is empty.
int AInputModeSelection(std::uint8_t mode, int itemCount);

} // namespace tamo::config
