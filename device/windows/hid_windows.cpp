// SPDX-License-Identifier: GPL-3.0-or-later
#include "hid_windows.h"

#include "debug_log.h"
#include "native_platform.h"
#include "windows_device_changes.h"
#include "windows_error_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Our records share names with the platform's (GUID, OVERLAPPED, HIDP_CAPS, ...) and our
// constants with its macros, so the platform headers come after ours and platform names are
// written with ::.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601 // CancelIoEx
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <setupapi.h>
// mingw-w64's HID headers declare C functions without a C++ guard.
extern "C" {
#include <hidsdi.h>
}

namespace tamo::device {

static_assert(DETAIL_DATA_FIXED_SIZE == sizeof(::SP_DEVICE_INTERFACE_DETAIL_DATA_A));
static_assert(DETAIL_DATA_PATH_OFFSET == offsetof(::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath));

// The value-capabilities records are handed over as bytes, so the two layouts must match.
static_assert(sizeof(::HIDP_VALUE_CAPS) == sizeof(HIDP_VALUE_CAPS));
static_assert(offsetof(::HIDP_VALUE_CAPS, ReportID) == offsetof(HIDP_VALUE_CAPS, ReportID));
static_assert(offsetof(::HIDP_VALUE_CAPS, BitField) == offsetof(HIDP_VALUE_CAPS, BitField));
static_assert(offsetof(::HIDP_VALUE_CAPS, IsRange) == offsetof(HIDP_VALUE_CAPS, IsRange));
static_assert(offsetof(::HIDP_VALUE_CAPS, BitSize) == offsetof(HIDP_VALUE_CAPS, BitSize));
static_assert(offsetof(::HIDP_VALUE_CAPS, UnitsExp) == offsetof(HIDP_VALUE_CAPS, UnitsExp));
static_assert(offsetof(::HIDP_VALUE_CAPS, LogicalMin) == offsetof(HIDP_VALUE_CAPS, LogicalMin));
static_assert(offsetof(::HIDP_VALUE_CAPS, PhysicalMax) == offsetof(HIDP_VALUE_CAPS, PhysicalMax));
static_assert(offsetof(::HIDP_VALUE_CAPS, Range.UsageMin) == offsetof(HIDP_VALUE_CAPS, UsageMin));
static_assert(offsetof(::HIDP_VALUE_CAPS, Range.DataIndexMax)
              == offsetof(HIDP_VALUE_CAPS, DataIndexMax));
static_assert(sizeof(::HIDP_CAPS) == sizeof(HIDP_CAPS));
static_assert(sizeof(::HIDD_ATTRIBUTES) == sizeof(HIDD_ATTRIBUTES));

namespace {

constexpr std::size_t VALUE_CAPS_BYTES = sizeof(HIDP_VALUE_CAPS);

HANDLE ToHandle(PlatformHandle handle)
{
    return reinterpret_cast<HANDLE>(handle.value);
}

PlatformHandle FromHandle(HANDLE handle)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return {};
    return {reinterpret_cast<std::uintptr_t>(handle)};
}

// Our records' byte sizes are a caller's buffer length; the platform takes a ULONG.
ULONG ByteLength(std::size_t size)
{
    return static_cast<ULONG>(std::min<std::size_t>(size, 0xFFFFFFFFu));
}

// The failing call with the system's reason, e.g. "HidD_GetFeature: The device is not
// connected.". GetLastError is read first, before anything else can change it.
PlatformResult LastError(std::string_view call, std::int32_t value = 0)
{
    const DWORD error = ::GetLastError();
    std::string text(call);
    text += ": ";
    text += WindowsErrorText(error);
    return PlatformResult::failure(std::move(text), value);
}

PlatformResult FromBool(BOOL result, std::string_view call)
{
    if (!result)
        return LastError(call);
    return PlatformResult::success(1);
}

std::string HidpStatusText(NTSTATUS status)
{
    switch (static_cast<std::int32_t>(status)) {
    case HIDP_STATUS_INVALID_PREPARSED_DATA:
        return "HIDP_STATUS_INVALID_PREPARSED_DATA";
    case HIDP_STATUS_INVALID_REPORT_TYPE:
        return "HIDP_STATUS_INVALID_REPORT_TYPE";
    case HIDP_STATUS_BUFFER_TOO_SMALL:
        return "HIDP_STATUS_BUFFER_TOO_SMALL";
    case HIDP_STATUS_USAGE_NOT_FOUND:
        return "HIDP_STATUS_USAGE_NOT_FOUND";
    default:
        break;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(status));
    return std::string("NTSTATUS ") + hex;
}

PlatformResult FromHidpStatus(NTSTATUS status, std::string_view call)
{
    const auto value = static_cast<std::int32_t>(status);
    if (value == HIDP_STATUS_SUCCESS)
        return PlatformResult::success(value);
    return PlatformResult::failure(std::string(call) + ": " + HidpStatusText(status), value);
}

::GUID ToPlatform(const GUID &guid)
{
    ::GUID out{};
    out.Data1 = guid.Data1;
    out.Data2 = guid.Data2;
    out.Data3 = guid.Data3;
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), std::begin(out.Data4));
    return out;
}

