// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulated_hid_platform.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tamo::device {

namespace {

constexpr std::uint32_t SPINT_ACTIVE = 1;

constexpr std::array<std::string_view, 16> ONE_DEVICE_OPERATIONS{"SetupDiEnumDeviceInterfaces",
                                                                 "SetupDiGetDeviceInterfaceDetailA",
                                                                 "CreateFileA",
                                                                 "CloseHandle",
                                                                 "ReadFile",
                                                                 "HidD_GetAttributes",
                                                                 "HidD_GetIndexedString",
                                                                 "HidD_GetSerialNumberString",
                                                                 "HidD_GetManufacturerString",
                                                                 "HidD_GetProductString",
                                                                 "HidD_GetPreparsedData",
                                                                 "HidD_FreePreparsedData",
                                                                 "HidP_GetCaps",
                                                                 "HidP_GetValueCaps",
                                                                 "HidD_SetFeature",
                                                                 "HidD_GetFeature"};
constexpr std::array<std::string_view, 4> SYSTEM_OPERATIONS{
    "HidD_GetHidGuid", "SetupDiGetClassDevsA", "SetupDiDestroyDeviceInfoList", "CreateEventA"};

PlatformResult Failure(std::string_view call, std::string_view why)
{
    std::string text(call);
    text += ": ";
    text += why;
    return PlatformResult::failure(std::move(text));
}

std::span<const std::uint8_t> Bytes(std::span<const std::uint8_t> bytes, bool keep)
{
    return keep ? bytes : std::span<const std::uint8_t>{};
}

} // namespace

const char *StringOperation(HidStringKind kind)
{
    switch (kind) {
    case HidStringKind::Indexed:
        return "HidD_GetIndexedString";
    case HidStringKind::SerialNumber:
        return "HidD_GetSerialNumberString";
    case HidStringKind::Manufacturer:
        return "HidD_GetManufacturerString";
    case HidStringKind::Product:
        break;
    }
    return "HidD_GetProductString";
}

EmulatedHidPlatform::~EmulatedHidPlatform() = default;

bool EmulatedHidPlatform::ReachesOneDevice(std::string_view operation)
{
    return std::find(ONE_DEVICE_OPERATIONS.begin(), ONE_DEVICE_OPERATIONS.end(), operation)
           != ONE_DEVICE_OPERATIONS.end();
}

bool EmulatedHidPlatform::IsOperation(std::string_view operation)
{
    return ReachesOneDevice(operation)
           || std::find(SYSTEM_OPERATIONS.begin(), SYSTEM_OPERATIONS.end(), operation)
                  != SYSTEM_OPERATIONS.end();
}

PlatformResult EmulatedHidPlatform::closeNode(NodeFile &)
{
    return PlatformResult::success();
}

std::optional<PlatformResult> EmulatedHidPlatform::injectedFault(std::string_view, int)
{
    return std::nullopt;
}

void EmulatedHidPlatform::completed(std::string_view, int, const PlatformResult &,
                                    std::span<const std::uint8_t>)
{}

PlatformHandle EmulatedHidPlatform::add(Object object)
{
    const PlatformHandle handle{nextHandle_++};
    objects_.emplace(handle.value, std::move(object));
    return handle;
}

template<typename T>
T *EmulatedHidPlatform::find(PlatformHandle handle)
{
    const auto found = objects_.find(handle.value);
    return found == objects_.end() ? nullptr : std::get_if<T>(&found->second);
}

PlatformResult EmulatedHidPlatform::finish(std::string_view operation, int device,
                                           PlatformResult result,
                                           std::span<const std::uint8_t> bytes)
{
    completed(operation, device, result, bytes);
    return result;
}

int EmulatedHidPlatform::openFileCount(int device) const
{
    return static_cast<int>(std::count_if(objects_.begin(), objects_.end(), [&](const auto &entry) {
        const auto *file = std::get_if<OpenFile>(&entry.second);
        return file != nullptr && (device == NO_DEVICE || file->device == device);
    }));
}

void EmulatedHidPlatform::forEachOpenFile(const std::function<void(NodeFile &, int)> &visit)
{
    for (auto &[value, object] : objects_) {
        if (auto *file = std::get_if<OpenFile>(&object))
            visit(*file->node, file->device);
    }
}

int EmulatedHidPlatform::preparsedDevice(PlatformHandle preparsedData) const
{
    const auto found = preparsedDevice_.find(preparsedData.value);
    return found == preparsedDevice_.end() ? NO_DEVICE : found->second;
}

