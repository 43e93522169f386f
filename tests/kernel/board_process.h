// SPDX-License-Identifier: GPL-3.0-or-later
// A board program (tamo-uhid-board or tamo-usb-board) driven from a test: orders go to its standard
// input, and a reader thread collects what it prints, so the board never waits on a full pipe while
// the kernel waits on the board.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace tamo::test {

// TAMO_UHID_BOARD, else tamo-uhid-board beside the running program, else the build's own.
std::string UhidBoardProgram();

// TAMO_USB_BOARD, else tamo-usb-board beside the running program, else the build's own.
std::string UsbBoardProgram();

// Why uhid boards cannot be made here, or empty when they can.
std::string UhidUnavailableReason();
// Why USB boards cannot be made here (no gadgetfs with a device controller), or empty.
std::string UsbUnavailableReason();

class BoardProcess {
public:
    explicit BoardProcess(const std::string &program = UhidBoardProgram());
    ~BoardProcess();
    BoardProcess(const BoardProcess &) = delete;
    BoardProcess &operator=(const BoardProcess &) = delete;

    bool started() const { return started_; }
    // Sends one order and returns its reply ("ok ..." or "error ..."), or "timeout".
    std::string order(const std::string &line,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Sends one order without waiting for its reply (a test that reads meanwhile).
    bool send(const std::string &line);
    // The oldest reply not taken yet, or "timeout" when none came within the time.
    std::string reply(std::chrono::milliseconds timeout);
    // Creates a device and returns its node path (/dev/hidrawN); empty on failure, with the
    // reply in lastReply(). A USB board's reply also names its USB device node.
    std::string create(const std::string &name, const std::string &options = {});
    // Plugs a device in again (replug) and returns its node path, as create() does.
    std::string replug(const std::string &name);
    // /dev/bus/usb/BBB/DDD of the last USB device created or plugged in.
    const std::string &usbNode() const { return usbNode_; }
    // The event lines of a device ("event NAME ..." without the prefix), oldest first.
    std::vector<std::string> events(const std::string &name) const;
    const std::string &lastReply() const { return lastReply_; }
    // The hex of every feature report the board received, oldest first.
    std::vector<std::string> featureReports(const std::string &name);
    // How many events of this kind ("get", "set", "open", ...) the device has reported.
    std::size_t eventCount(const std::string &name, const std::string &kind) const;
    bool waitForEventCount(const std::string &name, const std::string &kind, std::size_t count,
                           std::chrono::milliseconds timeout);

private:
    void readLines();
    std::string nodeOf(const std::string &reply, const std::string &prefix);
    std::size_t countLocked(const std::string &name, const std::string &kind) const;
    void stop();

    pid_t pid_ = -1;
    int toBoard_ = -1;
    int fromBoard_ = -1;
    bool started_ = false;
    std::string lastReply_;
    std::string usbNode_;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> replies_;
    std::vector<std::string> events_;
    std::vector<std::string> features_;
    bool ready_ = false;
    bool ended_ = false;
};

} // namespace tamo::test
