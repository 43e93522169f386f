// SPDX-License-Identifier: GPL-3.0-or-later
// The definition of one virtual HID device: its identity, strings, report descriptor and
// whether it behaves as a board of the family.
#pragma once

#include "board_model.h"
#include "report_descriptor.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tamo::sim {

struct VirtualDeviceDefinition {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::optional<std::u16string> manufacturer;
    std::optional<std::u16string> product;
    std::optional<std::u16string> serialNumber;
    std::map<std::uint32_t, std::u16string> indexedStrings;
    std::vector<std::uint8_t> reportDescriptor;
    // Caps as the platform would report them, for lengths that no sane descriptor declares.
    std::optional<device::HidCollectionCaps> capsOverride;
    bool isBoard = true;
    InputMode inputMode = InputMode::Streaming;
    std::uint32_t streamPeriodMs = 10;
};

// A board of the family with our vendor ID and the marker in string 42.
VirtualDeviceDefinition FamilyBoard(std::u16string serialNumber);
// A three-button mouse of another maker.
VirtualDeviceDefinition ForeignMouse(std::uint16_t vendorId = 0x046D,
                                     std::uint16_t productId = 0xC077);

} // namespace tamo::sim
