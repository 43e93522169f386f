// SPDX-License-Identifier: GPL-3.0-or-later
// The writers that send a changed setting to the board, and the self-diagnostic.
#include "main_window.h"

#include "drop_down_list.h"
#include "text_box.h"

#include <QLabel>

namespace tamo::app {

bool MainWindow::sendConditionHolds() const
{
    return connection_.DeviceFound && ViewReady;
}

void MainWindow::SendEncoderModes()
{
    if (!sendConditionHolds())
        return;
    std::array<int, config::ENCODER_PAIRS_LOW_GROUP> indexes{};
    for (std::size_t k = 0; k < indexes.size(); ++k)
        indexes[k] = Enc[k]->listIndex();
    session().SendEncoderModes(indexes);
    syncTestEncoderPairs();
}

void MainWindow::SendEncoderModes9_10()
{
    if (!sendConditionHolds())
        return;
    session().SendEncoderModes9_10(Enc[8]->listIndex(), Enc[9]->listIndex());
    syncTestEncoderPairs();
}

void MainWindow::SendPulseLength()
{
    if (!sendConditionHolds())
        return;
    session().SendPulseLength(Delay->listIndex());
}

void MainWindow::SendAInputMode()
{
    if (!sendConditionHolds())
        return;
    session().SendAInputMode(RotStart->listIndex());
}

void MainWindow::RunSelfDiagnostic()
{
    if (!connection_.DeviceFound)
        return;
    const config::SelfTestDisplay display = session().RunSelfTest();
    TestResult->setText(QString::fromStdString(display.testResult));
    Text1->setText(display.text1);
}

} // namespace tamo::app
