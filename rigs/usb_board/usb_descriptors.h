// SPDX-License-Identifier: GPL-3.0-or-later
// The USB side of a board made through gadgetfs: its device, configuration and string
// descriptors, and report descriptors of any input length. A full-speed device with one HID
// interface and one interrupt IN endpoint, as the boards of the family are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamo::usb {

inline constexpr std::uint8_t kManufacturerIndex = 1;
inline constexpr std::uint8_t kProductIndex = 2;
inline constexpr std::uint8_t kSerialIndex = 3;
inline constexpr std::uint8_t kInEndpointAddress = 0x81;
inline constexpr std::uint16_t kLanguageEnUs = 0x0409;

struct UsbIdentity {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t bcdDevice = 0;
    // Strings by index (manufacturer 1, product 2, serial 3, the marker 42); UTF-8. An index
    // without an entry is stalled, as a device without that string does.
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> serial;
    std::optional<std::string> marker;
    std::vector<std::uint8_t> reportDescriptor;
    // Bytes of one input report on the wire (no report-ID byte for a board without IDs).
    std::uint16_t inputPacketBytes = 8;
};

std::vector<std::uint8_t> DeviceDescriptor(const UsbIdentity &identity);
// Configuration, interface, HID and endpoint descriptors, wTotalLength bytes.
std::vector<std::uint8_t> ConfigurationDescriptor(const UsbIdentity &identity);
std::vector<std::uint8_t> HidDescriptor(const UsbIdentity &identity);
std::vector<std::uint8_t> InEndpointDescriptor(const UsbIdentity &identity);

// String descriptor index (0: the language list), cut to the 255 bytes a descriptor can
// hold; nothing for a string the device does not have.
std::optional<std::vector<std::uint8_t>> StringDescriptor(const UsbIdentity &identity,
                                                          std::uint8_t index);

} // namespace tamo::usb
