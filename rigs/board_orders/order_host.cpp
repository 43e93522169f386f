// SPDX-License-Identifier: GPL-3.0-or-later
#include "order_host.h"

#include <utility>

namespace tamo::orders {

OrderHost::OrderHost(std::function<void(const std::string &)> print, Transport transport)
    : print_(std::move(print))
    , transport_(transport)
{}

void OrderHost::order(std::string line)
{
    queued_.push_back(std::move(line));
}

void OrderHost::runQueued(std::uint64_t now)
{
    advancePending(now);
    while (!waiting() && !queued_.empty() && !quitting_) {
        const std::string line = std::move(queued_.front());
        queued_.pop_front();
        std::string error;
        const auto parsed = ParseOrder(line, error, transport_);
        if (!parsed) {
            print_("error order: " + error + " (in '" + line + "')");
        } else if (parsed->verb == Verb::Quit) {
            quitting_ = true;
            ok(*parsed);
        } else {
            run(*parsed, now);
        }
        advancePending(now);
    }
}

void OrderHost::ok(const Order &order, const std::string &extra) const
{
    std::string line = std::string("ok ") + VerbName(order.verb);
    if (!order.device.empty())
        line += " " + order.device;
    if (!extra.empty())
        line += " " + extra;
    print_(line);
}

void OrderHost::fail(const Order &order, const std::string &why) const
{
    print_("error " + std::string(VerbName(order.verb)) + " " + order.device + ": " + why);
}

} // namespace tamo::orders
