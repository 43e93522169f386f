// SPDX-License-Identifier: GPL-3.0-or-later
// Descriptor bytes written as hex text, as they are pasted from dumps and C arrays:
// "05 01 09 04", "0x05, 0x01", "05010904".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamo::device {

// Tokens are separated by whitespace or commas. A token with a 0x prefix is one byte of one
// or two digits; a bare token is an even run of digits, two per byte. On failure returns false
// and says which token was wrong.
bool ParseHexText(std::string_view text, std::vector<std::uint8_t> &bytes, std::string &error);

} // namespace tamo::device
