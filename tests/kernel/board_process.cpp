// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_process.h"
#include "running_program.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tamo::test {

namespace {

bool WriteAll(int fd, const std::string &text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// gadgetfs finishes a SET_REPORT's data stage in the kernel and keeps one pending setup: a
// request the host sends before the USB board program has taken the previous one hides it.
// On one CPU the board's real-time priority runs it before the host thread can go on, which
// is the order a real board's hardware keeps.
void ShareOneCpuWithAUsbBoard(const std::string &program)
{
    if (std::filesystem::path(program).filename() != "tamo-usb-board")
        return;
    cpu_set_t first;
    CPU_ZERO(&first);
    CPU_SET(0, &first);
    ::sched_setaffinity(0, sizeof first, &first);
}

} // namespace

std::string UhidBoardProgram()
{
    return ProgramPath("TAMO_UHID_BOARD", "tamo-uhid-board", TAMO_UHID_BOARD_PATH);
}

std::string UsbBoardProgram()
{
    return ProgramPath("TAMO_USB_BOARD", "tamo-usb-board", TAMO_USB_BOARD_PATH);
}

std::string UhidUnavailableReason()
{
    if (::access("/dev/uhid", R_OK | W_OK) != 0)
        return std::string("/dev/uhid: ") + std::strerror(errno)
               + " (needs the uhid and hid-generic modules and root; "
                 "tests/kernel/run-vm-tests.sh runs this inside a VM)";
    return {};
}

std::string UsbUnavailableReason()
{
    std::error_code error;
    if (!std::filesystem::exists("/dev/gadget/dummy_udc", error))
        return "no /dev/gadget/dummy_udc (needs dummy_hcd, gadgetfs mounted on /dev/gadget, "
               "usbhid and root; tests/kernel/run-vm-tests.sh runs this inside a VM)";
    return {};
}

BoardProcess::BoardProcess(const std::string &program)
{
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    ShareOneCpuWithAUsbBoard(program);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    toBoard_ = in[1];
    fromBoard_ = out[0];
    if (pid_ < 0) {
        stop();
        return;
    }
    reader_ = std::thread([this] { readLines(); });
    std::unique_lock lock(mutex_);
    started_ = changed_.wait_for(lock, std::chrono::seconds(10), [this] {
        return ready_ || ended_;
    }) && ready_;
}

BoardProcess::~BoardProcess()
{
    stop();
}

void BoardProcess::stop()
{
    if (toBoard_ >= 0) {
        WriteAll(toBoard_, "quit\n");
        ::close(toBoard_);
        toBoard_ = -1;
    }
    if (pid_ > 0) {
        // Its devices are gone once it has exited: closing /dev/uhid destroys them.
        int status = 0;
        for (int i = 0; i < 500; ++i) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            ::usleep(10'000);
        }
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }
    if (reader_.joinable())
        reader_.join();
    if (fromBoard_ >= 0) {
        ::close(fromBoard_);
        fromBoard_ = -1;
    }
}

void BoardProcess::readLines()
{
    std::string pending;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fromBoard_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        pending.append(chunk, static_cast<std::size_t>(got));
        std::lock_guard lock(mutex_);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line == "ready")
                ready_ = true;
            else if (line.starts_with("event "))
                events_.push_back(std::move(line));
            else if (line.starts_with("feature "))
                features_.push_back(std::move(line));
            else
                replies_.push_back(std::move(line));
        }
        changed_.notify_all();
    }
    std::lock_guard lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

std::string BoardProcess::order(const std::string &line, std::chrono::milliseconds timeout)
{
    if (!send(line))
        return lastReply_ = "error: board program not running";
    return reply(timeout);
}

bool BoardProcess::send(const std::string &line)
{
    return toBoard_ >= 0 && WriteAll(toBoard_, line + "\n");
}

std::string BoardProcess::reply(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return !replies_.empty() || ended_; })
        || replies_.empty())
        return lastReply_ = ended_ ? "error: board program ended" : "timeout";
    lastReply_ = std::move(replies_.front());
    replies_.pop_front();
    return lastReply_;
}

std::string BoardProcess::nodeOf(const std::string &reply, const std::string &prefix)
{
    if (!reply.starts_with(prefix))
        return {};
    const std::string rest = reply.substr(prefix.size());
    const std::size_t space = rest.find(' ');
    const std::size_t usb = rest.find(" usb=");
    usbNode_ = usb == std::string::npos ? "" : "/dev/" + rest.substr(usb + 5);
    return "/dev/" + rest.substr(0, space);
}

std::string BoardProcess::create(const std::string &name, const std::string &options)
{
    const std::string reply =
        order("create " + name + (options.empty() ? "" : " " + options), std::chrono::seconds(30));
    return nodeOf(reply, "ok create " + name + " node=");
}

std::string BoardProcess::replug(const std::string &name)
{
    return nodeOf(order("replug " + name, std::chrono::seconds(30)),
                  "ok replug " + name + " node=");
}

std::vector<std::string> BoardProcess::events(const std::string &name) const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> mine;
    const std::string prefix = "event " + name + " ";
    for (const std::string &line : events_) {
        if (line.starts_with(prefix))
            mine.push_back(line.substr(prefix.size()));
    }
    return mine;
}

std::vector<std::string> BoardProcess::featureReports(const std::string &name)
{
    {
        std::lock_guard lock(mutex_);
        features_.clear();
    }
    if (!order("dump " + name).starts_with("ok dump"))
        return {};
    std::lock_guard lock(mutex_);
    std::vector<std::string> reports;
    const std::string prefix = "feature " + name + " ";
    for (const std::string &line : features_) {
        if (line.starts_with(prefix))
            reports.push_back(line.substr(prefix.size()));
    }
    return reports;
}

std::size_t BoardProcess::countLocked(const std::string &name, const std::string &kind) const
{
    const std::string exact = "event " + name + " " + kind;
    std::size_t count = 0;
    for (const std::string &line : events_) {
        if (line == exact || line.starts_with(exact + " "))
            ++count;
    }
    return count;
}

std::size_t BoardProcess::eventCount(const std::string &name, const std::string &kind) const
{
    std::lock_guard lock(mutex_);
    return countLocked(name, kind);
}

bool BoardProcess::waitForEventCount(const std::string &name, const std::string &kind,
                                     std::size_t count, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return countLocked(name, kind) >= count; });
}

} // namespace tamo::test