GUID FromPlatform(const ::GUID &guid)
{
    GUID out;
    out.Data1 = guid.Data1;
    out.Data2 = guid.Data2;
    out.Data3 = guid.Data3;
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), std::begin(out.Data4));
    return out;
}

// Callers set the 32-bit platform's record size (28); a 64-bit platform wants its own.
::SP_DEVICE_INTERFACE_DATA ToPlatform(const SP_DEVICE_INTERFACE_DATA &data)
{
    ::SP_DEVICE_INTERFACE_DATA out{};
    out.cbSize = data.cbSize == SP_DEVICE_INTERFACE_DATA_SIZE ? sizeof out : data.cbSize;
    out.InterfaceClassGuid = ToPlatform(data.InterfaceClassGuid);
    out.Flags = data.Flags;
    out.Reserved = data.Reserved;
    return out;
}

// The same holds for the 12-byte security attributes of a 32-bit caller.
::SECURITY_ATTRIBUTES ToPlatform(const SECURITY_ATTRIBUTES &attributes)
{
    ::SECURITY_ATTRIBUTES out{};
    out.nLength = sizeof out;
    out.lpSecurityDescriptor = reinterpret_cast<LPVOID>(attributes.lpSecurityDescriptor);
    out.bInheritHandle = attributes.bInheritHandle;
    return out;
}

HIDP_CAPS FromPlatform(const ::HIDP_CAPS &caps)
{
    HIDP_CAPS out;
    out.Usage = caps.Usage;
    out.UsagePage = caps.UsagePage;
    out.InputReportByteLength = caps.InputReportByteLength;
    out.OutputReportByteLength = caps.OutputReportByteLength;
    out.FeatureReportByteLength = caps.FeatureReportByteLength;
    std::copy(std::begin(caps.Reserved), std::end(caps.Reserved), std::begin(out.Reserved));
    out.NumberLinkCollectionNodes = caps.NumberLinkCollectionNodes;
    out.NumberInputButtonCaps = caps.NumberInputButtonCaps;
    out.NumberInputValueCaps = caps.NumberInputValueCaps;
    out.NumberInputDataIndices = caps.NumberInputDataIndices;
    out.NumberOutputButtonCaps = caps.NumberOutputButtonCaps;
    out.NumberOutputValueCaps = caps.NumberOutputValueCaps;
    out.NumberOutputDataIndices = caps.NumberOutputDataIndices;
    out.NumberFeatureButtonCaps = caps.NumberFeatureButtonCaps;
    out.NumberFeatureValueCaps = caps.NumberFeatureValueCaps;
    out.NumberFeatureDataIndices = caps.NumberFeatureDataIndices;
    return out;
}

