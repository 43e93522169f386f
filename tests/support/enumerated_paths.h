// SPDX-License-Identifier: GPL-3.0-or-later
// The interface paths a platform's enumeration yields, in its order, walked the way discovery
// walks them (a detail buffer of the required size + 1, its size field set, the required size
// offered). Every call is expected to succeed.
#pragma once

#include "hid_platform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tamo::test {

inline std::vector<std::string> EnumeratedPaths(device::HidPlatform &platform)
{
    using namespace device;
    std::vector<std::string> paths;
    GUID guid;
    EXPECT_TRUE(platform.HidD_GetHidGuid(guid));
    PlatformHandle set;
    const PlatformResult created =
        platform.SetupDiGetClassDevsA(guid, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, set);
    EXPECT_TRUE(created) << created.error;
    if (!created)
        return paths;
    for (std::uint32_t index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data;
        data.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
        if (!platform.SetupDiEnumDeviceInterfaces(set, guid, index, data))
            break;
        std::uint32_t required = 0;
        platform.SetupDiGetDeviceInterfaceDetailA(set, data, {}, required);
        std::vector<std::uint8_t> detail(std::size_t{required} + 1, 0);
        const std::uint32_t fixed = DETAIL_DATA_FIXED_SIZE;
        RtlMoveMemory(detail.data(), &fixed, sizeof fixed);
        const PlatformResult fetched = platform.SetupDiGetDeviceInterfaceDetailA(
            set, data, std::span(detail).first(required), required);
        EXPECT_TRUE(fetched) << fetched.error;
        paths.emplace_back(reinterpret_cast<const char *>(detail.data() + DETAIL_DATA_PATH_OFFSET));
    }
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
    return paths;
}

} // namespace tamo::test
