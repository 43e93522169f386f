// SPDX-License-Identifier: GPL-3.0-or-later
// The rules every backend over the emulated platform keeps, checked on each: enumeration, the
// detail record, handles and strings. What only one backend does is tested beside it.
#include "hid_string.h"
#include "platform_backends.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace tamo::test {
namespace {

using namespace device;

template<class Backend>
class PlatformContract : public ::testing::Test {
protected:
    Backend backend;
    HidPlatform &platform = backend.platform();

    PlatformHandle open(const std::string &path, std::uint32_t flags = 0)
    {
        PlatformHandle handle;
        const PlatformResult result = platform.CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                                                           FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                           nullptr, OPEN_EXISTING, flags, handle);
        EXPECT_TRUE(result.ok) << result.error;
        EXPECT_TRUE(handle.valid());
        return handle;
    }
    PlatformHandle interfaceSet()
    {
        PlatformHandle set;
        EXPECT_TRUE(platform.SetupDiGetClassDevsA(HID_INTERFACE_CLASS_GUID,
                                                  DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, set));
        return set;
    }
};

using Backends = ::testing::Types<
#ifdef __linux__
    LinuxBackend,
#endif
    VirtualBackend>;
TYPED_TEST_SUITE(PlatformContract, Backends);

TYPED_TEST(PlatformContract, EnumeratesEveryDeviceInTheOrderOfItsPaths)
{
    const std::string first = this->backend.addBoard("A1");
    const std::string second = this->backend.addBoard("B2");
    EXPECT_NE(first, second);
    EXPECT_EQ(EnumeratedPaths(this->platform), (std::vector<std::string>{first, second}));
}

TYPED_TEST(PlatformContract, InterfaceSetIsASnapshotThatIsDestroyedOnce)
{
    HidPlatform &platform = this->platform;
    for (const char *serial : {"A1", "B2", "C3"})
        this->backend.addBoard(serial);
    const PlatformHandle set = this->interfaceSet();
    this->backend.addBoard("D4");
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
    EXPECT_TRUE(platform.SetupDiEnumDeviceInterfaces(set, HID_INTERFACE_CLASS_GUID, 2, data));
    const auto past = platform.SetupDiEnumDeviceInterfaces(set, HID_INTERFACE_CLASS_GUID, 3, data);
    EXPECT_FALSE(past.ok);
    EXPECT_EQ(past.error, "SetupDiEnumDeviceInterfaces: no more items");
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(platform.SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(platform.SetupDiEnumDeviceInterfaces(set, HID_INTERFACE_CLASS_GUID, 0, data));
    EXPECT_EQ(EnumeratedPaths(platform).size(), 4u);
}

TYPED_TEST(PlatformContract, OtherClassHasNoInterfacesAndBadRecordsAreRefused)
{
    HidPlatform &platform = this->platform;
    this->backend.addBoard("A1");
    PlatformHandle set;
    ASSERT_TRUE(platform.SetupDiGetClassDevsA(GUID{1, 2, 3, {}}, 0x12, set));
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
    EXPECT_FALSE(platform.SetupDiEnumDeviceInterfaces(set, GUID{1, 2, 3, {}}, 0, data));
    platform.SetupDiDestroyDeviceInfoList(set);

    set = this->interfaceSet();
    data.cbSize = 32;
    EXPECT_FALSE(platform.SetupDiEnumDeviceInterfaces(set, HID_INTERFACE_CLASS_GUID, 0, data));
    std::uint32_t required = 99;
    const SP_DEVICE_INTERFACE_DATA neverFilled;
    EXPECT_FALSE(platform.SetupDiGetDeviceInterfaceDetailA(set, neverFilled, {}, required));
    EXPECT_EQ(required, 99u);
    platform.SetupDiDestroyDeviceInfoList(set);
}

TYPED_TEST(PlatformContract, DetailRecordFollowsTheTwoStepProtocol)
{
    HidPlatform &platform = this->platform;
    this->backend.addBoard("A1");
    const std::string path = this->backend.addBoard("B2");
    const PlatformHandle set = this->interfaceSet();
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = SP_DEVICE_INTERFACE_DATA_SIZE;
    ASSERT_TRUE(platform.SetupDiEnumDeviceInterfaces(set, HID_INTERFACE_CLASS_GUID, 1, data));

    std::uint32_t required = 0;
    EXPECT_FALSE(platform.SetupDiGetDeviceInterfaceDetailA(set, data, {}, required));
    ASSERT_EQ(required, 4 + path.size() + 1);

    const auto withSize = [&](std::optional<std::uint32_t> cbSize, std::size_t size) {
        std::vector<std::uint8_t> detail(size + 8, 0xCC);
        if (cbSize)
            std::memcpy(detail.data(), &*cbSize, std::min<std::size_t>(size, 4));
        std::uint32_t needed = 0;
        const bool ok =
            platform
                .SetupDiGetDeviceInterfaceDetailA(set, data, std::span(detail).first(size), needed)
                .ok;
        EXPECT_EQ(needed, required);
        // Nothing beyond the span the caller gave, whatever happened.
        EXPECT_EQ(std::vector<std::uint8_t>(detail.begin() + size, detail.end()),
                  std::vector<std::uint8_t>(8, 0xCC));
        return std::pair(ok, detail);
    };

    EXPECT_FALSE(withSize(std::nullopt, required).first) << "a record without its cbSize";
    const auto [wrongSize, untouched] = withSize(DETAIL_DATA_FIXED_SIZE + 1, required);
    EXPECT_FALSE(wrongSize);
    EXPECT_EQ(untouched[4], 0xCC);
    EXPECT_FALSE(withSize(DETAIL_DATA_FIXED_SIZE, required - 1).first) << "short, not overrun";
    EXPECT_FALSE(withSize(DETAIL_DATA_FIXED_SIZE, 3).first);

    const auto [ok, detail] = withSize(DETAIL_DATA_FIXED_SIZE, required);
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(detail.data()) + 4), path);
    EXPECT_EQ(detail[required - 1], 0);
    platform.SetupDiDestroyDeviceInfoList(set);
}

