// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_writer.h"

#include "errno_text.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <pthread.h>
#include <unistd.h>
#include <utility>

namespace tamo::usb {

namespace {

using Clock = std::chrono::steady_clock;

// After a failed write (the host reset the port, or has not enabled it yet) the next one
// waits a little instead of failing again at once.
constexpr auto kRetry = std::chrono::milliseconds(20);
constexpr auto kInterruptEvery = std::chrono::milliseconds(10);

void Nothing(int) {}

// A signal without SA_RESTART ends a write that waits for the host (gadgetfs dequeues it).
void InstallInterrupt()
{
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_handler = Nothing;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGUSR1, &action, nullptr) == 0;
    }();
    (void)installed;
}

// The clock a test in the same system compares its reads with.
std::uint64_t NowUs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000
           + static_cast<std::uint64_t>(now.tv_nsec) / 1000;
}

} // namespace

ReportWriter::ReportWriter(int endpoint, int wake)
    : endpoint_(endpoint)
    , wake_(wake)
{
    InstallInterrupt();
    thread_ = std::thread([this] { run(); });
}

ReportWriter::~ReportWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    // The writer may be inside a write that waits for the host: interrupt it until it has
    // seen that it is to stop.
    std::unique_lock lock(mutex_);
    while (!changed_.wait_for(lock, kInterruptEvery, [this] { return endpoint_ < 0; }))
        ::pthread_kill(thread_.native_handle(), SIGUSR1);
    lock.unlock();
    thread_.join();
}

void ReportWriter::queue(WireReport report)
{
    {
        std::lock_guard lock(mutex_);
        queued_.push_back(std::move(report));
    }
    changed_.notify_all();
}

void ReportWriter::stream(WireReport report, std::uint32_t periodMs)
{
    {
        std::lock_guard lock(mutex_);
        streamed_ = std::move(report);
        periodMs_ = periodMs;
    }
    changed_.notify_all();
}

bool ReportWriter::script(std::vector<ScriptedReport> reports)
{
    {
        std::lock_guard lock(mutex_);
        if (scriptRunning_)
            return false;
        script_.assign(std::make_move_iterator(reports.begin()),
                       std::make_move_iterator(reports.end()));
        scriptSent_.clear();
        scriptResult_.reset();
        scriptCancelled_ = false;
        scriptRunning_ = true;
    }
    changed_.notify_all();
    return true;
}

void ReportWriter::cancelScript()
{
    {
        std::lock_guard lock(mutex_);
        if (!scriptRunning_)
            return;
        scriptCancelled_ = true;
    }
    changed_.notify_all();
    // Ends a sleep towards the next change, or a write that waits for the host.
    ::pthread_kill(thread_.native_handle(), SIGUSR1);
}

std::optional<ScriptResult> ReportWriter::takeScriptResult()
{
    std::lock_guard lock(mutex_);
    return std::exchange(scriptResult_, std::nullopt);
}

bool ReportWriter::sleepUntil(std::uint64_t dueNs, std::unique_lock<std::mutex> &lock)
{
    const timespec due{static_cast<time_t>(dueNs / 1'000'000'000),
                       static_cast<long>(dueNs % 1'000'000'000)};
    while (!stopping_ && !scriptCancelled_) {
        lock.unlock();
        const int result = ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr);
        lock.lock();
        if (result != EINTR)
            break;
    }
    return !stopping_ && !scriptCancelled_;
}

std::vector<std::string> ReportWriter::takeEvents()
{
    std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
}

void ReportWriter::event(std::string line)
{
    events_.push_back(std::move(line));
    wake();
}

void ReportWriter::wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

void ReportWriter::run()
{
    std::optional<std::uint32_t> lastButtons;
    Clock::time_point due = Clock::now();
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait_until(lock, streamed_ ? due : Clock::time_point::max(), [&] {
            return stopping_ || !queued_.empty() || scriptRunning_
                   || (streamed_ && Clock::now() >= due);
        });
        if (stopping_)
            break;
        WireReport report;
        const bool fromQueue = !queued_.empty();
        bool fromScript = false;
        if (fromQueue) {
            report = queued_.front();
        } else if (scriptRunning_) {
            if (scriptCancelled_ || script_.empty()) {
                scriptResult_ = ScriptResult{std::exchange(scriptSent_, {}), scriptCancelled_};
                script_.clear();
                scriptRunning_ = scriptCancelled_ = false;
                wake();
                continue;
            }
            // Each change at its own time, however late the one before it went.
            if (!sleepUntil(script_.front().dueNs, lock))
                continue;
            report = script_.front().report;
            fromScript = true;
        } else if (streamed_ && Clock::now() >= due) {
            report = *streamed_;
            due = Clock::now() + std::chrono::milliseconds(periodMs_);
        } else {
            continue;
        }
        const bool changed = !lastButtons || *lastButtons != report.buttons;
        const std::uint64_t sentUs = NowUs();
        lock.unlock();
        const ssize_t written = ::write(endpoint_, report.bytes.data(), report.bytes.size());
        const int error = errno;
        lock.lock();
        if (written < 0) {
            if (error != EINTR && error != ESHUTDOWN && error != ECONNRESET && error != ENODEV)
                event("error " + device::ErrnoText("write(endpoint)", error));
            if (!stopping_) {
                lock.unlock();
                std::this_thread::sleep_for(kRetry);
                lock.lock();
            }
            continue;
        }
        if (fromQueue)
            queued_.pop_front();
        if (fromScript) {
            // The reply gives every change's time; no event line each.
            script_.pop_front();
            scriptSent_.push_back(sentUs);
        } else if (changed) {
            char line[64];
            std::snprintf(line, sizeof line, "report 0x%08x sent=%llu", report.buttons,
                          static_cast<unsigned long long>(sentUs));
            event(line);
        }
        lastButtons = report.buttons;
    }
    endpoint_ = -1;
    changed_.notify_all();
}

} // namespace tamo::usb
