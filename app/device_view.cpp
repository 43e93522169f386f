// SPDX-License-Identifier: GPL-3.0-or-later
// The view refresh: the window brought into line with the open board, or emptied, and the
// board's settings read back into the lists.
#include "main_window.h"

#include "device_texts.h"
#include "drop_down_list.h"
#include "setting_texts.h"
#include "text_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <vector>

namespace tamo::app {

namespace {
QString Latin1(const std::string &text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

void MainWindow::RefreshDeviceView()
{
    Text3->setText(config::CapabilitiesText(connection_.Capabilities));
    ViewReady = false;
    emptyDeviceView();
    if (!connection_.DeviceFound)
        return;
    loadDeviceView();
    Text1->setText("");
    ReadBackConfiguration();
    ViewReady = true;
    syncTestEncoderPairs();
}

void MainWindow::emptyDeviceView()
{
    // What is empty already is left alone: rewriting it would repaint an unchanged view on
    // every scan while no board is open.
    const auto clearLabel = [](QLabel *label) {
        if (!label->text().isEmpty())
            label->clear();
    };
    const auto emptyList = [](DropDownList *list) {
        if (list->count() > 0)
            list->clear();
    };
    clearLabel(lblManuf);
    clearLabel(lblProduct);
    clearLabel(lblVersion);
    for (DropDownList *list : Enc) {
        emptyList(list);
        list->setEnabled(false);
    }
    Frame3->setEnabled(false);
    Delay->setEnabled(false);
    emptyList(Delay);
    Label1->setEnabled(false);
    for (QLabel *label : EncLabel)
        label->setEnabled(false);
    RotStart->setEnabled(false);
    emptyList(RotStart);
    Selftest->setEnabled(false);
    clearLabel(TestResult);
}

void MainWindow::loadDeviceView()
{
    const config::BoardIdentity identity = session().ReadIdentity();
    // The version is shown with the manufacturer: a board that gives none shows neither.
    if (identity.manufacturer) {
        lblManuf->setText(Latin1(*identity.manufacturer));
        lblVersion->setText(Latin1(identity.version));
    }
    if (identity.product)
        lblProduct->setText(Latin1(*identity.product));
    Frame1->setEnabled(true);

    // The order of adds and selections is the board's view of the refresh: every selection
    // raises a click that the writers ignore while ViewReady is false.
    for (DropDownList *list : Enc) {
        list->addItem(EncoderModeText(0));
        list->addItem(EncoderModeText(1));
        list->setListIndex(0);
        list->setEnabled(true);
    }
    Frame3->setEnabled(true);
    Delay->setEnabled(true);
    Label1->setEnabled(true);
    for (QLabel *label : EncLabel)
        label->setEnabled(true);
    for (const std::string &item : config::PulseLengthItems())
        Delay->addItem(Latin1(item));
    Delay->setListIndex(config::PULSE_LENGTH_DEFAULT_INDEX);
    for (DropDownList *list : Enc) {
        list->addItem(EncoderModeText(2));
        list->addItem(EncoderModeText(3));
    }
    for (int item = 0; item < static_cast<int>(config::A_INPUT_MODE_ITEMS.size()); ++item)
        RotStart->addItem(AInputModeText(item));
    RotStart->setListIndex(0);
    RotStart->setEnabled(true);
    Label22->setEnabled(true);
    Selftest->setEnabled(true);
    TestResult->setEnabled(true);
}

void MainWindow::ReadBackConfiguration()
{
    if (const std::optional<config::ConfigurationSettings> settings =
            session().ReadBackConfiguration())
        showSettings(*settings);
}

void MainWindow::showSettings(const config::ConfigurationSettings &settings)
{
    for (std::size_t k = 0; k < Enc.size(); ++k)
        Enc[k]->setListIndex(settings.encoderModes[k]);
    Delay->setListIndex(config::PulseLengthSelection(settings.pulseLength, Delay->count()));
    RotStart->setListIndex(config::AInputModeSelection(settings.aInputMode, RotStart->count()));
}

} // namespace tamo::app
