// Finds the boards of the family among the present HID interfaces: lists their serial
// numbers, and opens the one whose serial number the list shows.
#pragma once

#include "board_connection.h"
#include "capabilities.h"

#include <string>

namespace tamo::device {

// The serial-number list and the capabilities text box, as discovery writes them.
class DiscoveryView {
public:
    virtual ~DiscoveryView() = default;
    virtual void clearSerialNumbers() = 0;
    virtual void setSerialNumbersEnabled(bool enabled) = 0;
    virtual void addSerialNumber(const std::string &serial, int position) = 0;
    // Raises the list's click event, as a user's pick would.
    virtual void selectSerialNumber(int index) = 0;
    virtual std::string shownSerialNumber() const = 0;
    virtual void setCapabilitiesReport(const std::string &report) = 0;
};

struct Discovery {
    HidPlatform &platform;
    BoardConnection &connection;
    DiscoveryView &view;
    ValueCapsArray &valueCaps;
};

// Vendor ID, then the marker in string 42 (exact case), else the product-ID range.
bool IsFamilyBoard(Discovery &discovery, PlatformHandle device);
bool ReadSerialNumber(Discovery &discovery, PlatformHandle device, std::string &serial);

// Refills the list with every board's serial number, selects the last, enables the list only
// for two or more boards, and sets ListReady at the end. Leaves no handle open.
void Scan_USB_devices(Discovery &discovery);

// Opens the first board whose serial number equals the one shown, reads its capabilities and
// opens the read handle. On failure no handle of the search is left open.
bool FindTheHid(Discovery &discovery);

} // namespace tamo::device
