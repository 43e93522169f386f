// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration_reply.h"

namespace tamo::config {

bool IsUsableConfigurationReply(std::span<const std::uint8_t> reply)
{
    return reply.size() >= CONFIGURATION_REPLY_MIN_LENGTH && reply[REPLY_STATUS] == 0;
}

int EncoderModeIndex(std::span<const std::uint8_t> reply, int pair)
{
    if (pair < 1 || pair > static_cast<int>(ENCODER_PAIRS)
        || reply.size() <= REPLY_ENC_MODE_HIGH_9_10)
        return -1;
    const bool lowGroup = pair <= static_cast<int>(ENCODER_PAIRS_LOW_GROUP);
    const std::uint8_t low = reply[lowGroup ? REPLY_ENC_MODE_LOW : REPLY_ENC_MODE_LOW_9_10];
    const std::uint8_t high = reply[lowGroup ? REPLY_ENC_MODE_HIGH : REPLY_ENC_MODE_HIGH_9_10];
    const int bit = lowGroup ? pair - 1 : pair - 1 - static_cast<int>(ENCODER_PAIRS_LOW_GROUP);
    return 2 * ((high >> bit) & 1) + ((low >> bit) & 1);
}

std::optional<ConfigurationSettings> DecodeConfigurationReply(std::span<const std::uint8_t> reply)
{
    if (!IsUsableConfigurationReply(reply))
        return std::nullopt;
    ConfigurationSettings settings;
    for (std::size_t k = 0; k < ENCODER_PAIRS; ++k)
        settings.encoderModes[k] = EncoderModeIndex(reply, static_cast<int>(k) + 1);
    settings.pulseLength = reply[REPLY_PULSE_LENGTH];
    settings.aInputMode = reply[REPLY_A_INPUT_MODE];
    return settings;
}

std::uint8_t PulseLengthByte(int delayListIndex)
{
    return static_cast<std::uint8_t>(delayListIndex + 1);
}

int PulseLengthSelection(std::uint8_t pulseLength, int itemCount)
{
    if (itemCount <= 0)
        return -1;
    const int p = static_cast<int>(pulseLength) - 1;
    return p < itemCount ? p : itemCount - 1;
}

int AInputModeSelection(std::uint8_t mode, int itemCount)
{
    if (itemCount <= 0)
        return -1;
    const int a = mode;
    return a < itemCount ? a : itemCount - 1;
}

} // namespace tamo::config
