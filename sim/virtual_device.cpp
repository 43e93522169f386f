// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_device.h"

#include "board_descriptors.h"
#include "board_identity.h"

namespace tamo::sim {

VirtualDeviceDefinition FamilyBoard(std::u16string serialNumber)
{
    VirtualDeviceDefinition definition;
    definition.vendorId = device::VENDOR_ID;
    definition.productId = device::PID_FIRST;
    definition.versionNumber = 0x0109;
    definition.manufacturer = u"Velbrin";
    definition.product = u"Tamo micro 32";
    definition.serialNumber = std::move(serialNumber);
    definition.indexedStrings[device::MARKER_STRING_INDEX] = u"Tamo button box";
    definition.reportDescriptor = BoardReportDescriptor();
    return definition;
}

VirtualDeviceDefinition ForeignMouse(std::uint16_t vendorId, std::uint16_t productId)
{
    VirtualDeviceDefinition definition;
    definition.vendorId = vendorId;
    definition.productId = productId;
    definition.versionNumber = 0x2200;
    definition.manufacturer = u"Generic Input";
    definition.product = u"USB Optical Mouse";
    definition.reportDescriptor = MouseReportDescriptor();
    definition.isBoard = false;
    return definition;
}

} // namespace tamo::sim
