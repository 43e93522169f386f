// The poll: reads the board's queued input reports, shows the newest one on the lamps, and
// notices a board that has gone.
#include "main_window.h"

#include "lamp_shape.h"
#include "text_box.h"

#include <algorithm>
#include <vector>

namespace tamo::app {

namespace {
// Buttons 1 to 32 are report bytes 3 to 6.
constexpr std::size_t kFirstButtonByte = 3;
constexpr int kButtonBytes = 4;
} // namespace

void MainWindow::PollInputReport()
{
    if (connection_.DeviceFound) {
        std::vector<std::uint8_t> buffer(INPUT_READ_BYTES + 1, 0);
        std::uint32_t bytesRead = 0;
        const device::ReadResult read =
            platform_.ReadFile(connection_.ReadHandle, std::span(buffer).first(INPUT_READ_BYTES),
                               bytesRead, connection_.ReadOverlapped);
        connection_.LastResult = read;
        bytesRead = std::min(bytesRead, INPUT_READ_BYTES);
        const std::size_t reportLength = connection_.Capabilities.InputReportByteLength;
        // Only the newest whole report counts; one that does not fit in what was read, or a
        // board that declares no input report, decodes nothing.
        if (read.outcome == device::ReadOutcome::Reports && reportLength > 0
            && bytesRead >= reportLength) {
            Text2->setText("");
            const auto newest = std::span(buffer).subspan(bytesRead - reportLength, reportLength);
            for (int i = 0; i < kButtonBytes && kFirstButtonByte + i < newest.size(); ++i)
                paintButtonByte(i, newest[kFirstButtonByte + i]);
        }
        if (read.outcome == device::ReadOutcome::Failed)
            device::CloseConnection(platform_, connection_, *Timer);
        else
            Timer->setInterval(device::POLL_INTERVAL_MS);
    }
    if (!connection_.DeviceFound)
        ReconnectInThisTick();
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
    connection_.ViewReady = false;
    device::Discovery d = discovery();
    device::Scan_USB_devices(d);
    connection_.DeviceFound = device::FindTheHid(d);
    RefreshDeviceView();
}

} // namespace tamo::app