::HIDP_REPORT_TYPE ToPlatform(HIDP_REPORT_TYPE type)
{
    switch (type) {
    case HIDP_REPORT_TYPE::HidP_Input:
        return ::HidP_Input;
    case HIDP_REPORT_TYPE::HidP_Output:
        return ::HidP_Output;
    case HIDP_REPORT_TYPE::HidP_Feature:
        return ::HidP_Feature;
    }
    // Any other value goes through as it is, for the service to refuse.
    return static_cast<::HIDP_REPORT_TYPE>(type);
}

// The input report length of a HID handle, 0 when it has no HID capabilities. Such a handle
// is then read once per call; why is told to the log, since the open itself succeeded.
std::uint16_t InputReportLength(HANDLE file, const std::string &path)
{
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!::HidD_GetPreparsedData(file, &preparsed)) {
        DebugLog("input report length of " + path
                 + " unknown: " + LastError("HidD_GetPreparsedData").error);
        return 0;
    }
    ::HIDP_CAPS caps{};
    const NTSTATUS status = ::HidP_GetCaps(preparsed, &caps);
    ::HidD_FreePreparsedData(preparsed);
    if (status != HIDP_STATUS_SUCCESS) {
        DebugLog("input report length of " + path
                 + " unknown: " + FromHidpStatus(status, "HidP_GetCaps").error);
        return 0;
    }
    return caps.InputReportByteLength;
}

// One read on the overlapped handle. It completes at once with a queued report, fails, or
// would wait; a waiting read is cancelled and its end awaited, since nothing may keep writing
// into the caller's buffer after the call. Whether a report slipped in before the
// cancellation shows in the result.
enum class SingleRead { Completed, Nothing, Failed };

SingleRead ReadOnce(HANDLE file, std::uint8_t *destination, DWORD length, ::OVERLAPPED &overlapped,
                    DWORD &got, PlatformResult &failure)
{
    got = 0;
    if (::ReadFile(file, destination, length, &got, &overlapped))
        return SingleRead::Completed;
    if (::GetLastError() != ERROR_IO_PENDING) {
        failure = LastError("ReadFile");
        return SingleRead::Failed;
    }
    ::CancelIoEx(file, &overlapped);
    if (::GetOverlappedResult(file, &overlapped, &got, TRUE))
        return SingleRead::Completed;
    if (::GetLastError() == ERROR_OPERATION_ABORTED)
        return SingleRead::Nothing;
    failure = LastError("ReadFile");
    return SingleRead::Failed;
}

} // namespace

// The read that WaitForInput keeps pending. Its buffer and OVERLAPPED live here, so the
// system may write into them after the ReadFile call that armed it has returned.
struct WindowsHidPlatform::PendingRead {
    enum class State { Idle, Pending, Done, Failed };
    HANDLE event = nullptr;
    ::OVERLAPPED overlapped{};
    std::vector<std::uint8_t> buffer;
    State state = State::Idle;
    DWORD got = 0;
    std::string error;

    void arm(HANDLE file)
    {
        if (state != State::Idle)
            return;
        overlapped = {};
        overlapped.hEvent = event;
        got = 0;
        if (::ReadFile(file, buffer.data(), ByteLength(buffer.size()), &got, &overlapped)) {
            state = State::Done;
            ::SetEvent(event);
        } else if (::GetLastError() == ERROR_IO_PENDING) {
            state = State::Pending;
        } else {
            // Told through the event too, so that the waiter learns of it at once.
            error = LastError("ReadFile").error;
            state = State::Failed;
            ::SetEvent(event);
        }
    }

    // Whether the pending read has ended, without waiting for it.
    void settle(HANDLE file)
    {
        if (state != State::Pending)
            return;
        if (::GetOverlappedResult(file, &overlapped, &got, FALSE))
            state = State::Done;
        else if (::GetLastError() != ERROR_IO_INCOMPLETE) {
            error = LastError("ReadFile").error;
            state = State::Failed;
        }
    }

