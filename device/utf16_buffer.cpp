// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf16_buffer.h"

#include <algorithm>

namespace tamo::device {

namespace {

constexpr char16_t REPLACEMENT = u'\uFFFD';

bool IsContinuation(std::uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

void AppendCodePoint(std::u16string &out, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

} // namespace

Utf8Sequence Utf8SequenceAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<std::uint8_t>(text[at]);
    if (lead < 0x80)
        return {true, 1, lead};
    // Length and the allowed range of the second byte, which is what rules out overlong
    // forms, surrogates and values past U+10FFFF.
    std::size_t length = 0;
    std::uint8_t secondMin = 0x80;
    std::uint8_t secondMax = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            secondMin = 0xA0;
        else if (lead == 0xED)
            secondMax = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            secondMin = 0x90;
        else if (lead == 0xF4)
            secondMax = 0x8F;
    } else {
        return {false, 1, 0};
    }
    std::size_t taken = 1;
    while (taken < length) {
        if (at + taken >= text.size())
            return {false, taken, 0};
        const auto byte = static_cast<std::uint8_t>(text[at + taken]);
        const bool inRange =
            taken == 1 ? byte >= secondMin && byte <= secondMax : IsContinuation(byte);
        if (!inRange)
            return {false, taken, 0};
        codePoint = (codePoint << 6) | (byte & 0x3F);
        ++taken;
    }
    return {true, length, codePoint};
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = Utf8SequenceAt(utf8, i);
        if (sequence.wellFormed)
            AppendCodePoint(out, sequence.codePoint);
        else
            out.push_back(REPLACEMENT);
        i += sequence.length;
    }
    return out;
}

bool WriteUtf16Le(std::u16string_view text, std::span<std::uint8_t> buffer)
{
    const std::size_t units = buffer.size() / 2;
    if (units == 0)
        return false;
    std::size_t count = std::min(text.size(), units);
    const auto isHighSurrogate = [](char16_t unit) {
        return unit >= 0xD800 && unit <= 0xDBFF;
    };
    if (count > 0 && count < text.size() && isHighSurrogate(text[count - 1]))
        --count;
    for (std::size_t k = 0; k < count; ++k) {
        buffer[2 * k] = static_cast<std::uint8_t>(text[k] & 0xFF);
        buffer[2 * k + 1] = static_cast<std::uint8_t>(text[k] >> 8);
    }
    if (count < units) {
        buffer[2 * count] = 0;
        buffer[2 * count + 1] = 0;
    }
    return true;
}

} // namespace tamo::device
