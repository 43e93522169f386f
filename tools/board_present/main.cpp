// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-board-present: lists the serial numbers of the attached boards of the family, one a
// line; exit status 0 when there is at least one. The start script uses it to choose between
// the tool and its demo.
#include "discovery.h"
#include "native_platform.h"

#include <iostream>
#include <vector>

int main()
{
    const auto platform = tamo::device::CreateNativeHidPlatform();
    tamo::device::BoardConnection connection;
    tamo::device::ValueCapsArray valueCaps{};
    tamo::device::Discovery discovery{*platform, connection, valueCaps};
    const std::vector<std::string> serials = tamo::device::Scan_USB_devices(discovery);
    for (const std::string &serial : serials)
        std::cout << serial << "\n";
    return serials.empty() ? 1 : 0;
}
