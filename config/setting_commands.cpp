// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_commands.h"

#include "command_report.h"

namespace tamo::config {

EncoderGroupCommands EncoderModeCommands(std::span<const int, ENCODER_PAIRS_LOW_GROUP> listIndexes)
{
    const EncoderBitmaps bitmaps = EncoderModeBitmaps(listIndexes);
    return {{{CMD_ENC_MODE_LOW, bitmaps.low}, {CMD_ENC_MODE_HIGH, bitmaps.high}}};
}

EncoderGroupCommands EncoderModeCommands9_10(int enc9ListIndex, int enc10ListIndex)
{
    const EncoderBitmaps bitmaps = EncoderModeBitmaps9_10(enc9ListIndex, enc10ListIndex);
    return {{{CMD_ENC_MODE_LOW_9_10, bitmaps.low}, {CMD_ENC_MODE_HIGH_9_10, bitmaps.high}}};
}

CommandReport PulseLengthCommand(std::uint8_t pulseLength)
{
    return {CMD_PULSE_LENGTH, pulseLength};
}

CommandReport AInputModeCommand(std::uint8_t aInputMode)
{
    return {CMD_A_INPUT_MODE, aInputMode};
}

std::string CommandName(std::uint8_t code)
{
    switch (code) {
    case CMD_ENC_MODE_LOW:
        return "code 2 (encoder pairs B1+B2 to B15+B16, low bits)";
    case CMD_ENC_MODE_HIGH:
        return "code 4 (encoder pairs B1+B2 to B15+B16, high bits)";
    case CMD_ENC_MODE_LOW_9_10:
        return "code 3 (encoder pairs B17+B18 and B19+B20, low bits)";
    case CMD_ENC_MODE_HIGH_9_10:
        return "code 5 (encoder pairs B17+B18 and B19+B20, high bits)";
    case CMD_PULSE_LENGTH:
        return "code 6 (pulse length)";
    case CMD_A_INPUT_MODE:
        return "code 7 (\"A\" input mode)";
    }
    return "code " + std::to_string(code);
}

} // namespace tamo::config
