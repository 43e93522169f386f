// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_bytes.h"

#include "bytes_as_hex.h"

namespace tamo::orders {

std::string HexText(std::span<const std::uint8_t> bytes)
{
    return device::HexBytes(bytes, "", device::HexCase::Lower);
}

} // namespace tamo::orders
