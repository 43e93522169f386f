// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw_read.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace tamo::device;

namespace {

// A packet-mode pipe keeps every write as one read, as hidraw keeps every report.
class ReportPipe {
public:
    ReportPipe()
    {
        if (::pipe2(fds_, O_CLOEXEC | O_NONBLOCK | O_DIRECT) != 0)
            ADD_FAILURE() << "pipe2 failed: " << errno;
        // Each packet takes a page of the pipe: make room for a full hidraw queue.
        if (::fcntl(fds_[1], F_SETPIPE_SZ, 64 * 4096) < 0)
            ADD_FAILURE() << "F_SETPIPE_SZ failed: " << errno;
    }
    ~ReportPipe()
    {
        closeWriter();
        ::close(fds_[0]);
    }
    int reader() const { return fds_[0]; }
    void send(std::vector<std::uint8_t> report) const
    {
        ASSERT_EQ(::write(fds_[1], report.data(), report.size()),
                  static_cast<ssize_t>(report.size()));
    }
    void closeWriter()
    {
        if (fds_[1] >= 0)
            ::close(fds_[1]);
        fds_[1] = -1;
    }

private:
    int fds_[2] = {-1, -1};
};

struct Drained {
    ReadResult result;
    std::vector<std::uint8_t> buffer;
    std::uint32_t bytesRead = 0;
};

Drained Drain(const ReportPipe &pipe, InputReportFormat format, std::size_t bufferSize)
{
    Drained drained;
    drained.buffer.assign(bufferSize, 0xEE);
    drained.bytesRead = 12345;
    drained.result =
        DrainInputReports(pipe.reader(), "pipe", format, drained.buffer, drained.bytesRead);
    return drained;
}

} // namespace

TEST(InputDrain, EmptyQueueIsNothingQueuedNotAFailure)
{
    ReportPipe pipe;
    const Drained drained = Drain(pipe, {8, false}, 1000);
    EXPECT_EQ(drained.result.outcome, ReadOutcome::NothingQueued);
    EXPECT_FALSE(drained.result.ok());
    EXPECT_EQ(drained.bytesRead, 0u);
    EXPECT_EQ(drained.buffer, std::vector<std::uint8_t>(1000, 0xEE));
}

TEST(InputDrain, PrefixesTheIdByteOfADeviceWithoutReportIds)
{
    ReportPipe pipe;
    pipe.send({1, 2, 3, 4, 5, 6, 7});
    pipe.send({11, 12, 13, 14, 15, 16, 17});
    pipe.send({21, 22, 23}); // short: padded with zeros
    const Drained drained = Drain(pipe, {8, false}, 1000);
    ASSERT_EQ(drained.result.outcome, ReadOutcome::Reports);
    EXPECT_TRUE(drained.result.ok());
    EXPECT_EQ(drained.result.error, "");
    ASSERT_EQ(drained.bytesRead, 24u);
    const std::vector<std::uint8_t> expected{0, 1,  2,  3,  4,  5,  6,  7,  //
                                             0, 11, 12, 13, 14, 15, 16, 17, //
                                             0, 21, 22, 23, 0,  0,  0,  0};
    EXPECT_EQ(std::vector<std::uint8_t>(drained.buffer.begin(), drained.buffer.begin() + 24),
              expected);
    EXPECT_EQ(drained.buffer[24], 0xEE);
}

TEST(InputDrain, KeepsTheDevicesOwnIdByteAndCutsLongReports)
{
    ReportPipe pipe;
    pipe.send({3, 0xA1, 0xA2, 0xA3});
    pipe.send({4, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6}); // longer than the format
    const Drained drained = Drain(pipe, {4, true}, 100);
    ASSERT_EQ(drained.result.outcome, ReadOutcome::Reports);
    ASSERT_EQ(drained.bytesRead, 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(drained.buffer.begin(), drained.buffer.begin() + 9),
              (std::vector<std::uint8_t>{3, 0xA1, 0xA2, 0xA3, 4, 0xB1, 0xB2, 0xB3, 0xEE}));
}

