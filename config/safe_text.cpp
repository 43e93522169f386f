// SPDX-License-Identifier: GPL-3.0-or-later
#include "safe_text.h"

#include "utf16_buffer.h"

#include <cstdio>

namespace tamo::config {

namespace {

void AppendUtf8(std::string &out, unsigned char c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendEscape(std::string &out, unsigned value)
{
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", value & 0xFF);
    out += escaped;
}

} // namespace

std::string Latin1ToUtf8(std::string_view text)
{
    std::string out;
    for (const char c : text)
        AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string SystemText(std::string_view utf8)
{
    std::string bytes;
    for (const char16_t unit : device::Utf8ToUtf16(utf8)) {
        if ((unit & 0xFF) == 0)
            break;
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return Latin1ToUtf8(bytes);
}

std::optional<std::size_t> InvalidUtf8At(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const device::Utf8Sequence sequence = device::Utf8SequenceAt(text, i);
        if (!sequence.wellFormed)
            return i;
        i += sequence.length;
    }
    return std::nullopt;
}

std::string Escaped(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [wellFormed, length, codePoint] = device::Utf8SequenceAt(utf8, i);
        if (!wellFormed) {
            AppendEscape(out, static_cast<unsigned char>(utf8[i]));
            ++i;
            continue;
        }
        if (codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0))
            AppendEscape(out, static_cast<unsigned>(codePoint));
        else
            out.append(utf8.substr(i, length));
        i += length;
    }
    return out;
}

std::string Printable(std::string_view boardText)
{
    return Escaped(Latin1ToUtf8(boardText));
}

std::string LabelValue(std::string_view labelText)
{
    if (!labelText.empty() && labelText.front() == ' ')
        labelText.remove_prefix(1);
    return std::string(labelText);
}

} // namespace tamo::config