    // Ends a pending read and waits for its end, so nothing writes into buffer afterwards.
    void cancel(HANDLE file)
    {
        if (state == State::Pending) {
            ::CancelIoEx(file, &overlapped);
            ::GetOverlappedResult(file, &overlapped, &got, TRUE);
        }
        state = State::Idle;
    }
};

WindowsHidPlatform::WindowsHidPlatform() = default;

WindowsHidPlatform::~WindowsHidPlatform()
{
    for (auto &[file, read] : pendingReads_) {
        read->cancel(reinterpret_cast<HANDLE>(file));
        ::CloseHandle(read->event);
    }
}

InputWait WindowsHidPlatform::WaitForInput(PlatformHandle file)
{
    const auto known = inputReportLength_.find(file.value);
    if (known == inputReportLength_.end())
        return {};
    std::unique_ptr<PendingRead> &read = pendingReads_[file.value];
    if (!read) {
        auto made = std::make_unique<PendingRead>();
        made->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (made->event == nullptr) {
            DebugLog("no input wait: " + LastError("CreateEventW").error);
            pendingReads_.erase(file.value);
            return {};
        }
        made->buffer.resize(known->second);
        read = std::move(made);
    }
    read->arm(ToHandle(file));
    return {InputWait::Kind::Event,
            static_cast<std::intptr_t>(reinterpret_cast<std::uintptr_t>(read->event))};
}

std::unique_ptr<HidPlatform> CreateNativeHidPlatform()
{
    return std::make_unique<WindowsHidPlatform>();
}

PlatformResult WindowsHidPlatform::HidD_GetHidGuid(GUID &guid)
{
    ::GUID platform{};
    ::HidD_GetHidGuid(&platform);
    guid = FromPlatform(platform);
    return PlatformResult::success();
}

PlatformResult WindowsHidPlatform::SetupDiGetClassDevsA(const GUID &classGuid, std::uint32_t flags,
                                                        PlatformHandle &interfaceSet)
{
    const ::GUID platformGuid = ToPlatform(classGuid);
    const HDEVINFO set = ::SetupDiGetClassDevsA(&platformGuid, nullptr, nullptr, flags);
    interfaceSet = FromHandle(set);
    if (!interfaceSet.valid())
        return LastError("SetupDiGetClassDevsA");
    return PlatformResult::success();
}

PlatformResult
WindowsHidPlatform::SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet, const GUID &classGuid,
                                                std::uint32_t memberIndex,
                                                SP_DEVICE_INTERFACE_DATA &interfaceData)
{
    const ::GUID platformGuid = ToPlatform(classGuid);
    ::SP_DEVICE_INTERFACE_DATA platform = ToPlatform(interfaceData);
    if (!::SetupDiEnumDeviceInterfaces(ToHandle(interfaceSet), nullptr, &platformGuid, memberIndex,
                                       &platform))
        return LastError("SetupDiEnumDeviceInterfaces");
    interfaceData.InterfaceClassGuid = FromPlatform(platform.InterfaceClassGuid);
    interfaceData.Flags = platform.Flags;
    interfaceData.Reserved = platform.Reserved;
    return PlatformResult::success();
}

PlatformResult WindowsHidPlatform::SetupDiGetDeviceInterfaceDetailA(
    PlatformHandle interfaceSet, const SP_DEVICE_INTERFACE_DATA &interfaceData,
    std::span<std::uint8_t> detail, std::uint32_t &requiredSize)
{
    // The service reads cbSize before it looks at the length, so a buffer too short to hold
    // the fixed part never reaches it.
    if (!detail.empty() && detail.size() < DETAIL_DATA_FIXED_SIZE) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return LastError("SetupDiGetDeviceInterfaceDetailA");
    }
    ::SP_DEVICE_INTERFACE_DATA platform = ToPlatform(interfaceData);
    auto *record = detail.empty()
                       ? nullptr
                       : reinterpret_cast<::SP_DEVICE_INTERFACE_DETAIL_DATA_A *>(detail.data());
    DWORD required = 0;
    const BOOL ok = ::SetupDiGetDeviceInterfaceDetailA(
        ToHandle(interfaceSet), &platform, record, ByteLength(detail.size()), &required, nullptr);
    const PlatformResult result = FromBool(ok, "SetupDiGetDeviceInterfaceDetailA");
    if (ok || required != 0)
        requiredSize = required;
    return result;
}

