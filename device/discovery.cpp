// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery.h"

#include "board_identity.h"
#include "hid_string.h"

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace tamo::device {

namespace {

constexpr std::size_t kStringBufferBytes = 201;

// What the pass does with a board of the family: true keeps its handle and ends the pass.
using BoardStep = std::function<bool(const SerialNumber &serial)>;

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

    const auto record = [&c](PlatformResult result) {
        RecordResult(c, std::move(result), LogSource::Discovery);
    };
    GUID hidGuid;
    record(platform.HidD_GetHidGuid(hidGuid));
    PlatformHandle interfaceSet;
    record(platform.SetupDiGetClassDevsA(hidGuid, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE,
                                         interfaceSet));
    std::uint32_t index = 0;
    while (!endOfList && !kept) {
        SP_DEVICE_INTERFACE_DATA interfaceData;
        interfaceData.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
        // Failing past the last interface is how the list ends: recorded, not logged.
        c.LastResult =
            platform.SetupDiEnumDeviceInterfaces(interfaceSet, hidGuid, index, interfaceData);
        if (!c.LastResult) {
            endOfList = true;
            break;
        }
        std::uint32_t requiredSize = 0;
        // The size query fails by design (the record does not fit in nothing): not logged.
        c.LastResult = platform.SetupDiGetDeviceInterfaceDetailA(interfaceSet, interfaceData, {},
                                                                 requiredSize);
        std::vector<std::uint8_t> detail(std::size_t{requiredSize} + 1, 0);
        const std::uint32_t fixedSize = DETAIL_DATA_FIXED_SIZE;
        if (detail.size() >= sizeof fixedSize)
            RtlMoveMemory(detail.data(), &fixedSize, sizeof fixedSize);
        record(platform.SetupDiGetDeviceInterfaceDetailA(
            interfaceSet, interfaceData, std::span(detail).first(requiredSize), requiredSize));
        c.DevicePath = DetailPath(detail);

        record(platform.CreateFileA(c.DevicePath, GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, &c.SecurityAttributes,
                                    OPEN_EXISTING, 0, c.FeatureHandle));
        if (c.LastResult) {
            c.Attributes.Size = sizeof(HIDD_ATTRIBUTES);
            c.Attributes.VendorID = 0;
            c.Attributes.ProductID = 0;
            record(platform.HidD_GetAttributes(c.FeatureHandle, c.Attributes));
            if (c.LastResult && IsFamilyBoard(d, c.FeatureHandle))
                if (const std::optional<SerialNumber> serial = ReadSerialNumber(d, c.FeatureHandle))
                    kept = step(*serial);
            if (!kept) {
                record(platform.CloseHandle(c.FeatureHandle));
                c.FeatureHandle = {};
            }
        } else {
            c.FeatureHandle = {};
        }
        ++index;
    }
    record(platform.SetupDiDestroyDeviceInfoList(interfaceSet));
}

} // namespace

bool IsFamilyBoard(Discovery &d, PlatformHandle device)
{
    BoardConnection &c = d.connection;
    if (c.Attributes.VendorID != VENDOR_ID)
        return false;
    std::vector<std::uint8_t> marker(kStringBufferBytes, 0);
    RecordResult(c,
                 d.platform.HidD_GetIndexedString(device, MARKER_STRING_INDEX,
                                                  std::span(marker).first(STRING_REQUEST_BYTES)),
                 LogSource::Discovery);
    if (c.LastResult && marker[0] == MARKER[0] && marker[2] == MARKER[1] && marker[4] == MARKER[2]
        && marker[6] == MARKER[3])
        return true;
    return c.Attributes.ProductID >= PID_FIRST && c.Attributes.ProductID - PID_FIRST < PID_COUNT;
}

std::optional<SerialNumber> ReadSerialNumber(Discovery &d, PlatformHandle device)
{
    std::vector<std::uint8_t> buffer(kStringBufferBytes, 0);
    RecordResult(d.connection,
                 d.platform.HidD_GetSerialNumberString(
                     device, std::span(buffer).first(STRING_REQUEST_BYTES)),
                 LogSource::Discovery);
    if (!d.connection.LastResult)
        return std::nullopt;
    return HidStringToText(buffer);
}

std::vector<SerialNumber> Scan_USB_devices(Discovery &d)
{
    std::vector<SerialNumber> serials;
    EnumerationPass(d, [&](const SerialNumber &serial) {
        serials.push_back(serial);
        return false;
    });
    return serials;
}

SearchResult FindTheHid(Discovery &d, const SerialNumber &serialNumber)
{
    BoardConnection &c = d.connection;
    c.DeviceFound = false;
    bool kept = false;
    EnumerationPass(d, [&](const SerialNumber &serial) {
        kept = serial == serialNumber;
        return kept;
    });
    if (!kept)
        return {};
    CapabilitiesRead caps = ReadCapabilities(d.platform, c, d.valueCaps);
    if (!caps.readable) {
        RecordResult(c, d.platform.CloseHandle(c.FeatureHandle), LogSource::Discovery);
        c.FeatureHandle = {};
        return {false, std::move(caps.report)};
    }
    RecordResult(c,
                 d.platform.CreateFileA(c.DevicePath, GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, &c.SecurityAttributes,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, c.ReadHandle),
                 LogSource::Discovery);
    if (!c.LastResult) {
        // Without its read handle the board could be configured but never show its inputs, and
        // every read would fail as if it had gone: not found, with the open's reason kept.
        PlatformResult openFailed = std::move(c.LastResult);
        RecordResult(c, d.platform.CloseHandle(c.FeatureHandle), LogSource::Discovery);
        c.FeatureHandle = {};
        c.ReadHandle = {};
        c.LastResult = std::move(openFailed);
        return {false, std::move(caps.report)};
    }
    CreateReadEvent(d.platform, c);
    c.DeviceFound = true;
    return {true, std::move(caps.report)};
}

} // namespace tamo::device
