// SPDX-License-Identifier: GPL-3.0-or-later
// The real window end to end over the real kernel: MainWindow on the native hidraw backend
// with its real poll timer, in real time, against boards made through uhid and boards that
// are USB devices on the virtual host controller (gadgetfs on dummy_hcd, bound by usbhid).
#include "board_bytes.h"
#include "board_process.h"
#include "control_access.h"
#include "lamp_shape.h"
#include "main_window.h"
#include "manual_poll_timer.h"
#include "native_platform.h"
#include "run_until.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tamo::test {
namespace {

constexpr int kPatienceMs = 5000; // an emulated machine is slow; a real fault takes forever

bool RunUntil(const std::function<bool()> &done, int ms = kPatienceMs)
{
    return RunEventsUntil(done, ms);
}

// How the boards are made, and what the window shows of a board made that way.
struct BoardKind {
    const char *name;
    std::string (*program)();
    std::string (*unavailable)();
    // A uhid device has no USB device above it: no manufacturer string, and no version.
    const char *manufacturer;
    const char *version;
};

const BoardKind kUhid{"uhid", UhidBoardProgram, UhidUnavailableReason, "", ""};
const BoardKind kUsb{"usb", UsbBoardProgram, UsbUnavailableReason, " Velbrin", " 1.9"};

class WindowOverKernel : public ::testing::TestWithParam<BoardKind> {
protected:
    void SetUp() override
    {
        if (const std::string why = GetParam().unavailable(); !why.empty())
            GTEST_SKIP() << why;
        boards = std::make_unique<BoardProcess>(GetParam().program());
        ASSERT_TRUE(boards->started()) << "cannot run " << GetParam().program();
    }
    void TearDown() override
    {
        window.reset(); // closes the board before the board program goes
        platform.reset();
        boards.reset();
    }

    void createBoard(const std::string &options = "stream=10ms")
    {
        ASSERT_FALSE(boards->create("w", "serial=W-1 " + options).empty()) << boards->lastReply();
    }
    void start()
    {
        platform = device::CreateNativeHidPlatform();
        window = std::make_unique<app::MainWindow>(*platform);
        window->LoadMainWindow();
    }
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::string text(const char *name) const { return app::ControlText(control(name)); }
    std::uint32_t lamp(int index) const { return window->lamp(index)->fillColourValue(); }