PlatformResult WindowsHidPlatform::SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet)
{
    return FromBool(::SetupDiDestroyDeviceInfoList(ToHandle(interfaceSet)),
                    "SetupDiDestroyDeviceInfoList");
}

PlatformResult WindowsHidPlatform::CreateFileA(const std::string &path, std::uint32_t desiredAccess,
                                               std::uint32_t shareMode,
                                               const SECURITY_ATTRIBUTES *securityAttributes,
                                               std::uint32_t creationDisposition,
                                               std::uint32_t flagsAndAttributes,
                                               PlatformHandle &file)
{
    ::SECURITY_ATTRIBUTES platform{};
    if (securityAttributes != nullptr)
        platform = ToPlatform(*securityAttributes);
    const HANDLE handle = ::CreateFileA(path.c_str(), desiredAccess, shareMode,
                                        securityAttributes != nullptr ? &platform : nullptr,
                                        creationDisposition, flagsAndAttributes, nullptr);
    file = FromHandle(handle);
    if (!file.valid())
        return LastError("CreateFileA(" + path + ")");
    if ((flagsAndAttributes & FILE_FLAG_OVERLAPPED) != 0) {
        if (const std::uint16_t length = InputReportLength(handle, path); length != 0)
            inputReportLength_[file.value] = length;
        else
            inputReportLength_.erase(file.value);
    }
    return PlatformResult::success();
}

PlatformResult WindowsHidPlatform::CloseHandle(PlatformHandle handle)
{
    inputReportLength_.erase(handle.value);
    if (const auto pending = pendingReads_.find(handle.value); pending != pendingReads_.end()) {
        pending->second->cancel(ToHandle(handle));
        ::CloseHandle(pending->second->event);
        pendingReads_.erase(pending);
    }
    return FromBool(::CloseHandle(ToHandle(handle)), "CloseHandle");
}

PlatformResult WindowsHidPlatform::CreateEventA(const SECURITY_ATTRIBUTES *securityAttributes,
                                                bool manualReset, bool initialState,
                                                const std::string &name, PlatformHandle &event)
{
    ::SECURITY_ATTRIBUTES platform{};
    if (securityAttributes != nullptr)
        platform = ToPlatform(*securityAttributes);
    const HANDLE handle =
        ::CreateEventA(securityAttributes != nullptr ? &platform : nullptr, manualReset,
                       initialState, name.empty() ? nullptr : name.c_str());
    event = FromHandle(handle);
    if (!event.valid())
        return LastError("CreateEventA");
    return PlatformResult::success();
}

