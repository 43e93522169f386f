#include "virtual_device.h"

#include "board_descriptors.h"
#include "board_identity.h"

namespace tamo::sim {

VirtualDeviceSpec FamilyBoard(std::u16string serialNumber)
{
    VirtualDeviceSpec spec;
    spec.vendorId = device::VENDOR_ID;
    spec.productId = device::PID_FIRST;
    spec.versionNumber = 0x0109;
    spec.manufacturer = u"Velbrin";
    spec.product = u"Tamo micro 32";
    spec.serialNumber = std::move(serialNumber);
    spec.indexedStrings[device::MARKER_STRING_INDEX] = u"Tamo button box";
    spec.reportDescriptor = BoardReportDescriptor();
    return spec;
}

VirtualDeviceSpec ForeignMouse(std::uint16_t vendorId, std::uint16_t productId)
{
    VirtualDeviceSpec spec;
    spec.vendorId = vendorId;
    spec.productId = productId;
    spec.versionNumber = 0x2200;
    spec.manufacturer = u"Logitech";
    spec.product = u"USB Optical Mouse";
    spec.reportDescriptor = MouseReportDescriptor();
    spec.isBoard = false;
    return spec;
}

} // namespace tamo::sim
