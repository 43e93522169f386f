// SPDX-License-Identifier: GPL-3.0-or-later
// Error texts in the form every Linux failure is reported in: the failing call, then the
// system's reason, e.g. "open(/dev/hidraw3): Permission denied".
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace tamo::device {

inline std::string ErrnoText(std::string_view call, int error)
{
    std::string text(call);
    text += ": ";
    text += std::generic_category().message(error);
    return text;
}

} // namespace tamo::device
