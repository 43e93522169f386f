// SPDX-License-Identifier: GPL-3.0-or-later
// The poll: shows the newest input report on the lamps, and notices a board that has gone.
#include "main_window.h"

#include "drop_down_list.h"
#include "lamp_shape.h"
#include "text_box.h"

#include <utility>

namespace tamo::app {

void MainWindow::PollInputReport()
{
    bool lostThisTick = std::exchange(lostBetweenTicks_, false);
    if (connection_.DeviceFound) {
        // While the button test runs every report counts: after a busy moment this tick may
        // come before the notifier, and a read of the timer's size would drop the oldest.
        const config::InputPoll poll = session().PollInput(
            testRunning_ ? config::StreamReadBytes(connection_.Capabilities.InputReportByteLength)
                         : config::INPUT_READ_BYTES);
        if (testRunning_ && !poll.reports.empty())
            buttonTest_->addRead(poll.reports, Timer->steadyUs());
        // The newest report of this tick, whether this read or one as it arrived brought it.
        const std::optional<config::ButtonBytes> newest =
            poll.buttons ? poll.buttons : arrivedNewest_;
        arrivedNewest_.reset();
        if (newest) {
            Text2->setText("");
            for (std::size_t i = 0; !testRunning_ && i < newest->count; ++i)
                paintButtonByte(static_cast<int>(i), newest->values[i]);
        }
        if (poll.outcome == device::ReadOutcome::Failed) {
            closeConnection();
            lostThisTick = true;
        } else {
            Timer->setInterval(POLL_INTERVAL_MS);
        }
    }
    if (testRunning_)
        showButtonTestTick();
    if (!connection_.DeviceFound && fullPassDue(lostThisTick))
        ReconnectInThisTick();
}

bool MainWindow::fullPassDue(bool lostThisTick)
{
    return fullPasses_.due(static_cast<std::uint32_t>(Timer->interval()),
                           lostThisTick || !lastPassListedNothing_);
}

void MainWindow::paintButtonByte(int byteIndex, int value)
{
    if (value == LastButtonBytes[byteIndex])
        return;
    LastButtonBytes[byteIndex] = static_cast<std::int16_t>(value);
    for (int j = 0; j < 8; ++j) {
        const int k = 8 * byteIndex + j;
        const bool on = (value & BitMasks[j]) == BitMasks[j];
        Shape1[k]->setFillColourValue(on ? INDICATOR_ON_COLOUR : INDICATOR_OFF_COLOUR);
        setButtonLabelColourValue(k, on ? LABEL_ON_COLOUR : LABEL_OFF_COLOUR);
    }
}

void MainWindow::ReconnectInThisTick()
{
    ViewReady = false;
    Scan_USB_devices();
    connection_.DeviceFound = FindTheHid();
    RefreshDeviceView();
    // A board listed but not opened is tried again on the next tick, as a switch that failed.
    lastPassListedNothing_ = SerNo->count() == 0;
    fullPasses_.scanned();
    updateAccessNotice();
}

} // namespace tamo::app
