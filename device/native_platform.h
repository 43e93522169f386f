// SPDX-License-Identifier: GPL-3.0-or-later
// The HID platform of the system the tool was built for: hidraw on Linux, the HID class and
// device-setup services on Windows. Each backend file defines it.
#pragma once

#include "hid_platform.h"

#include <memory>

namespace tamo::device {

std::unique_ptr<HidPlatform> CreateNativeHidPlatform();

} // namespace tamo::device
