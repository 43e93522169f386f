// SPDX-License-Identifier: GPL-3.0-or-later
#include "usb_string_descriptor.h"

#include "utf16_buffer.h"

#include <algorithm>
#include <string>

namespace tamo::device {

namespace {

// The payload bytes after the header, bounded by bLength and by what arrived; empty when
// the reply is not a string descriptor.
std::span<const std::uint8_t> Payload(std::span<const std::uint8_t> received, bool &valid)
{
    valid = received.size() >= 2 && received[1] == USB_DT_STRING_TYPE && received[0] >= 2;
    if (!valid)
        return {};
    const std::size_t end = std::min<std::size_t>(received[0], received.size());
    return received.subspan(2, (end - 2) & ~std::size_t{1});
}

} // namespace

std::uint16_t FirstLanguageId(std::span<const std::uint8_t> received)
{
    bool valid = false;
    const auto payload = Payload(received, valid);
    if (payload.size() < 2)
        return DEFAULT_LANGUAGE_ID;
    const auto language = static_cast<std::uint16_t>(payload[0] | (payload[1] << 8));
    return language != 0 ? language : DEFAULT_LANGUAGE_ID;
}

bool CopyStringDescriptor(std::span<const std::uint8_t> received, std::span<std::uint8_t> buffer)
{
    bool valid = false;
    const auto payload = Payload(received, valid);
    if (!valid)
        return false;
    std::u16string text(payload.size() / 2, u'\0');
    for (std::size_t k = 0; k < text.size(); ++k)
        text[k] = static_cast<char16_t>(payload[2 * k] | (payload[2 * k + 1] << 8));
    return WriteUtf16Le(text, buffer);
}

} // namespace tamo::device
