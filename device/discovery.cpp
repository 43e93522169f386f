#include "discovery.h"

#include "board_identity.h"
#include "hid_string.h"

#include <cstring>
#include <functional>
#include <vector>

namespace tamo::device {

namespace {

constexpr std::size_t kStringBufferBytes = 201;

// What the pass does with a board of the family: true keeps its handle and ends the pass.
using BoardStep = std::function<bool(const std::string &serial)>;

std::string DetailPath(const std::vector<std::uint8_t> &detail)
{
    std::string path;
    for (std::size_t i = DETAIL_DATA_PATH_OFFSET; i < detail.size() && detail[i] != 0; ++i)
        path.push_back(static_cast<char>(detail[i]));
    return path;
}

void EnumerationPass(Discovery &d, const BoardStep &step)
{
    BoardConnection &c = d.connection;
    HidPlatform &platform = d.platform;
    c.SecurityAttributes = {12, 0, 1};
    bool endOfList = false;
    bool kept = false;

    GUID hidGuid;
    c.LastResult = platform.HidD_GetHidGuid(hidGuid);
    PlatformHandle interfaceSet;
    c.LastResult =
        platform.SetupDiGetClassDevsA(hidGuid, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, interfaceSet);
    std::uint32_t index = 0;
    while (!endOfList && !kept) {
        SP_DEVICE_INTERFACE_DATA interfaceData;
        interfaceData.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
        c.LastResult =
            platform.SetupDiEnumDeviceInterfaces(interfaceSet, hidGuid, index, interfaceData);
        if (!c.LastResult) {
            endOfList = true;
            break;
        }
        std::uint32_t requiredSize = 0;
        c.LastResult = platform.SetupDiGetDeviceInterfaceDetailA(interfaceSet, interfaceData, {},
                                                                 requiredSize);
        std::vector<std::uint8_t> detail(std::size_t{requiredSize} + 1, 0);
        const std::uint32_t fixedSize = DETAIL_DATA_FIXED_SIZE;
        if (detail.size() >= sizeof fixedSize)
            RtlMoveMemory(detail.data(), &fixedSize, sizeof fixedSize);
        c.LastResult = platform.SetupDiGetDeviceInterfaceDetailA(
            interfaceSet, interfaceData, std::span(detail).first(requiredSize), requiredSize);
        c.DevicePath = DetailPath(detail);

        c.LastResult = platform.CreateFileA(
            c.DevicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
            &c.SecurityAttributes, OPEN_EXISTING, 0, c.FeatureHandle);
        if (c.LastResult) {
            c.Attributes.Size = sizeof(HIDD_ATTRIBUTES);
            c.Attributes.VendorID = 0;
            c.Attributes.ProductID = 0;
            c.LastResult = platform.HidD_GetAttributes(c.FeatureHandle, c.Attributes);
            std::string serial;
            if (c.LastResult && IsFamilyBoard(d, c.FeatureHandle)
                && ReadSerialNumber(d, c.FeatureHandle, serial))
                kept = step(serial);
            if (!kept) {
                c.LastResult = platform.CloseHandle(c.FeatureHandle);
                c.FeatureHandle = {};
            }
        } else {
            c.FeatureHandle = {};
        }
        ++index;
    }
    c.LastResult = platform.SetupDiDestroyDeviceInfoList(interfaceSet);
}

} // namespace

bool IsFamilyBoard(Discovery &d, PlatformHandle device)
{
    BoardConnection &c = d.connection;
    if (c.Attributes.VendorID != VENDOR_ID)
        return false;
    std::vector<std::uint8_t> marker(kStringBufferBytes, 0);
    c.LastResult = d.platform.HidD_GetIndexedString(device, MARKER_STRING_INDEX,
                                                    std::span(marker).first(STRING_REQUEST_BYTES));
    if (c.LastResult && marker[0] == MARKER[0] && marker[2] == MARKER[1] && marker[4] == MARKER[2]
        && marker[6] == MARKER[3])
        return true;
    return c.Attributes.ProductID >= PID_FIRST && c.Attributes.ProductID - PID_FIRST < PID_COUNT;
}

bool ReadSerialNumber(Discovery &d, PlatformHandle device, std::string &serial)
{
    std::vector<std::uint8_t> buffer(kStringBufferBytes, 0);
    d.connection.LastResult = d.platform.HidD_GetSerialNumberString(
        device, std::span(buffer).first(STRING_REQUEST_BYTES));
    if (!d.connection.LastResult)
        return false;
    serial = HidStringToText(buffer);
    return true;
}

void Scan_USB_devices(Discovery &d)
{
    d.connection.ListReady = false;
    d.view.clearSerialNumbers();
    d.view.setSerialNumbersEnabled(false);
    int listCount = -1;
    EnumerationPass(d, [&](const std::string &serial) {
        ++listCount;
        d.view.addSerialNumber(serial, listCount);
        d.view.selectSerialNumber(listCount);
        return false;
    });
    if (listCount > 0)
        d.view.setSerialNumbersEnabled(true);
    d.connection.ListReady = true;
}

bool FindTheHid(Discovery &d)
{
    BoardConnection &c = d.connection;
    c.DeviceFound = false;
    const std::string wanted = d.view.shownSerialNumber();
    EnumerationPass(d, [&](const std::string &serial) {
        if (serial != wanted)
            return false;
        c.DeviceFound = true;
        return true;
    });
    if (!c.DeviceFound)
        return false;
    d.view.setCapabilitiesReport(ReadCapabilities(d.platform, c, d.valueCaps));
    c.LastResult = d.platform.CreateFileA(c.DevicePath, GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, &c.SecurityAttributes,
                                          OPEN_EXISTING, FILE_FLAG_OVERLAPPED, c.ReadHandle);
    CreateReadEvent(d.platform, c);
    return true;
}

} // namespace tamo::device
