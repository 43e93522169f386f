// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_text.h"

namespace tamo::device {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == ',';
}

bool ParseToken(std::string_view token, std::vector<std::uint8_t> &bytes, std::string &error)
{
    const std::string quoted = "'" + std::string{token} + "'";
    const bool prefixed =
        token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
    const std::string_view digits = prefixed ? token.substr(2) : token;
    for (char c : digits) {
        if (HexDigit(c) < 0) {
            error = "not a hex byte: " + quoted;
            return false;
        }
    }
    if (prefixed) {
        if (digits.empty() || digits.size() > 2) {
            error = "a 0x token must hold one byte: " + quoted;
            return false;
        }
        int value = 0;
        for (char c : digits)
            value = value * 16 + HexDigit(c);
        bytes.push_back(static_cast<std::uint8_t>(value));
        return true;
    }
    if (digits.size() % 2 != 0) {
        error = "odd number of hex digits: " + quoted;
        return false;
    }
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(
            static_cast<std::uint8_t>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
    return true;
}

} // namespace

bool ParseHexText(std::string_view text, std::vector<std::uint8_t> &bytes, std::string &error)
{
    bytes.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        if (!ParseToken(text.substr(i, end - i), bytes, error))
            return false;
        i = end;
    }
    if (bytes.empty()) {
        error = "no hex bytes given";
        return false;
    }
    return true;
}

} // namespace tamo::device