    std::unique_ptr<BoardProcess> boards;
    std::unique_ptr<device::HidPlatform> platform;
    std::unique_ptr<app::MainWindow> window;
};

TEST_P(WindowOverKernel, StartUpOpensTheBoardWithEightReadsAndNoCommand)
{
    createBoard();
    start();
    ASSERT_TRUE(window->connection().DeviceFound);
    EXPECT_EQ(text("SerNo"), "W-1");
    // A uhid device's product comes from HID_NAME, a USB device's from its string.
    EXPECT_EQ(text("lblProduct"), " Tamo micro 32");
    EXPECT_EQ(text("lblManuf"), GetParam().manufacturer);
    EXPECT_EQ(text("lblVersion"), GetParam().version);
    EXPECT_EQ(window->connection().Capabilities.FeatureReportByteLength, 17);
    // The reads were synchronous, but their events travel through a pipe.
    EXPECT_TRUE(boards->waitForEventCount("w", "get", 8, std::chrono::seconds(2)));
    RunUntil([] { return false; }, 300);
    EXPECT_EQ(boards->eventCount("w", "get"), 8u);
    EXPECT_TRUE(boards->featureReports("w").empty());
    EXPECT_TRUE(window->pollTimer().isEnabled());
}

TEST_P(WindowOverKernel, PickingADelaySendsTheExactFeatureReport)
{
    createBoard();
    start();
    ASSERT_TRUE(app::PickListItem(control("Delay"), QStringLiteral("16 ms")));
    EXPECT_EQ(boards->featureReports("w"), std::vector<std::string>{FeatureReportHex("00ee0602")});
}

TEST_P(WindowOverKernel, TheBoardsButtonsLightLamps)
{
    createBoard();
    start();
    ASSERT_EQ(boards->order("buttons w 0x81"), "ok buttons w");
    EXPECT_TRUE(RunUntil([&] {
        return lamp(0) == app::INDICATOR_ON_COLOUR && lamp(7) == app::INDICATOR_ON_COLOUR;
    }));
    for (int k = 1; k < 7; ++k)
        EXPECT_EQ(lamp(k), app::INDICATOR_OFF_COLOUR) << k;
    ASSERT_EQ(boards->order("buttons w 0x00010000"), "ok buttons w");
    EXPECT_TRUE(RunUntil([&] { return lamp(16) == app::INDICATOR_ON_COLOUR; }));
    EXPECT_EQ(lamp(0), app::INDICATOR_OFF_COLOUR);
}

TEST_P(WindowOverKernel, TheSelfDiagnosticShowsTheBoardsReply)
{
    createBoard();
    start();
    ASSERT_EQ(boards->order("selftest w 7"), "ok selftest w");
    // The reply is read at once after the request; every press must find the board's answer.
    constexpr int kPresses = 10;
    for (int press = 0; press < kPresses; ++press) {
        control<QPushButton>("Selftest")->click();
        EXPECT_EQ(text("TestResult"), "Failed on B7") << "press " << press;
        EXPECT_EQ(text("Text1"), "0 7") << "press " << press;
    }
    // Each press sends the request and nothing else.
    EXPECT_TRUE(boards->waitForEventCount("w", "set", kPresses, std::chrono::seconds(2)));
    EXPECT_EQ(boards->featureReports("w"),
              std::vector<std::string>(kPresses, FeatureReportHex("00e1")))
        << "the board saw: " << ::testing::PrintToString(boards->events("w"));
}

TEST_P(WindowOverKernel, AnUnplugIsNoticedAndTheBoardReopenedWhenItReturns)
{
    createBoard();
    start();
    ASSERT_TRUE(window->connection().DeviceFound);
    ASSERT_TRUE(boards->waitForEventCount("w", "get", 8, std::chrono::seconds(2)));

    ASSERT_EQ(boards->order("unplug w"), "ok unplug w");
    auto *serNo = control<QComboBox>("SerNo");
    EXPECT_TRUE(RunUntil([&] {
        return !window->connection().DeviceFound
               && window->pollTimer().interval() == app::RECONNECT_INTERVAL_MS
               && serNo->count() == 0;
    }));
    EXPECT_EQ(text("SerNo"), "");

    ASSERT_FALSE(boards->replug("w").empty()) << boards->lastReply();
    EXPECT_TRUE(
        RunUntil([&] { return window->connection().DeviceFound && text("SerNo") == "W-1"; }));
    // The refresh of the reopened board reads its settings again; the next good read brings
    // the interval back.
    EXPECT_TRUE(boards->waitForEventCount("w", "get", 16, std::chrono::seconds(2)));
    EXPECT_TRUE(RunUntil([&] { return window->pollTimer().interval() == app::POLL_INTERVAL_MS; }));
}

TEST_P(WindowOverKernel, ABoardThatSendsNothingStaysOpen)
{
    createBoard("stream=onchange");
    start();
    ASSERT_TRUE(window->connection().DeviceFound);
    ASSERT_TRUE(boards->waitForEventCount("w", "get", 8, std::chrono::seconds(2)));
    const std::size_t opens = boards->eventCount("w", "open");
    bool stayedOpen = true;
    RunUntil(
        [&] {
            stayedOpen = stayedOpen && window->connection().DeviceFound;
            return false;
        },
        2500);
    EXPECT_TRUE(stayedOpen);
    // A reopen would have opened the node again and read the settings again.
    EXPECT_EQ(boards->eventCount("w", "open"), opens);
    EXPECT_EQ(boards->eventCount("w", "get"), 8u);
    EXPECT_EQ(window->pollTimer().interval(), app::POLL_INTERVAL_MS);
}

TEST_P(WindowOverKernel, ABoardArrivingWhileTheToolWaitsIsShownInTheNextTick)
{
    // Ticked by hand: without the kernel's notification no tick before the safety pass would
    // scan, so a board shown in the tick after it appeared was told of, not found by chance.
    platform = device::CreateNativeHidPlatform();
    auto manual = std::make_unique<app::ManualPollTimer>();
    window = std::make_unique<app::MainWindow>(*platform, std::move(manual));
    window->LoadMainWindow();
    ASSERT_FALSE(window->connection().DeviceFound);
    for (int i = 0; i < 5; ++i)
        window->PollInputReport();
    createBoard();
    window->PollInputReport();
    EXPECT_TRUE(window->connection().DeviceFound);
    EXPECT_EQ(text("SerNo"), "W-1");

    // Gone: the read notices. Back: the next tick reopens it.
    ASSERT_EQ(boards->order("unplug w"), "ok unplug w");
    EXPECT_TRUE(RunUntil([&] {
        window->PollInputReport();
        return !window->connection().DeviceFound;
    }));
    for (int i = 0; i < 3; ++i)
        window->PollInputReport();
    ASSERT_FALSE(window->connection().DeviceFound);
    ASSERT_FALSE(boards->replug("w").empty()) << boards->lastReply();
    window->PollInputReport();
    EXPECT_TRUE(window->connection().DeviceFound);
    EXPECT_EQ(text("SerNo"), "W-1");
}

// More reports queued than the tick's own read holds (1000 bytes, 15 of these) need reports
// longer than a uhid board's 8 bytes: USB boards only.
class UsbWindowOverKernel : public WindowOverKernel {};

TEST_P(UsbWindowOverKernel, TheButtonTestsTickLosesNoReportQueuedWhileTheWindowWasBusy)
{
    createBoard("stream=onchange input=64");
    platform = device::CreateNativeHidPlatform();
    window = std::make_unique<app::MainWindow>(*platform, std::make_unique<app::ManualPollTimer>());
    window->LoadMainWindow();
    window->PollInputReport();
    ASSERT_TRUE(window->connection().DeviceFound);
    control<QPushButton>("BtnTest")->click();
    // usbhid drops input for 50 ms after the node is opened.
    RunUntil([] { return false; }, 300);

    // Twenty taps while the window's loop is busy elsewhere: 40 reports wait in hidraw's queue,
    // and the tick comes before the notifier is served.
    ASSERT_TRUE(boards->order("taps w 3 20 5 10 10 1", std::chrono::seconds(30))
                    .starts_with("ok taps w changes=40 "))
        << boards->lastReply();
    window->PollInputReport();
    RunUntil([] { return false; }, 300);
    ASSERT_NE(window->buttonTest(), nullptr);
    EXPECT_EQ(window->buttonTest()->input(3).presses, 20u);
    EXPECT_EQ(window->buttonTest()->timing().reports, 40u);
}

INSTANTIATE_TEST_SUITE_P(Boards, WindowOverKernel, ::testing::Values(kUhid, kUsb),
                         [](const ::testing::TestParamInfo<BoardKind> &info) {
                             return std::string(info.param.name);
                         });
INSTANTIATE_TEST_SUITE_P(Boards, UsbWindowOverKernel, ::testing::Values(kUsb),
                         [](const ::testing::TestParamInfo<BoardKind> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace tamo::test

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
