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

struct ReadResult : PlatformResult {
    ReadOutcome outcome = ReadOutcome::Failed;
};

} // namespace tamo::device
