// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_board.h"

#include <atomic>

namespace tamo::config {

namespace {
std::atomic<int> boardsOpened = 0;
} // namespace

std::vector<device::SerialNumber> ScanBoards(device::HidPlatform &platform)
{
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{platform, connection, valueCaps};
    return device::Scan_USB_devices(discovery);
}

OpenBoard::~OpenBoard()
{
    Close();
}

device::SearchResult OpenBoard::Open(const device::SerialNumber &serial)
{
    Close();
    device::Discovery discovery = Discovery();
    device::SearchResult result = device::FindTheHid(discovery, serial);
    if (result.found)
        ++boardsOpened;
    return result;
}

void OpenBoard::Close()
{
    if (connection_.DeviceFound)
        device::CloseConnection(platform_, connection_);
}

std::string OpenBoard::Why() const
{
    if (!connection_.LastResult.error.empty())
        return connection_.LastResult.error;
    return "it is gone, or its HID capabilities cannot be read";
}

std::string OpenBoard::WhyNoReply() const
{
    if (!connection_.LastResult.ok && !connection_.LastResult.error.empty())
        return connection_.LastResult.error;
    if (connection_.Capabilities.FeatureReportByteLength < CONFIGURATION_REPLY_MIN_LENGTH)
        return "its feature report ("
               + std::to_string(connection_.Capabilities.FeatureReportByteLength)
               + " bytes) is too short to hold the reply";
    return "every reply had a nonzero status";
}

int OpenBoard::OpenedSoFar()
{
    return boardsOpened;
}

} // namespace tamo::config
