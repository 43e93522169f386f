// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows_error_text.h"

#include <windows.h>

namespace tamo::device {

std::string WindowsErrorText(std::uint32_t error)
{
    char text[512] = {};
    DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    while (length > 0
           && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' '))
        --length;
    if (length == 0)
        return "error " + std::to_string(error);
    return std::string(text, length);
}

} // namespace tamo::device
