// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows_device_changes.h"

#include "debug_log.h"

#include <string>

// The notification records exist from Windows 8 on; the functions are looked up at run time so
// that the tool still starts, scanning on every poll, where they are missing.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cfgmgr32.h>
#include <initguid.h>

namespace tamo::device {

namespace {

// The HID interface class, as HidD_GetHidGuid gives it.
DEFINE_GUID(kHidInterfaceClass, 0x4d1e55b2, 0xf16f, 0x11cf, 0x88, 0xcb, 0x00, 0x11, 0x11, 0x00,
            0x00, 0x30);

using RegisterFn = CONFIGRET(WINAPI *)(PCM_NOTIFY_FILTER, PVOID, PCM_NOTIFY_CALLBACK,
                                       PHCMNOTIFICATION);
using UnregisterFn = CONFIGRET(WINAPI *)(HCMNOTIFICATION);

template<typename Fn>
Fn ConfigManagerFunction(const char *name)
{
    HMODULE module = ::GetModuleHandleA("cfgmgr32.dll");
    if (module == nullptr)
        module = ::LoadLibraryA("cfgmgr32.dll");
    if (module == nullptr)
        return nullptr;
    // Through void (*)(), the one function type that GCC lets stand for any other.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

DWORD CALLBACK OnDeviceChange(HCMNOTIFICATION, PVOID context, CM_NOTIFY_ACTION,
                              PCM_NOTIFY_EVENT_DATA, DWORD)
{
    static_cast<WindowsDeviceChanges *>(context)->markChanged();
    return ERROR_SUCCESS;
}

} // namespace

WindowsDeviceChanges::WindowsDeviceChanges()
{
    const auto registerFn = ConfigManagerFunction<RegisterFn>("CM_Register_Notification");
    if (registerFn == nullptr) {
        DebugLog(LogSource::Discovery, "CM_Register_Notification: not available");
        return;
    }
    CM_NOTIFY_FILTER filter{};
    filter.cbSize = sizeof filter;
    filter.FilterType = CM_NOTIFY_FILTER_TYPE_DEVICEINTERFACE;
    filter.u.DeviceInterface.ClassGuid = kHidInterfaceClass;
    HCMNOTIFICATION handle = nullptr;
    const CONFIGRET result = registerFn(&filter, this, OnDeviceChange, &handle);
    if (result != CR_SUCCESS) {
        DebugLog(LogSource::Discovery,
                 "CM_Register_Notification: configuration manager error " + std::to_string(result));
        return;
    }
    registration_ = handle;
}

WindowsDeviceChanges::~WindowsDeviceChanges()
{
    // Unregistering waits for a callback under way, so none can reach a destroyed object.
    if (registration_ != nullptr)
        if (const auto unregisterFn =
                ConfigManagerFunction<UnregisterFn>("CM_Unregister_Notification"))
            unregisterFn(static_cast<HCMNOTIFICATION>(registration_));
}

bool WindowsDeviceChanges::changedSinceLastAsked()
{
    if (registration_ == nullptr)
        return true;
    return changed_.exchange(false);
}

} // namespace tamo::device
