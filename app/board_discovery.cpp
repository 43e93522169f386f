// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery as the window shows it: the boards' serial numbers in SerNo, the search for the one
// SerNo shows, the capabilities report in Text4, and closing the connection.
#include "main_window.h"

#include "drop_down_list.h"
#include "serial_text.h"
#include "text_box.h"

namespace tamo::app {

void MainWindow::Scan_USB_devices()
{
    ListReady = false;
    if (SerNo->count() > 0)
        SerNo->clear();
    SerNo->setEnabled(false);
    device::Discovery d = discovery();
    const std::vector<device::SerialNumber> serials = device::Scan_USB_devices(d);
    // Each selection raises SerNo's click, which SelectBoard ignores while ListReady is false.
    for (std::size_t i = 0; i < serials.size(); ++i) {
        SerNo->insertItem(static_cast<int>(i), SerialText(serials[i]));
        SerNo->setListIndex(static_cast<int>(i));
    }
    if (serials.size() > 1)
        SerNo->setEnabled(true);
    ListReady = true;
}

bool MainWindow::FindTheHid()
{
    const device::SearchResult result = board_.Open(SerialBytes(SerNo->currentText()));
    if (!result.capabilitiesReport.empty())
        Text4->setText(result.capabilitiesReport);
    if (result.found)
        startInputNotifier();
    return result.found;
}

void MainWindow::closeConnection()
{
    stopInputNotifier();
    board_.Close();
    ViewReady = false;
    Timer->setInterval(RECONNECT_INTERVAL_MS);
}

device::Discovery MainWindow::discovery()
{
    return board_.Discovery();
}

config::BoardSession MainWindow::session()
{
    return board_.Session();
}

} // namespace tamo::app