PlatformResult EmulatedHidPlatform::HidD_GetHidGuid(GUID &guid)
{
    constexpr std::string_view OP = "HidD_GetHidGuid";
    if (auto fault = injectedFault(OP, NO_DEVICE))
        return finish(OP, NO_DEVICE, std::move(*fault));
    guid = HID_INTERFACE_CLASS_GUID;
    return finish(OP, NO_DEVICE, PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::SetupDiGetClassDevsA(const GUID &classGuid, std::uint32_t flags,
                                                         PlatformHandle &interfaceSet)
{
    constexpr std::string_view OP = "SetupDiGetClassDevsA";
    interfaceSet = {};
    if (auto fault = injectedFault(OP, NO_DEVICE))
        return finish(OP, NO_DEVICE, std::move(*fault));
    InterfaceSet set;
    // Another class, or the HID class taken as a setup class, has no members here, as on a
    // system with no such devices.
    if (classGuid == HID_INTERFACE_CLASS_GUID && (flags & DIGCF_DEVICEINTERFACE) != 0) {
        if (auto listed = listNodes(set.nodes); !listed)
            return finish(OP, NO_DEVICE, std::move(listed));
    }
    interfaceSet = add(std::move(set));
    return finish(OP, NO_DEVICE, PlatformResult::success());
}

PlatformResult
EmulatedHidPlatform::SetupDiEnumDeviceInterfaces(PlatformHandle interfaceSet, const GUID &classGuid,
                                                 std::uint32_t memberIndex,
                                                 SP_DEVICE_INTERFACE_DATA &interfaceData)
{
    constexpr std::string_view OP = "SetupDiEnumDeviceInterfaces";
    const InterfaceSet *set = find<InterfaceSet>(interfaceSet);
    if (set == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid interface set"));
    if (interfaceData.cbSize != SP_DEVICE_INTERFACE_DATA_SIZE)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid record size"));
    if (memberIndex >= set->nodes.size())
        return finish(OP, NO_DEVICE, Failure(OP, "no more items"));
    const int device = set->nodes[memberIndex].device;
    if (auto fault = injectedFault(OP, device))
        return finish(OP, device, std::move(*fault));
    interfaceData.InterfaceClassGuid = classGuid;
    interfaceData.Flags = SPINT_ACTIVE;
    // The member's index + 1, so that a record never filled in here is refused later.
    interfaceData.Reserved = std::uintptr_t{memberIndex} + 1;
    return finish(OP, device, PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::SetupDiGetDeviceInterfaceDetailA(
    PlatformHandle interfaceSet, const SP_DEVICE_INTERFACE_DATA &interfaceData,
    std::span<std::uint8_t> detail, std::uint32_t &requiredSize)
{
    constexpr std::string_view OP = "SetupDiGetDeviceInterfaceDetailA";
    const InterfaceSet *set = find<InterfaceSet>(interfaceSet);
    if (set == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid interface set"));
    if (interfaceData.Reserved == 0 || interfaceData.Reserved > set->nodes.size())
        return finish(OP, NO_DEVICE, Failure(OP, "interface record not from this set"));
    const HidNode &node = set->nodes[interfaceData.Reserved - 1];
    if (auto fault = injectedFault(OP, node.device))
        return finish(OP, node.device, std::move(*fault));
    const std::size_t needed = DETAIL_DATA_PATH_OFFSET + node.path.size() + 1;
    requiredSize = static_cast<std::uint32_t>(needed);
    if (detail.empty())
        return finish(OP, node.device, Failure(OP, "insufficient buffer")); // the size query
    std::uint32_t cbSize = 0;
    if (detail.size() < sizeof cbSize)
        return finish(OP, node.device, Failure(OP, "insufficient buffer"));
    std::memcpy(&cbSize, detail.data(), sizeof cbSize);
    if (cbSize != DETAIL_DATA_FIXED_SIZE)
        return finish(OP, node.device,
                      Failure(OP, "invalid record size " + std::to_string(cbSize)));
    if (detail.size() < needed)
        return finish(OP, node.device, Failure(OP, "insufficient buffer"));
    std::memcpy(detail.data() + DETAIL_DATA_PATH_OFFSET, node.path.c_str(), node.path.size() + 1);
    return finish(OP, node.device, PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::SetupDiDestroyDeviceInfoList(PlatformHandle interfaceSet)
{
    constexpr std::string_view OP = "SetupDiDestroyDeviceInfoList";
    if (find<InterfaceSet>(interfaceSet) == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid interface set"));
    // A release goes ahead even when it is made to fail, as a real one does.
    auto fault = injectedFault(OP, NO_DEVICE);
    objects_.erase(interfaceSet.value);
    return finish(OP, NO_DEVICE, fault ? std::move(*fault) : PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::CreateFileA(const std::string &path,
                                                std::uint32_t desiredAccess, std::uint32_t,
                                                const SECURITY_ATTRIBUTES *,
                                                std::uint32_t creationDisposition,
                                                std::uint32_t flagsAndAttributes,
                                                PlatformHandle &file)
{
    constexpr std::string_view OP = "CreateFileA";
    file = {};
    if (creationDisposition != OPEN_EXISTING)
        return finish(OP, NO_DEVICE,
                      Failure("CreateFileA(" + path + ")", "only existing devices can be opened"));
    std::unique_ptr<NodeFile> node;
    int device = NO_DEVICE;
    PlatformResult opened = openNode(
        path, desiredAccess, (flagsAndAttributes & FILE_FLAG_OVERLAPPED) != 0, node, device);
    if (!opened)
        return finish(OP, device, std::move(opened));
    // Only now is the device behind the path known; a failed open leaves nothing open.
    if (auto fault = injectedFault(OP, device)) {
        closeNode(*node);
        return finish(OP, device, std::move(*fault));
    }
    file = add(OpenFile{std::move(node), device});
    return finish(OP, device, PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::CloseHandle(PlatformHandle handle)
{
    constexpr std::string_view OP = "CloseHandle";
    const auto found = objects_.find(handle.value);
    if (found == objects_.end() || std::holds_alternative<InterfaceSet>(found->second))
        return finish(OP, NO_DEVICE, Failure(OP, "invalid handle"));
    auto *file = std::get_if<OpenFile>(&found->second);
    const int device = file != nullptr ? file->device : NO_DEVICE;
    auto fault = injectedFault(OP, device);
    // The handle is gone even when closing reports an error, so it is never closed twice.
    PlatformResult result = file != nullptr ? closeNode(*file->node) : PlatformResult::success();
    objects_.erase(found);
    return finish(OP, device, fault ? std::move(*fault) : std::move(result));
}

PlatformResult EmulatedHidPlatform::CreateEventA(const SECURITY_ATTRIBUTES *, bool, bool,
                                                 const std::string &, PlatformHandle &event)
{
    constexpr std::string_view OP = "CreateEventA";
    event = {};
    if (auto fault = injectedFault(OP, NO_DEVICE))
        return finish(OP, NO_DEVICE, std::move(*fault));
    // Reads complete inside ReadFile, so nothing ever waits on the event: it only has to be
    // a distinct handle that CloseHandle accepts.
    event = add(Event{});
    return finish(OP, NO_DEVICE, PlatformResult::success());
}

ReadResult EmulatedHidPlatform::ReadFile(PlatformHandle file, std::span<std::uint8_t> buffer,
                                         std::uint32_t &bytesRead, OVERLAPPED &overlapped)
{
    constexpr std::string_view OP = "ReadFile";
    bytesRead = 0;
    ReadResult result;
    int device = NO_DEVICE;
    if (OpenFile *open = find<OpenFile>(file); open == nullptr) {
        result = ReadResult::failed(Failure(OP, "invalid handle").error);
    } else if (auto fault = injectedFault(OP, device = open->device)) {
        result = ReadResult::failed(std::move(fault->error));
    } else {
        result = readReports(*open->node, buffer, bytesRead);
        bytesRead = std::min<std::uint32_t>(bytesRead, static_cast<std::uint32_t>(buffer.size()));
    }
    overlapped.Internal = result.ok() ? 0 : 1;
    overlapped.InternalHigh = bytesRead;
    completed(OP, device, result, buffer.first(bytesRead));
    return result;
}

PlatformResult EmulatedHidPlatform::HidD_GetAttributes(PlatformHandle device,
                                                       HIDD_ATTRIBUTES &attributes)
{
    constexpr std::string_view OP = "HidD_GetAttributes";
    OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid handle"));
    if (auto fault = injectedFault(OP, open->device))
        return finish(OP, open->device, std::move(*fault));
    PlatformResult result = this->attributes(*open->node, attributes);
    if (result)
        attributes.Size = sizeof(HIDD_ATTRIBUTES);
    return finish(OP, open->device, std::move(result));
}

PlatformResult EmulatedHidPlatform::stringRequest(PlatformHandle device, HidStringKind kind,
                                                  std::uint32_t stringIndex,
                                                  std::span<std::uint8_t> buffer)
{
    const std::string_view op = StringOperation(kind);
    OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return finish(op, NO_DEVICE, Failure(op, "invalid handle"));
    if (auto fault = injectedFault(op, open->device))
        return finish(op, open->device, std::move(*fault));
    PlatformResult result = string(*open->node, kind, stringIndex, buffer);
    const bool ok = result.ok;
    return finish(op, open->device, std::move(result), Bytes(buffer, ok));
}

PlatformResult EmulatedHidPlatform::HidD_GetIndexedString(PlatformHandle device,
                                                          std::uint32_t stringIndex,
                                                          std::span<std::uint8_t> buffer)
{
    return stringRequest(device, HidStringKind::Indexed, stringIndex, buffer);
}

PlatformResult EmulatedHidPlatform::HidD_GetSerialNumberString(PlatformHandle device,
                                                               std::span<std::uint8_t> buffer)
{
    return stringRequest(device, HidStringKind::SerialNumber, 0, buffer);
}

PlatformResult EmulatedHidPlatform::HidD_GetManufacturerString(PlatformHandle device,
                                                               std::span<std::uint8_t> buffer)
{
    return stringRequest(device, HidStringKind::Manufacturer, 0, buffer);
}

PlatformResult EmulatedHidPlatform::HidD_GetProductString(PlatformHandle device,
                                                          std::span<std::uint8_t> buffer)
{
    return stringRequest(device, HidStringKind::Product, 0, buffer);
}

PlatformResult EmulatedHidPlatform::HidD_GetPreparsedData(PlatformHandle device,
                                                          PlatformHandle &preparsedData)
{
    constexpr std::string_view OP = "HidD_GetPreparsedData";
    preparsedData = {};
    OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid handle"));
    if (auto fault = injectedFault(OP, open->device))
        return finish(OP, open->device, std::move(*fault));
    HidCollectionCaps caps;
    if (auto result = collection(*open->node, caps); !result)
        return finish(OP, open->device, std::move(result));
    preparsedData = preparsed_.add(std::move(caps));
    preparsedDevice_[preparsedData.value] = open->device;
    return finish(OP, open->device, PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::HidD_FreePreparsedData(PlatformHandle preparsedData)
{
    constexpr std::string_view OP = "HidD_FreePreparsedData";
    const int device = preparsedDevice(preparsedData);
    if (!preparsed_.release(preparsedData))
        return finish(OP, device, Failure(OP, "invalid preparsed data"));
    preparsedDevice_.erase(preparsedData.value);
    // Released even when made to fail, as a real release is.
    auto fault = injectedFault(OP, device);
    return finish(OP, device, fault ? std::move(*fault) : PlatformResult::success());
}

PlatformResult EmulatedHidPlatform::HidP_GetCaps(PlatformHandle preparsedData, HIDP_CAPS &caps)
{
    constexpr std::string_view OP = "HidP_GetCaps";
    const int device = preparsedDevice(preparsedData);
    if (auto fault = injectedFault(OP, device))
        return finish(OP, device, std::move(*fault));
    return finish(OP, device, preparsed_.getCaps(preparsedData, caps));
}

PlatformResult EmulatedHidPlatform::HidP_GetValueCaps(HIDP_REPORT_TYPE reportType,
                                                      std::span<std::uint8_t> records,
                                                      std::uint16_t &length,
                                                      PlatformHandle preparsedData)
{
    constexpr std::string_view OP = "HidP_GetValueCaps";
    const int device = preparsedDevice(preparsedData);
    if (auto fault = injectedFault(OP, device)) {
        length = 0;
        return finish(OP, device, std::move(*fault));
    }
    return finish(OP, device, preparsed_.getValueCaps(reportType, records, length, preparsedData));
}

PlatformResult EmulatedHidPlatform::HidD_SetFeature(PlatformHandle device,
                                                    std::span<const std::uint8_t> report)
{
    constexpr std::string_view OP = "HidD_SetFeature";
    OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid handle"), report);
    if (auto fault = injectedFault(OP, open->device))
        return finish(OP, open->device, std::move(*fault), report);
    return finish(OP, open->device, setFeature(*open->node, report), report);
}

PlatformResult EmulatedHidPlatform::HidD_GetFeature(PlatformHandle device,
                                                    std::span<std::uint8_t> report)
{
    constexpr std::string_view OP = "HidD_GetFeature";
    OpenFile *open = find<OpenFile>(device);
    if (open == nullptr)
        return finish(OP, NO_DEVICE, Failure(OP, "invalid handle"));
    if (auto fault = injectedFault(OP, open->device))
        return finish(OP, open->device, std::move(*fault));
    PlatformResult result = getFeature(*open->node, report);
    const bool ok = result.ok;
    return finish(OP, open->device, std::move(result), Bytes(report, ok));
}

InputWait EmulatedHidPlatform::inputWait(NodeFile &)
{
    return {};
}

void EmulatedHidPlatform::notifyInput(NodeFile &, std::function<void()>) {}

InputWait EmulatedHidPlatform::WaitForInput(PlatformHandle file)
{
    OpenFile *open = find<OpenFile>(file);
    return open == nullptr ? InputWait{} : inputWait(*open->node);
}

void EmulatedHidPlatform::NotifyInput(PlatformHandle file, std::function<void()> ready)
{
    if (OpenFile *open = find<OpenFile>(file))
        notifyInput(*open->node, std::move(ready));
}

} // namespace tamo::device
