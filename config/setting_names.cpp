// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_names.h"

#include "configuration_reply.h"
#include "device_texts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tamo::config {

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// "B<n>" with 1 <= n <= 20.
std::optional<int> ParseInput(std::string_view text)
{
    text = Trim(text);
    if (text.size() < 2 || (text[0] != 'B' && text[0] != 'b'))
        return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), n);
    if (ec != std::errc{} || end != text.data() + text.size() || n < 1 || n > 2 * PAIR_COUNT)
        return std::nullopt;
    return n;
}

} // namespace

std::optional<int> ParsePairName(std::string_view text)
{
    const std::size_t plus = text.find('+');
    if (plus == text.npos)
        return std::nullopt;
    const auto first = ParseInput(text.substr(0, plus));
    const auto second = ParseInput(text.substr(plus + 1));
    if (!first || !second || *first % 2 != 1 || *second != *first + 1)
        return std::nullopt;
    return (*first + 1) / 2;
}

std::string PairName(int pair, std::string_view join)
{
    return "B" + std::to_string(2 * pair - 1) + std::string(join) + "B" + std::to_string(2 * pair);
}

std::optional<int> ParseEncoderMode(std::string_view text)
{
    const std::string wanted = Lower(Trim(text));
    for (std::size_t i = 0; i < ENCODER_MODE_ITEMS.size(); ++i)
        if (wanted == ENCODER_MODE_ITEMS[i])
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> ParsePulseLength(std::string_view text)
{
    std::string_view number = Trim(text);
    const std::string lower = Lower(number);
    if (lower.ends_with("ms"))
        number = Trim(number.substr(0, number.size() - 2));
    int ms = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), ms);
    if (number.empty() || ec != std::errc{} || end != number.data() + number.size() || ms % 8 != 0
        || ms < 8 || ms > 8 * PULSE_LENGTH_ITEM_COUNT)
        return std::nullopt;
    return ms / 8 - 1;
}

std::optional<int> ParseAInputMode(std::string_view text)
{
    const std::string wanted = Lower(Trim(text));
    for (std::size_t i = 0; i < A_INPUT_MODE_ITEMS.size(); ++i)
        if (wanted == Lower(A_INPUT_MODE_ITEMS[i]))
            return static_cast<int>(i);
    return std::nullopt;
}

std::string PairChoices()
{
    return "B1+B2, B3+B4, ... B19+B20";
}

std::string EncoderModeChoices()
{
    return "off, 1:1, 1:2, 1:4";
}

std::string PulseLengthChoices()
{
    return "8 ms to 200 ms in steps of 8 ms";
}

std::string AInputModeChoices()
{
    std::string out;
    for (const std::string_view item : A_INPUT_MODE_ITEMS) {
        if (!out.empty())
            out += ", ";
        out += '"';
        out += item;
        out += '"';
    }
    return out;
}

std::string EncoderModeName(int listIndex)
{
    if (listIndex < 0 || listIndex >= static_cast<int>(ENCODER_MODE_ITEMS.size()))
        return {};
    return std::string(ENCODER_MODE_ITEMS[static_cast<std::size_t>(listIndex)]);
}

std::string PulseLengthName(std::uint8_t pulseLength)
{
    const int index = PulseLengthSelection(pulseLength, PULSE_LENGTH_ITEM_COUNT);
    if (index < 0)
        return {};
    return PulseLengthItems()[static_cast<std::size_t>(index)];
}

std::string AInputModeName(std::uint8_t mode)
{
    const int index = AInputModeSelection(mode, static_cast<int>(A_INPUT_MODE_ITEMS.size()));
    return std::string(A_INPUT_MODE_ITEMS[static_cast<std::size_t>(index)]);
}

} // namespace tamo::config
