// SPDX-License-Identifier: GPL-3.0-or-later
// Platform records of the HID class and device-setup services, in the layouts that the
// Windows HID parser and setup API define. The value-capabilities record is shown to the user
// byte for byte, so its layout is pinned by static_asserts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tamo::device {

using USAGE = std::uint16_t;

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
    friend bool operator==(const GUID &, const GUID &) = default;
};

// The HID device interface class.
inline constexpr GUID HID_INTERFACE_CLASS_GUID{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

struct HIDP_CAPS {
    USAGE Usage = 0;
    USAGE UsagePage = 0;
    std::uint16_t InputReportByteLength = 0;
    std::uint16_t OutputReportByteLength = 0;
    std::uint16_t FeatureReportByteLength = 0;
    std::uint16_t Reserved[17] = {};
    std::uint16_t NumberLinkCollectionNodes = 0;
    std::uint16_t NumberInputButtonCaps = 0;
    std::uint16_t NumberInputValueCaps = 0;
    std::uint16_t NumberInputDataIndices = 0;
    std::uint16_t NumberOutputButtonCaps = 0;
    std::uint16_t NumberOutputValueCaps = 0;
    std::uint16_t NumberOutputDataIndices = 0;
    std::uint16_t NumberFeatureButtonCaps = 0;
    std::uint16_t NumberFeatureValueCaps = 0;
    std::uint16_t NumberFeatureDataIndices = 0;
    friend bool operator==(const HIDP_CAPS &, const HIDP_CAPS &) = default;
};
static_assert(sizeof(HIDP_CAPS) == 64);
static_assert(offsetof(HIDP_CAPS, Reserved) == 10);
static_assert(offsetof(HIDP_CAPS, NumberLinkCollectionNodes) == 44);
static_assert(offsetof(HIDP_CAPS, NumberFeatureDataIndices) == 62);

// The usage union is kept in its range view; the not-range view reads the same bytes
// (Usage = UsageMin, StringIndex = StringMin, DesignatorIndex = DesignatorMin,
// DataIndex = DataIndexMin, and the Reserved copies in the Max fields).
struct HIDP_VALUE_CAPS {
    USAGE UsagePage = 0;
    std::uint8_t ReportID = 0;
    std::uint8_t IsAlias = 0;
    std::uint16_t BitField = 0;
    std::uint16_t LinkCollection = 0;
    USAGE LinkUsage = 0;
    USAGE LinkUsagePage = 0;
    std::uint8_t IsRange = 0;
    std::uint8_t IsStringRange = 0;
    std::uint8_t IsDesignatorRange = 0;
    std::uint8_t IsAbsolute = 0;
    std::uint8_t HasNull = 0;
    std::uint8_t Reserved = 0;
    std::uint16_t BitSize = 0;
    std::uint16_t ReportCount = 0;
    std::uint16_t Reserved2[5] = {};
    std::uint32_t UnitsExp = 0;
    std::uint32_t Units = 0;
    std::int32_t LogicalMin = 0;
    std::int32_t LogicalMax = 0;
    std::int32_t PhysicalMin = 0;
    std::int32_t PhysicalMax = 0;
    USAGE UsageMin = 0;
    USAGE UsageMax = 0;
    std::uint16_t StringMin = 0;
    std::uint16_t StringMax = 0;
    std::uint16_t DesignatorMin = 0;
    std::uint16_t DesignatorMax = 0;
    std::uint16_t DataIndexMin = 0;
    std::uint16_t DataIndexMax = 0;
    friend bool operator==(const HIDP_VALUE_CAPS &, const HIDP_VALUE_CAPS &) = default;
};
static_assert(sizeof(HIDP_VALUE_CAPS) == 72);
static_assert(offsetof(HIDP_VALUE_CAPS, ReportID) == 2);
static_assert(offsetof(HIDP_VALUE_CAPS, BitField) == 4);
static_assert(offsetof(HIDP_VALUE_CAPS, LinkCollection) == 6);
static_assert(offsetof(HIDP_VALUE_CAPS, IsRange) == 12);
static_assert(offsetof(HIDP_VALUE_CAPS, HasNull) == 16);
static_assert(offsetof(HIDP_VALUE_CAPS, BitSize) == 18);
static_assert(offsetof(HIDP_VALUE_CAPS, ReportCount) == 20);
static_assert(offsetof(HIDP_VALUE_CAPS, UnitsExp) == 32);
static_assert(offsetof(HIDP_VALUE_CAPS, Units) == 36);
static_assert(offsetof(HIDP_VALUE_CAPS, LogicalMin) == 40);
static_assert(offsetof(HIDP_VALUE_CAPS, PhysicalMax) == 52);
static_assert(offsetof(HIDP_VALUE_CAPS, UsageMin) == 56);
static_assert(offsetof(HIDP_VALUE_CAPS, DataIndexMax) == 70);

struct HIDD_ATTRIBUTES {
    std::uint32_t Size = 0;
    std::uint16_t VendorID = 0;
    std::uint16_t ProductID = 0;
    std::uint16_t VersionNumber = 0;
};
static_assert(sizeof(HIDD_ATTRIBUTES) == 12);

// An opaque platform object: a file descriptor, a Windows HANDLE or a virtual board's handle.
struct PlatformHandle {
    std::uintptr_t value = 0;
    bool valid() const { return value != 0; }
    friend bool operator==(const PlatformHandle &, const PlatformHandle &) = default;
};

struct SP_DEVICE_INTERFACE_DATA {
    std::uint32_t cbSize = 0;
    GUID InterfaceClassGuid;
    std::uint32_t Flags = 0;
    std::uintptr_t Reserved = 0;
};

inline constexpr std::uint32_t SP_DEVICE_INTERFACE_DATA_SIZE = 28;

// The fixed part of SP_DEVICE_INTERFACE_DETAIL_DATA_A: a 32-bit cbSize followed by the path,
// padded to pointer alignment (5 for 32-bit callers, 8 for 64-bit ones).
inline constexpr std::uint32_t DETAIL_DATA_FIXED_SIZE = sizeof(void *) == 8 ? 8 : 5;
inline constexpr std::size_t DETAIL_DATA_PATH_OFFSET = 4;

struct SECURITY_ATTRIBUTES {
    std::uint32_t nLength = 0;
    std::uintptr_t lpSecurityDescriptor = 0;
    std::int32_t bInheritHandle = 0;
};

struct OVERLAPPED {
    std::uint32_t Internal = 0;
    std::uint32_t InternalHigh = 0;
    std::uint32_t Offset = 0;
    std::uint32_t OffsetHigh = 0;
    PlatformHandle hEvent;
};

enum class HIDP_REPORT_TYPE : std::uint32_t { HidP_Input = 0, HidP_Output = 1, HidP_Feature = 2 };

inline constexpr std::uint32_t DIGCF_PRESENT = 0x02;
inline constexpr std::uint32_t DIGCF_DEVICEINTERFACE = 0x10;
inline constexpr std::uint32_t GENERIC_READ = 0x80000000u;
inline constexpr std::uint32_t GENERIC_WRITE = 0x40000000u;
inline constexpr std::uint32_t FILE_SHARE_READ = 1;
inline constexpr std::uint32_t FILE_SHARE_WRITE = 2;
inline constexpr std::uint32_t OPEN_EXISTING = 3;
inline constexpr std::uint32_t FILE_FLAG_OVERLAPPED = 0x40000000u;

inline constexpr std::int32_t HIDP_STATUS_SUCCESS = 0x00110000;
inline constexpr std::int32_t HIDP_STATUS_INVALID_REPORT_TYPE =
    static_cast<std::int32_t>(0xC0110002u);
inline constexpr std::int32_t HIDP_STATUS_INVALID_PREPARSED_DATA =
    static_cast<std::int32_t>(0xC0110001u);
inline constexpr std::int32_t HIDP_STATUS_BUFFER_TOO_SMALL = static_cast<std::int32_t>(0xC0110007u);
inline constexpr std::int32_t HIDP_STATUS_USAGE_NOT_FOUND = static_cast<std::int32_t>(0xC0110004u);

} // namespace tamo::device
