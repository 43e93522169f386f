// SPDX-License-Identifier: GPL-3.0-or-later
// What both board programs' hosts do with their orders: queue them, run them in turn while no
// order waits for the kernel, and print the replies ("ok VERB NAME ...", "error VERB NAME: ...").
// A host supplies the orders on its devices and the waits.
#pragma once

#include "board_orders.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace tamo::orders {

class OrderHost {
public:
    // Queues an order line; it runs once the orders before it have finished.
    void order(std::string line);
    bool quitting() const { return quitting_; }
    // Orders still queued or waiting for the kernel.
    bool busy() const { return waiting() || !queued_.empty(); }

protected:
    OrderHost(std::function<void(const std::string &)> print, Transport transport);
    virtual ~OrderHost() = default;

    // Runs the queued orders until one has to wait; now is in the host's own unit.
    void runQueued(std::uint64_t now);
    bool queued() const { return !queued_.empty(); }
    void print(const std::string &line) const { print_(line); }
    void ok(const Order &order, const std::string &extra = {}) const;
    void fail(const Order &order, const std::string &why) const;

private:
    // Every order but quit.
    virtual void run(const Order &order, std::uint64_t now) = 0;
    virtual bool waiting() const = 0;
    virtual void advancePending(std::uint64_t now) = 0;

    std::function<void(const std::string &)> print_;
    Transport transport_;
    std::deque<std::string> queued_;
    bool quitting_ = false;
};

} // namespace tamo::orders