TYPED_TEST(PlatformContract, HandlesAreDistinctAndCloseOnlyOnce)
{
    HidPlatform &platform = this->platform;
    const std::string path = this->backend.addBoard("A1");
    const PlatformHandle feature = this->open(path);
    const PlatformHandle read = this->open(path, FILE_FLAG_OVERLAPPED);
    EXPECT_NE(feature, read) << "a path opens twice";
    PlatformHandle event;
    ASSERT_TRUE(platform.CreateEventA(nullptr, true, true, "", event));
    PlatformHandle other;
    ASSERT_TRUE(platform.CreateEventA(nullptr, true, true, "", other));
    EXPECT_NE(event, other);
    EXPECT_NE(event, feature);
    EXPECT_TRUE(event.valid());
    std::vector<std::uint8_t> buffer(STRING_REQUEST_BYTES);
    EXPECT_FALSE(platform.HidD_GetProductString(event, buffer)) << "an event is no file";

    for (const PlatformHandle handle : {feature, read, event, other}) {
        EXPECT_TRUE(platform.CloseHandle(handle));
        const auto again = platform.CloseHandle(handle);
        EXPECT_FALSE(again.ok);
        EXPECT_EQ(again.error, "CloseHandle: invalid handle");
    }
    EXPECT_FALSE(platform.CloseHandle(PlatformHandle{}));

    const PlatformHandle set = this->interfaceSet();
    EXPECT_FALSE(platform.CloseHandle(set));
    EXPECT_TRUE(platform.SetupDiDestroyDeviceInfoList(set));
}

TYPED_TEST(PlatformContract, StringsAreUtf16FromByteZeroWithinTheCallersByteCount)
{
    HidPlatform &platform = this->platform;
    const PlatformHandle handle =
        this->open(this->backend.addBoard("SN-\xC4\x80X", std::string(60, 'p')));

    std::vector<std::uint8_t> buffer(12, 0xEE);
    ASSERT_TRUE(platform.HidD_GetSerialNumberString(handle, std::span(buffer).first(11)));
    EXPECT_EQ(buffer[0], 'S');
    EXPECT_EQ(buffer[6], 0x00);
    EXPECT_EQ(buffer[7], 0x01) << "U+0100 keeps its high byte";
    EXPECT_EQ(buffer[8], 'X');
    EXPECT_EQ(buffer[10], 0xEE) << "the odd byte is not written";
    EXPECT_EQ(buffer[11], 0xEE) << "nothing written past the bytes offered";

    std::vector<std::uint8_t> product(100, 0xEE);
    ASSERT_TRUE(platform.HidD_GetProductString(handle, product));
    EXPECT_EQ(product[98], 'p') << "a string as long as the buffer fills it";
    EXPECT_EQ(product[99], 0);

    std::vector<std::uint8_t> tiny(1, 0xEE);
    EXPECT_FALSE(platform.HidD_GetSerialNumberString(handle, tiny));
    EXPECT_EQ(tiny[0], 0xEE);
}

} // namespace
} // namespace tamo::test
