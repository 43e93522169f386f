// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder mode of a pair is its list index (0 "off", 1 "1:1", 2 "1:2", 3 "1:4"). A group of
// pairs travels to the board as two bitmaps: bit 0 of every mode, then bit 1 of every mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tamo::config {

inline constexpr std::size_t ENCODER_PAIRS = 10;
inline constexpr std::size_t ENCODER_PAIRS_LOW_GROUP = 8;

// The arguments of the first (low) and second (high) command report of one group.
struct EncoderBitmaps {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    friend bool operator==(const EncoderBitmaps &, const EncoderBitmaps &) = default;
};

// Bit b of a list index is floor(index / 2^b) AND 1 on its 32-bit two's-complement value, so
// the "no selection" index -1 counts as mode 3 ("1:4"): both bits set, never anything else.
// bit is 0 or 1; any other bit position gives 0.
int EncoderModeBit(int listIndex, int bit);

// Pairs 1 to 8: the mode of pair k goes to bit k-1 (codes 2 and 4).
EncoderBitmaps EncoderModeBitmaps(std::span<const int, ENCODER_PAIRS_LOW_GROUP> listIndexes);

// Pairs 9 and 10: bit 0 and bit 1, bits 2 to 7 zero (codes 3 and 5).
EncoderBitmaps EncoderModeBitmaps9_10(int enc9ListIndex, int enc10ListIndex);

} // namespace tamo::config
