// The writers that send a changed setting to the board, and the self-diagnostic.
#include "main_window.h"

#include "command_report.h"
#include "drop_down_list.h"
#include "encoder_modes.h"
#include "self_test.h"
#include "text_box.h"

#include <QLabel>

namespace tamo::app {

bool MainWindow::sendConditionHolds() const
{
    return connection_.DeviceFound && connection_.ViewReady;
}

void MainWindow::SendCommandReport(std::uint8_t code, std::uint8_t argument)
{
    const std::vector<std::uint8_t> report = config::BuildCommandReport(
        connection_.Capabilities.FeatureReportByteLength, code, argument);
    if (report.empty())
        return;
    connection_.LastResult = platform_.HidD_SetFeature(connection_.FeatureHandle, report);
}

void MainWindow::SendEncoderModes()
{
    if (!sendConditionHolds())
        return;
    std::array<int, config::ENCODER_PAIRS_LOW_GROUP> indexes{};
    for (std::size_t k = 0; k < indexes.size(); ++k)
        indexes[k] = Enc[k]->listIndex();
    const config::EncoderBitmaps bitmaps = config::EncoderModeBitmaps(indexes);
    SendCommandReport(config::CMD_ENC_MODE_LOW, bitmaps.low);
    SendCommandReport(config::CMD_ENC_MODE_HIGH, bitmaps.high);
}

void MainWindow::SendEncoderModes9_10()
{
    if (!sendConditionHolds())
        return;
    const config::EncoderBitmaps bitmaps =
        config::EncoderModeBitmaps9_10(Enc[8]->listIndex(), Enc[9]->listIndex());
    SendCommandReport(config::CMD_ENC_MODE_LOW_9_10, bitmaps.low);
    SendCommandReport(config::CMD_ENC_MODE_HIGH_9_10, bitmaps.high);
}

void MainWindow::SendPulseLength()
{
    if (!sendConditionHolds())
        return;
    SendCommandReport(config::CMD_PULSE_LENGTH, static_cast<std::uint8_t>(Delay->listIndex() + 1));
}

void MainWindow::SendAInputMode()
{
    if (!sendConditionHolds())
        return;
    SendCommandReport(config::CMD_A_INPUT_MODE, static_cast<std::uint8_t>(RotStart->listIndex()));
}

void MainWindow::RunSelfDiagnostic()
{
    if (!connection_.DeviceFound)
        return;
    const std::uint16_t length = connection_.Capabilities.FeatureReportByteLength;
    const std::vector<std::uint8_t> request = config::BuildSelfTestRequest(length);
    std::vector<std::uint8_t> reply(length, 0);
    bool transfersSucceeded = false;
    if (!request.empty()) {
        connection_.LastResult = platform_.HidD_SetFeature(connection_.FeatureHandle, request);
        const bool sent = connection_.LastResult.ok;
        reply[0] = 0x00;
        connection_.LastResult = platform_.HidD_GetFeature(connection_.FeatureHandle, reply);
        transfersSucceeded = sent && connection_.LastResult.ok;
    }
    const config::SelfTestDisplay display = config::SelfTestResult(reply, transfersSucceeded);
    TestResult->setText(QString::fromStdString(display.testResult));
    Text1->setText(display.text1);
}

} // namespace tamo::app