ReadResult WindowsHidPlatform::ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                                        std::uint32_t &bytesRead, OVERLAPPED &overlapped)
{
    bytesRead = 0;
    const auto known = inputReportLength_.find(file.value);
    const std::size_t reportLength = known == inputReportLength_.end() ? 0 : known->second;

    std::string failed;
    std::size_t total = 0;
    PendingRead *pending = nullptr;
    if (const auto armed = pendingReads_.find(file.value); armed != pendingReads_.end()) {
        pending = armed->second.get();
        pending->settle(ToHandle(file));
        switch (pending->state) {
        case PendingRead::State::Idle:
            break;
        case PendingRead::State::Pending:
            // Nothing has landed; the reads below would only queue behind it.
            return ReadResult::nothingQueued("ReadFile: no input report queued");
        case PendingRead::State::Failed:
            // Not armed again: the caller closes the handle, or asks for a new wait.
            pending->state = PendingRead::State::Idle;
            ::ResetEvent(pending->event);
            return ReadResult::failed(std::move(pending->error));
        case PendingRead::State::Done:
            total = std::min<std::size_t>({pending->got, pending->buffer.size(), buffer.size()});
            std::copy_n(pending->buffer.begin(), total, buffer.begin());
            pending->state = PendingRead::State::Idle;
            break;
        }
    }
    ::OVERLAPPED platform{};
    for (;;) {
        const std::size_t remaining = buffer.size() - total;
        // The first read is always made, so that a failure shows even with a short buffer.
        if (total > 0 && (reportLength == 0 || remaining < reportLength))
            break;
        const std::size_t length =
            reportLength == 0 ? remaining : std::min(remaining, reportLength);
        platform = {};
        platform.Offset = overlapped.Offset;
        platform.OffsetHigh = overlapped.OffsetHigh;
        platform.hEvent = ToHandle(overlapped.hEvent);
        DWORD got = 0;
        PlatformResult failure;
        const SingleRead read = ReadOnce(ToHandle(file), buffer.data() + total, ByteLength(length),
                                         platform, got, failure);
        if (read == SingleRead::Failed) {
            // Its bytes, if any, are no whole report. Reports already drained are delivered;
            // the failure shows again on the next read, and now only in the log.
            if (total == 0)
                failed = std::move(failure.error);
            else
                DebugLog("after " + std::to_string(total) + " bytes: " + failure.error);
            break;
        }
        total += std::min<std::size_t>(got, length);
        if (read == SingleRead::Nothing || got == 0)
            break;
    }
    overlapped.Internal = static_cast<std::uint32_t>(platform.Internal);
    overlapped.InternalHigh = static_cast<std::uint32_t>(platform.InternalHigh);
    if (pending != nullptr)
        pending->arm(ToHandle(file));
    bytesRead = static_cast<std::uint32_t>(total);
    if (total > 0)
        return ReadResult::reports();
    if (failed.empty())
        return ReadResult::nothingQueued("ReadFile: no input report queued");
    return ReadResult::failed(std::move(failed));
}

PlatformResult WindowsHidPlatform::HidD_GetAttributes(PlatformHandle device,
                                                      HIDD_ATTRIBUTES &attributes)
{
    ::HIDD_ATTRIBUTES platform{};
    platform.Size = attributes.Size;
    platform.VendorID = attributes.VendorID;
    platform.ProductID = attributes.ProductID;
    platform.VersionNumber = attributes.VersionNumber;
    if (!::HidD_GetAttributes(ToHandle(device), &platform))
        return LastError("HidD_GetAttributes");
    attributes.Size = platform.Size;
    attributes.VendorID = platform.VendorID;
    attributes.ProductID = platform.ProductID;
    attributes.VersionNumber = platform.VersionNumber;
    return PlatformResult::success();
}

PlatformResult WindowsHidPlatform::HidD_GetIndexedString(PlatformHandle device,
                                                         std::uint32_t stringIndex,
                                                         std::span<std::uint8_t> buffer)
{
    return FromBool(::HidD_GetIndexedString(ToHandle(device), stringIndex, buffer.data(),
                                            ByteLength(buffer.size())),
                    "HidD_GetIndexedString");
}

PlatformResult WindowsHidPlatform::HidD_GetSerialNumberString(PlatformHandle device,
                                                              std::span<std::uint8_t> buffer)
{
    return FromBool(
        ::HidD_GetSerialNumberString(ToHandle(device), buffer.data(), ByteLength(buffer.size())),
        "HidD_GetSerialNumberString");
}

PlatformResult WindowsHidPlatform::HidD_GetManufacturerString(PlatformHandle device,
                                                              std::span<std::uint8_t> buffer)
{
    return FromBool(
        ::HidD_GetManufacturerString(ToHandle(device), buffer.data(), ByteLength(buffer.size())),
        "HidD_GetManufacturerString");
}

PlatformResult WindowsHidPlatform::HidD_GetProductString(PlatformHandle device,
                                                         std::span<std::uint8_t> buffer)
{
    return FromBool(
        ::HidD_GetProductString(ToHandle(device), buffer.data(), ByteLength(buffer.size())),
        "HidD_GetProductString");
}

