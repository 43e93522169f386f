// SPDX-License-Identifier: GPL-3.0-or-later
#include "order_loop.h"

namespace tamo::orders {

void PrintLine(const std::string &line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace tamo::orders