TEST(InputDrain, WhenMoreIsQueuedThanFitsTheNewestAreKeptOldestFirst)
{
    ReportPipe pipe;
    for (std::uint8_t n = 1; n <= 5; ++n)
        pipe.send({n, n, n});
    // 11 bytes hold two 4-byte reports: the last two, in order, and nothing stays queued
    // (a queue left behind would be shown ever later while the board keeps sending).
    Drained first = Drain(pipe, {4, false}, 11);
    ASSERT_EQ(first.result.outcome, ReadOutcome::Reports);
    EXPECT_EQ(first.bytesRead, 8u);
    EXPECT_EQ(first.buffer, (std::vector<std::uint8_t>{0, 4, 4, 4, 0, 5, 5, 5, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(Drain(pipe, {4, false}, 1000).result.outcome, ReadOutcome::NothingQueued);

    // Exactly as many as fit, and one more than fit (the ring wraps once).
    for (std::uint8_t n = 1; n <= 2; ++n)
        pipe.send({n});
    EXPECT_EQ(Drain(pipe, {4, false}, 8).buffer,
              (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 2, 0, 0}));
    for (std::uint8_t n = 1; n <= 3; ++n)
        pipe.send({n});
    EXPECT_EQ(Drain(pipe, {4, false}, 8).buffer,
              (std::vector<std::uint8_t>{0, 2, 0, 0, 0, 3, 0, 0}));
}

TEST(InputDrain, AThousandByteReadOfAFullKernelQueueEndsWithTheNewest)
{
    // hidraw queues at most 63 reports per open file; 62 of 16 bytes fit in 1000.
    ReportPipe pipe;
    for (int n = 0; n < 63; ++n)
        pipe.send(std::vector<std::uint8_t>(15, static_cast<std::uint8_t>(n)));
    const Drained drained = Drain(pipe, {16, false}, 1000);
    ASSERT_EQ(drained.result.outcome, ReadOutcome::Reports);
    EXPECT_EQ(drained.bytesRead, 992u);
    for (int k = 0; k < 62; ++k)
        EXPECT_EQ(drained.buffer[16 * k + 1], k + 1) << k;
    EXPECT_EQ(drained.buffer[992], 0xEE);
    EXPECT_EQ(Drain(pipe, {16, false}, 1000).result.outcome, ReadOutcome::NothingQueued);
}

TEST(InputDrain, HangUpFailsOnlyOnceTheQueueIsEmpty)
{
    ReportPipe pipe;
    pipe.send({9, 9, 9});
    pipe.closeWriter();
    // Reports that were queued before the other end went are still delivered.
    const Drained queued = Drain(pipe, {4, false}, 1000);
    ASSERT_EQ(queued.result.outcome, ReadOutcome::Reports);
    EXPECT_EQ(queued.bytesRead, 4u);

    const Drained gone = Drain(pipe, {4, false}, 1000);
    EXPECT_EQ(gone.result.outcome, ReadOutcome::Failed);
    EXPECT_FALSE(gone.result.ok());
    EXPECT_EQ(gone.bytesRead, 0u);
    EXPECT_EQ(gone.result.error, "poll(pipe): device hung up");
}

TEST(InputDrain, ReadErrorsCarryTheCallAndReason)
{
    std::vector<std::uint8_t> buffer(100);
    std::uint32_t bytesRead = 7;
    int stale = -1;
    {
        ReportPipe gone;
        stale = gone.reader();
    }
    const ReadResult closed = DrainInputReports(stale, "hidraw9", {4, false}, buffer, bytesRead);
    EXPECT_EQ(closed.outcome, ReadOutcome::Failed);
    EXPECT_EQ(bytesRead, 0u);
    EXPECT_EQ(closed.error, "poll(hidraw9): Bad file descriptor");

    // Reading /proc/self/mem at address 0 fails at once with EIO, as a removed hidraw node
    // does after its last queued report.
    const int fd = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const ReadResult failed = DrainInputReports(fd, "mem", {4, false}, buffer, bytesRead);
    ::close(fd);
    EXPECT_EQ(failed.outcome, ReadOutcome::Failed);
    EXPECT_EQ(failed.error, "read(mem): Input/output error");
}

TEST(InputDrain, AReportThatCannotBeReadWholeKeepsTheBoardUntilItGoes)
{
    ReportPipe pipe;
    pipe.send({1, 2, 3});
    // Such a board is not lost: it reads as quiet, and its settings stay usable.
    EXPECT_EQ(Drain(pipe, {0, false}, 1000).result.outcome, ReadOutcome::NothingQueued);
    EXPECT_EQ(Drain(pipe, {1, false}, 1000).result.outcome, ReadOutcome::NothingQueued);
    const Drained tooSmall = Drain(pipe, {8, false}, 7);
    EXPECT_EQ(tooSmall.result.outcome, ReadOutcome::NothingQueued);
    EXPECT_FALSE(tooSmall.result.ok());
    EXPECT_EQ(tooSmall.buffer, std::vector<std::uint8_t>(7, 0xEE));
    // The refused reads took nothing from the queue.
    EXPECT_EQ(Drain(pipe, {4, false}, 1000).bytesRead, 4u);
    pipe.closeWriter();
    EXPECT_EQ(Drain(pipe, {0, false}, 1000).result.outcome, ReadOutcome::Failed);
    EXPECT_EQ(Drain(pipe, {8, false}, 7).result.outcome, ReadOutcome::Failed);
}

TEST(ReportIds, FoundOnlyAsAnItemNotAsData)
{
    // Usage Page (Generic Desktop), Usage (Joystick), Collection, Report ID 1, End.
    EXPECT_TRUE(DescriptorUsesReportIds(
        std::vector<std::uint8_t>{0x05, 0x01, 0x09, 0x04, 0xA1, 0x01, 0x85, 0x01, 0xC0}));
    // 0x85 as the data of a Usage item is no Report ID.
    EXPECT_FALSE(DescriptorUsesReportIds(
        std::vector<std::uint8_t>{0x05, 0x01, 0x09, 0x85, 0xA1, 0x01, 0xC0}));
    // A 4-byte Logical Maximum whose data holds 0x85.
    EXPECT_FALSE(DescriptorUsesReportIds(std::vector<std::uint8_t>{0x27, 0x85, 0x85, 0x85, 0x85}));
    // A long item whose data holds 0x85, then a real Report ID.
    EXPECT_FALSE(DescriptorUsesReportIds(std::vector<std::uint8_t>{0xFE, 0x02, 0x10, 0x85, 0x85}));
    EXPECT_TRUE(
        DescriptorUsesReportIds(std::vector<std::uint8_t>{0xFE, 0x01, 0x10, 0x85, 0x85, 0x02}));
    // Truncated items end the walk without reading past the end.
    EXPECT_FALSE(DescriptorUsesReportIds(std::vector<std::uint8_t>{0x27, 0x01}));
    EXPECT_FALSE(DescriptorUsesReportIds(std::vector<std::uint8_t>{0xFE}));
    EXPECT_FALSE(DescriptorUsesReportIds({}));
}
