// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoder_modes.h"

namespace tamo::config {

int EncoderModeBit(int listIndex, int bit)
{
    if (bit < 0 || bit > 1)
        return 0;
    // Since C++20 >> on a negative value is an arithmetic shift, which is floor division by 2^b
    // (plain / would truncate towards zero and turn -1 / 2 into 0).
    return (listIndex >> bit) & 1;
}

EncoderBitmaps EncoderModeBitmaps(std::span<const int, ENCODER_PAIRS_LOW_GROUP> listIndexes)
{
    EncoderBitmaps bitmaps;
    for (std::size_t k = 0; k < listIndexes.size(); ++k) {
        bitmaps.low |= static_cast<std::uint8_t>(EncoderModeBit(listIndexes[k], 0) << k);
        bitmaps.high |= static_cast<std::uint8_t>(EncoderModeBit(listIndexes[k], 1) << k);
    }
    return bitmaps;
}

EncoderBitmaps EncoderModeBitmaps9_10(int enc9ListIndex, int enc10ListIndex)
{
    EncoderBitmaps bitmaps;
    bitmaps.low = static_cast<std::uint8_t>(EncoderModeBit(enc9ListIndex, 0)
                                            | EncoderModeBit(enc10ListIndex, 0) << 1);
    bitmaps.high = static_cast<std::uint8_t>(EncoderModeBit(enc9ListIndex, 1)
                                             | EncoderModeBit(enc10ListIndex, 1) << 1);
    return bitmaps;
}

} // namespace tamo::config
