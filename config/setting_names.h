// SPDX-License-Identifier: GPL-3.0-or-later
// The settings by the names the window's lists show them: input pairs "B5+B6", encoder modes
// "1:4", pulse lengths "16 ms", "A" input modes "Button 21". Every parse says what is valid
// when it fails.
#pragma once

#include "encoder_modes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamo::config {

inline constexpr int PAIR_COUNT = static_cast<int>(ENCODER_PAIRS);

// "B5+B6" (case and blanks around '+' do not matter) gives pair 3; pairs are 1 to 10.
std::optional<int> ParsePairName(std::string_view text);
// "B5+B6" as files and the terminal write it; the window's captions join with " + ".
std::string PairName(int pair, std::string_view join = "+");

// List indexes: encoder mode 0..3, pulse length 0..24 ("8 ms".."200 ms"; "16ms" and "16" are
// taken too), "A" input mode 0..4 (case does not matter).
std::optional<int> ParseEncoderMode(std::string_view text);
std::optional<int> ParsePulseLength(std::string_view text);
std::optional<int> ParseAInputMode(std::string_view text);

// What is valid, for error messages.
std::string PairChoices();
std::string EncoderModeChoices();
std::string PulseLengthChoices();
std::string AInputModeChoices();

std::string EncoderModeName(int listIndex);
// What the window's list shows for the byte the board holds; empty for none (pulse length 0).
std::string PulseLengthName(std::uint8_t pulseLength);
std::string AInputModeName(std::uint8_t mode);

} // namespace tamo::config
