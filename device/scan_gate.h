// SPDX-License-Identifier: GPL-3.0-or-later
// When a tool waiting for a board should enumerate again: when the platform tells of a change,
// when the caller has its own reason, and otherwise only when a direct look, made once per
// safety interval without a scan, says the interfaces changed (a lost notification).
#pragma once

#include "device_changes.h"

#include <cstdint>
#include <memory>

namespace tamo::device {

class ScanGate {
public:
    ScanGate(std::unique_ptr<DeviceChangeSource> changes, std::uint32_t safetyLookMs)
        : changes_(std::move(changes))
        , safetyLookMs_(safetyLookMs)
    {}

    // Changes before a first scan are what that scan finds; only later ones are news.
    void forgetChanges() { changes_->changedSinceLastAsked(); }
    void scanned() { msSinceScan_ = 0; }

    // Asked on every step, so that a change is told once.
    bool due(std::uint32_t elapsedMs, bool scanAnyway = false)
    {
        const bool changed = changes_->changedSinceLastAsked();
        msSinceScan_ += elapsedMs;
        if (scanAnyway || changed)
            return true;
        if (msSinceScan_ < safetyLookMs_)
            return false;
        msSinceScan_ = 0;
        return changes_->changedOnDirectLook();
    }

private:
    std::unique_ptr<DeviceChangeSource> changes_;
    std::uint32_t safetyLookMs_;
    std::uint32_t msSinceScan_ = 0;
};

} // namespace tamo::device
