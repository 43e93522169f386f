// SPDX-License-Identifier: GPL-3.0-or-later
// The thread that sends a board's input reports on its interrupt IN endpoint. A write on a
// gadgetfs endpoint file blocks until the host has polled the report (dummy_hcd takes one
// report into its emulated FIFO at once), and asynchronous writes deadlock against that
// FIFO in the kernel, so the writes get a thread of their own; everything else stays on the
// program's one thread, which hands reports over and collects the writer's events.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tamo::usb {

struct WireReport {
    std::vector<std::uint8_t> bytes; // as on the wire, without a report-ID byte
    std::uint32_t buttons = 0;
};

// A report of a timed script, due at an absolute CLOCK_MONOTONIC time.
struct ScriptedReport {
    WireReport report;
    std::uint64_t dueNs = 0;
};

// How a script went: the CLOCK_MONOTONIC microseconds at which each report was handed to the
// endpoint, oldest first; fewer than the script had when it was cancelled.
struct ScriptResult {
    std::vector<std::uint64_t> sentUs;
    bool cancelled = false;
};

class ReportWriter {
public:
    // endpoint: the configured IN endpoint file (not owned); wake: an eventfd that is
    // signalled whenever there are events to take.
    ReportWriter(int endpoint, int wake);
    ~ReportWriter();
    ReportWriter(const ReportWriter &) = delete;
    ReportWriter &operator=(const ReportWriter &) = delete;

    // An on-change board: sent once, after those queued before it.
    void queue(WireReport report);
    // A streaming board: its state, sent at most once a period while the host polls.
    void stream(WireReport report, std::uint32_t periodMs);
    // Reports sent each at its due time, after those queued before; the stream pauses until
    // the last has gone. False while another script runs.
    bool script(std::vector<ScriptedReport> reports);
    // Ends a running script; it then leaves a cancelled result.
    void cancelScript();
    // The result of the last script, once it has ended (the wake eventfd is signalled then).
    std::optional<ScriptResult> takeScriptResult();
    // "report BITS sent=US" when a report with new buttons went out; errors.
    std::vector<std::string> takeEvents();

private:
    void run();
    void event(std::string line);
    void wake();
    // Sleeps until the absolute time, the lock released; false when the writer is to stop or
    // the script was cancelled meanwhile.
    bool sleepUntil(std::uint64_t dueNs, std::unique_lock<std::mutex> &lock);

    int endpoint_;
    int wake_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<WireReport> queued_;
    std::optional<WireReport> streamed_;
    std::uint32_t periodMs_ = 10;
    bool stopping_ = false;
    std::deque<ScriptedReport> script_;
    bool scriptRunning_ = false;
    bool scriptCancelled_ = false;
    std::vector<std::uint64_t> scriptSent_;
    std::optional<ScriptResult> scriptResult_;
    std::vector<std::string> events_;
    std::thread thread_;
};

} // namespace tamo::usb
