// SPDX-License-Identifier: GPL-3.0-or-later
// The outcome of one platform call, as every caller stores it in LastResult.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tamo::device {

struct PlatformResult {
    bool ok = false;
    // The call's own result as the platform gives it: nonzero for a successful BOOL call,
    // an NTSTATUS for the HidP_ calls.
    std::int32_t value = 0;
    // What failed, with the failing call and the system's reason, e.g.
    // "ioctl(HIDIOCGFEATURE): No such device". Empty on success.
    std::string error;

    static PlatformResult success(std::int32_t value = 1) { return {true, value, {}}; }
    static PlatformResult failure(std::string error, std::int32_t value = 0)
    {
        return {false, value, std::move(error)};
    }
    explicit operator bool() const { return ok; }
};

// What an input read found: the board sent reports, it sent nothing since the last read,
// or the read failed (the board has gone or the transfer broke).
enum class ReadOutcome { Reports, NothingQueued, Failed };

// One input read. The outcome is its one truth; the call's result follows from it.
struct ReadResult {
    ReadOutcome outcome = ReadOutcome::Failed;
    // Why no reports came: the failing call and the system's reason, or what left the read
    // empty. Empty with reports.
    std::string error;

    static ReadResult reports() { return {ReadOutcome::Reports, {}}; }
    static ReadResult nothingQueued(std::string why)
    {
        return {ReadOutcome::NothingQueued, std::move(why)};
    }
    static ReadResult failed(std::string error) { return {ReadOutcome::Failed, std::move(error)}; }

    bool ok() const { return outcome == ReadOutcome::Reports; }
    explicit operator bool() const { return ok(); }
    // The read as every platform call's result is stored in LastResult: nonzero with reports.
    operator PlatformResult() const
    {
        return ok() ? PlatformResult::success() : PlatformResult::failure(error);
    }
};

} // namespace tamo::device
