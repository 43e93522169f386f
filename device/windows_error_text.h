// SPDX-License-Identifier: GPL-3.0-or-later
// The system's own words for a Windows error code, for every message that names a failing
// call. Built into the Windows backend only.
#pragma once

#include <cstdint>
#include <string>

namespace tamo::device {

// FormatMessage's text without its line break, or "error N" where the system has none.
std::string WindowsErrorText(std::uint32_t error);

} // namespace tamo::device
