// SPDX-License-Identifier: GPL-3.0-or-later
#include "usb_descriptors.h"

#include "board_identity.h"
#include "utf16_buffer.h"

#include <algorithm>

namespace tamo::usb {

namespace {

constexpr std::uint8_t DT_DEVICE = 0x01;
constexpr std::uint8_t DT_CONFIG = 0x02;
constexpr std::uint8_t DT_STRING = 0x03;
constexpr std::uint8_t DT_INTERFACE = 0x04;
constexpr std::uint8_t DT_ENDPOINT = 0x05;
constexpr std::uint8_t DT_HID = 0x21;
constexpr std::uint8_t DT_REPORT = 0x22;
constexpr std::uint8_t CLASS_HID = 0x03;
constexpr std::uint8_t XFER_INTERRUPT = 0x03;
constexpr std::uint8_t POLL_EVERY_FRAME = 1; // 1 ms at full speed
constexpr std::size_t kMaxDescriptor = 255;

std::uint8_t Low(std::uint16_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t High(std::uint16_t value)
{
    return static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t IndexIf(const std::optional<std::string> &text, std::uint8_t index)
{
    return text ? index : 0;
}

} // namespace

std::vector<std::uint8_t> DeviceDescriptor(const UsbIdentity &identity)
{
    return {18,
            DT_DEVICE,
            0x00,
            0x02, // USB 2.0
            0x00,
            0x00,
            0x00, // class per interface
            64,   // ep0 packet size; the controller's own is put in by gadgetfs
            Low(identity.vendorId),
            High(identity.vendorId),
            Low(identity.productId),
            High(identity.productId),
            Low(identity.bcdDevice),
            High(identity.bcdDevice),
            IndexIf(identity.manufacturer, kManufacturerIndex),
            IndexIf(identity.product, kProductIndex),
            IndexIf(identity.serial, kSerialIndex),
            1};
}

std::vector<std::uint8_t> HidDescriptor(const UsbIdentity &identity)
{
    const auto length = static_cast<std::uint16_t>(identity.reportDescriptor.size());
    return {9, DT_HID, 0x11, 0x01, 0x00, 1, DT_REPORT, Low(length), High(length)};
}

std::vector<std::uint8_t> InEndpointDescriptor(const UsbIdentity &identity)
{
    return {7,
            DT_ENDPOINT,
            kInEndpointAddress,
            XFER_INTERRUPT,
            Low(identity.inputPacketBytes),
            High(identity.inputPacketBytes),
            POLL_EVERY_FRAME};
}

std::vector<std::uint8_t> ConfigurationDescriptor(const UsbIdentity &identity)
{
    const std::vector<std::uint8_t> interface {
        9, DT_INTERFACE, 0, 0, 1, CLASS_HID, 0, 0, 0
    };
    const std::vector<std::uint8_t> hid = HidDescriptor(identity);
    const std::vector<std::uint8_t> endpoint = InEndpointDescriptor(identity);
    const auto total =
        static_cast<std::uint16_t>(9 + interface.size() + hid.size() + endpoint.size());
    // One interface, configuration value 1, bus-powered, 100 mA.
    std::vector<std::uint8_t> config{9, DT_CONFIG, Low(total), High(total), 1, 1, 0, 0x80, 50};
    config.insert(config.end(), interface.begin(), interface.end());
    config.insert(config.end(), hid.begin(), hid.end());
    config.insert(config.end(), endpoint.begin(), endpoint.end());
    return config;
}

std::optional<std::vector<std::uint8_t>> StringDescriptor(const UsbIdentity &identity,
                                                          std::uint8_t index)
{
    if (index == 0)
        return std::vector<std::uint8_t>{4, DT_STRING, Low(kLanguageEnUs), High(kLanguageEnUs)};
    const std::optional<std::string> *text = nullptr;
    if (index == kManufacturerIndex)
        text = &identity.manufacturer;
    else if (index == kProductIndex)
        text = &identity.product;
    else if (index == kSerialIndex)
        text = &identity.serial;
    else if (index == device::MARKER_STRING_INDEX)
        text = &identity.marker;
    if (text == nullptr || !text->has_value())
        return std::nullopt;
    const std::u16string units = device::Utf8ToUtf16(**text);
    std::vector<std::uint8_t> descriptor{0, DT_STRING};
    for (const char16_t unit : units) {
        if (descriptor.size() + 2 > kMaxDescriptor)
            break;
        descriptor.push_back(Low(unit));
        descriptor.push_back(High(unit));
    }
    descriptor[0] = static_cast<std::uint8_t>(descriptor.size());
    return descriptor;
}

} // namespace tamo::usb