PlatformResult WindowsHidPlatform::HidD_GetPreparsedData(PlatformHandle device,
                                                         PlatformHandle &preparsedData)
{
    PHIDP_PREPARSED_DATA platform = nullptr;
    if (!::HidD_GetPreparsedData(ToHandle(device), &platform)) {
        preparsedData = {};
        return LastError("HidD_GetPreparsedData");
    }
    preparsedData = {reinterpret_cast<std::uintptr_t>(platform)};
    return PlatformResult::success();
}

PlatformResult WindowsHidPlatform::HidD_FreePreparsedData(PlatformHandle preparsedData)
{
    return FromBool(
        ::HidD_FreePreparsedData(reinterpret_cast<PHIDP_PREPARSED_DATA>(preparsedData.value)),
        "HidD_FreePreparsedData");
}

PlatformResult WindowsHidPlatform::HidP_GetCaps(PlatformHandle preparsedData, HIDP_CAPS &caps)
{
    ::HIDP_CAPS platform{};
    const NTSTATUS status =
        ::HidP_GetCaps(reinterpret_cast<PHIDP_PREPARSED_DATA>(preparsedData.value), &platform);
    PlatformResult result = FromHidpStatus(status, "HidP_GetCaps");
    if (result)
        caps = FromPlatform(platform);
    return result;
}

PlatformResult WindowsHidPlatform::HidP_GetValueCaps(HIDP_REPORT_TYPE reportType,
                                                     std::span<std::uint8_t> records,
                                                     std::uint16_t &length,
                                                     PlatformHandle preparsedData)
{
    // The service writes into records of its own, never more than the count it is given, and
    // only the records it returned are copied into the caller's span.
    const std::size_t fits = records.size() / VALUE_CAPS_BYTES;
    USHORT count = static_cast<USHORT>(std::min<std::size_t>(length, fits));
    std::vector<::HIDP_VALUE_CAPS> platform(std::max<std::size_t>(count, 1));
    const NTSTATUS status =
        ::HidP_GetValueCaps(ToPlatform(reportType), platform.data(), &count,
                            reinterpret_cast<PHIDP_PREPARSED_DATA>(preparsedData.value));
    // Records arrive with success, or with the first ones of a longer list; any other status
    // leaves the count as it was given, with nothing written.
    const bool wrote = status == HIDP_STATUS_SUCCESS || status == HIDP_STATUS_BUFFER_TOO_SMALL;
    const std::size_t returned =
        wrote ? std::min<std::size_t>(count, std::min(fits, platform.size())) : 0;
    if (returned > 0)
        std::memcpy(records.data(), platform.data(), returned * VALUE_CAPS_BYTES);
    length = static_cast<std::uint16_t>(returned);
    return FromHidpStatus(status, "HidP_GetValueCaps");
}

PlatformResult WindowsHidPlatform::HidD_SetFeature(PlatformHandle device,
                                                   std::span<const std::uint8_t> report)
{
    // The service takes a writable buffer; the caller's bytes stay untouched.
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    return FromBool(::HidD_SetFeature(ToHandle(device), copy.data(), ByteLength(copy.size())),
                    "HidD_SetFeature");
}

PlatformResult WindowsHidPlatform::HidD_GetFeature(PlatformHandle device,
                                                   std::span<std::uint8_t> report)
{
    return FromBool(::HidD_GetFeature(ToHandle(device), report.data(), ByteLength(report.size())),
                    "HidD_GetFeature");
}

void WindowsHidPlatform::setInputReportLength(PlatformHandle file, std::uint16_t length)
{
    if (length == 0)
        inputReportLength_.erase(file.value);
    else
        inputReportLength_[file.value] = length;
}

std::unique_ptr<DeviceChangeSource> WindowsHidPlatform::WatchDeviceChanges()
{
    return std::make_unique<WindowsDeviceChanges>();
}

} // namespace tamo::device
