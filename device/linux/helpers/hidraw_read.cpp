// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw_read.h"

#include "errno_text.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace tamo::device {

namespace {

// hidraw queues at most 64 reports per reader; a board cannot refill the queue faster than
// it is read, but the drain stops here whatever happens.
constexpr std::size_t kMaxReportsPerDrain = 1024;

std::string Call(std::string_view call, std::string_view name)
{
    std::string text(call);
    text += '(';
    text += name;
    text += ')';
    return text;
}

enum class Readiness { Readable, Empty, HungUp, Error };

// A zero-timeout poll: whether a read would return at once, and whether the other end has
// gone. hidraw keeps reporting POLLIN for reports queued before a removal, together with
// POLLHUP, so those reports are still taken.
Readiness Poll(int fd, int &error)
{
    pollfd entry{fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, 0);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
        error = errno;
        return Readiness::Error;
    }
    if (ready == 0)
        return Readiness::Empty;
    if (entry.revents & POLLNVAL) {
        error = EBADF;
        return Readiness::Error;
    }
    if (entry.revents & POLLIN)
        return Readiness::Readable;
    return Readiness::HungUp;
}

} // namespace

bool DescriptorUsesReportIds(std::span<const std::uint8_t> descriptor)
{
    constexpr std::uint8_t LONG_ITEM = 0xFE;
    constexpr std::uint8_t REPORT_ID_TAG = 0x84; // global item, tag 8
    std::size_t at = 0;
    while (at < descriptor.size()) {
        const std::uint8_t prefix = descriptor[at];
        if (prefix == LONG_ITEM) {
            if (at + 1 >= descriptor.size())
                return false;
            at += 3 + std::size_t{descriptor[at + 1]};
            continue;
        }
        if ((prefix & 0xFC) == REPORT_ID_TAG)
            return true;
        constexpr std::size_t DATA_SIZE[] = {0, 1, 2, 4};
        at += 1 + DATA_SIZE[prefix & 0x03];
    }
    return false;
}

ReadResult DrainInputReports(int fd, std::string_view name, InputReportFormat format,
                             std::span<std::uint8_t> buffer, std::uint32_t &bytesRead)
{
    bytesRead = 0;
    // A board whose input report cannot be read whole is not lost: it stays open (its
    // settings can still be changed) unless it has really gone.
    if (format.reportLength < 2 || buffer.size() < format.reportLength) {
        int error = 0;
        const Readiness readiness = Poll(fd, error);
        if (readiness == Readiness::Error)
            return ReadResult::failed(ErrnoText(Call("poll", name), error));
        if (readiness == Readiness::HungUp)
            return ReadResult::failed(Call("poll", name) + ": device hung up");
        return ReadResult::nothingQueued(Call("ReadFile", name)
                                         + (format.reportLength < 2
                                                ? ": no input reports"
                                                : ": buffer smaller than one input report"));
    }

    // The ID byte that hidraw leaves out for a device without report IDs is put back, so
    // that every report in the buffer has the same layout.
    const std::size_t dataOffset = format.usesReportIds ? 0 : 1;
    // The buffer is a ring of whole-report slots. hidraw keeps a reader's oldest reports and
    // drops the newest once its queue is full, so a board that queues more than one read
    // takes would be shown ever later; everything queued is read instead, and the oldest
    // give way, so the buffer always ends with the newest report.
    const std::size_t slots = buffer.size() / format.reportLength;
    std::vector<std::uint8_t> scratch(format.reportLength);
    std::size_t taken = 0;
    while (taken < kMaxReportsPerDrain) {
        int error = 0;
        const Readiness readiness = Poll(fd, error);
        if (readiness == Readiness::Error)
            return ReadResult::failed(ErrnoText(Call("poll", name), error));
        if (readiness == Readiness::HungUp) {
            if (taken > 0)
                break;
            return ReadResult::failed(Call("poll", name) + ": device hung up");
        }
        if (readiness == Readiness::Empty)
            break;

        std::fill(scratch.begin(), scratch.end(), std::uint8_t{0});
        // A report longer than the slot is cut by the kernel; a shorter one stays padded.
        ssize_t got = 0;
        do {
            got = ::read(fd, scratch.data() + dataOffset, scratch.size() - dataOffset);
        } while (got < 0 && errno == EINTR);
        if (got > 0) {
            const std::size_t slot = taken % slots;
            std::copy(scratch.begin(), scratch.end(),
                      buffer.begin() + static_cast<std::ptrdiff_t>(slot * format.reportLength));
            ++taken;
            continue;
        }
        const int readError = got < 0 ? errno : 0;
        if (readError == EAGAIN || readError == EWOULDBLOCK)
            break;
        // A removed board's queued reports are read first; the EIO after them is seen by
        // the next read, so nothing that arrived is lost.
        if (taken > 0)
            break;
        if (got == 0)
            return ReadResult::failed(Call("read", name) + ": end of file");
        return ReadResult::failed(ErrnoText(Call("read", name), readError));
    }
    const std::size_t kept = std::min(taken, slots);
    const std::size_t filled = kept * format.reportLength;
    // After a wrap the oldest kept report sits in the slot the next one would have used.
    if (taken > slots) {
        const auto oldest =
            buffer.begin() + static_cast<std::ptrdiff_t>((taken % slots) * format.reportLength);
        std::rotate(buffer.begin(), oldest, buffer.begin() + static_cast<std::ptrdiff_t>(filled));
    }
    bytesRead = static_cast<std::uint32_t>(filled);
    if (filled == 0)
        return ReadResult::nothingQueued(Call("ReadFile", name) + ": no input report queued");
    return ReadResult::reports();
}

} // namespace tamo::device
