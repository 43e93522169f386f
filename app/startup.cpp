// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with the lamp grid, board selection and shut-down.
#include "main_window.h"

#include "drop_down_list.h"
#include "lamp_shape.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <cmath>

namespace tamo::app {

namespace {
constexpr int kGridColumns = 8;
constexpr int kHorizontalGaps = 9;
constexpr int kVerticalLampHeights = 16;
constexpr int kVerticalGaps = 19;
constexpr double kFirstRowGaps = 2.5;
constexpr double kLabelOffsetOfLampHeight = 0.25;
constexpr std::int16_t kNoButtonByteYet = 999;
} // namespace

void MainWindow::LoadMainWindow()
{
    for (std::size_t j = 0; j < BitMasks.size(); ++j)
        BitMasks[j] = static_cast<std::uint16_t>(1u << j);
    ViewReady = false;
    ListReady = false;
    show();
    BuildIndicatorGrid();
    LastButtonBytes.fill(kNoButtonByteYet);
    // Changes before the first scan are what the scan finds; only later ones are news.
    fullPasses_.forgetChanges();
    Scan_USB_devices();
    connection_.DeviceFound = FindTheHid();
    RefreshDeviceView();
    lastPassListedNothing_ = SerNo->count() == 0;
    updateAccessNotice();
    Timer->setEnabled(true);
}

void MainWindow::BuildIndicatorGrid()
{
    // Sizes in twips, read back from the designed controls.
    const double frameWidth = ButtonsFrame->width() * TWIPS_PER_PIXEL;
    const double frameHeight = ButtonsFrame->height() * TWIPS_PER_PIXEL;
    const double lampWidth = Shape1[0]->width() * TWIPS_PER_PIXEL;
    const double lampHeight = Shape1[0]->height() * TWIPS_PER_PIXEL;
    const double labelHeight = BtnLbl[0]->height() * TWIPS_PER_PIXEL;
    const double h = (frameWidth - kGridColumns * lampWidth) / kHorizontalGaps;
    const double v = (frameHeight - kVerticalLampHeights * lampHeight) / kVerticalGaps;
    const double columnPitch = lampWidth + h;
    const double rowPitch = lampHeight + v;

    for (int k = 1; k < BUTTON_COUNT; ++k) {
        auto *label = new QLabel(ButtonsFrame);
        label->setObjectName(BtnLbl[0]->objectName());
        label->setAlignment(BtnLbl[0]->alignment());
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setGeometry(BtnLbl[0]->geometry());
        label->setProperty("index", k);
        label->hide();
        BtnLbl.push_back(label);
        btnLblColour_.push_back(0);
        setButtonLabelColourValue(k, btnLblColour_[0]);

        auto *lamp = new LampShape(ButtonsFrame);
        lamp->setObjectName(Shape1[0]->objectName());
        lamp->setGeometry(Shape1[0]->geometry());
        lamp->setOutlineColourValue(Shape1[0]->outlineColourValue());
        lamp->setFillColourValue(Shape1[0]->fillColourValue());
        lamp->setProperty("index", k);
        lamp->setAccessibleName(tr("Button %1").arg(k + 1));
        lamp->hide();
        Shape1.push_back(lamp);
    }
    const auto lampLeft = [&](int k) {
        return h + (k % kGridColumns) * columnPitch;
    };
    const auto lampTop = [&](int k) {
        return kFirstRowGaps * v + std::floor(k / kGridColumns) * rowPitch;
    };
    for (int k = 0; k < BUTTON_COUNT; ++k) {
        Shape1[k]->setGeometry(TwipsRect(lampLeft(k), lampTop(k), lampWidth, lampHeight));
        Shape1[k]->show();
    }
    for (int k = 0; k < BUTTON_COUNT; ++k) {
        BtnLbl[k]->setGeometry(TwipsRect(lampLeft(k),
                                         lampTop(k) + lampHeight * kLabelOffsetOfLampHeight,
                                         lampWidth, labelHeight));
        BtnLbl[k]->setText(QString::number(k + 1));
        BtnLbl[k]->show();
        BtnLbl[k]->raise();
    }
}

void MainWindow::SelectBoard()
{
    if (!ListReady)
        return;
    Timer->setEnabled(false);
    if (connection_.DeviceFound)
        closeConnection();
    ViewReady = false;
    connection_.DeviceFound = FindTheHid();
    RefreshDeviceView();
    // A pick that found nothing is followed by a full pass in the next tick.
    lastPassListedNothing_ = false;
    updateAccessNotice();
    Timer->setEnabled(true);
}

void MainWindow::UnloadMainWindow()
{
    Timer->setEnabled(false);
    ListReady = false;
    stopInputNotifier();
    // The window is going; nothing may use the handles again.
    board_.Close();
    ViewReady = false;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    UnloadMainWindow();
    event->accept();
}

} // namespace tamo::app
