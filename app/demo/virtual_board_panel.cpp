// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_board_panel.h"

#include "configuration_reply.h"
#include "device_texts.h"
#include "setting_texts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tamo::app {

namespace {
constexpr int kButtons = 32;
constexpr int kColumns = 8;
constexpr int kRefreshMs = 200;
} // namespace

VirtualBoardPanel::VirtualBoardPanel(sim::VirtualHidPlatform &platform, std::vector<int> boards,
                                     QWidget *parent)
    : QWidget(parent)
    , platform_(platform)
{
    setObjectName(QStringLiteral("VirtualBoardPanel"));
    setWindowTitle(tr("Virtual boards"));
    auto *tabs = new QTabWidget(this);
    for (int device : boards) {
        BoardControls controls;
        controls.device = device;
        boards_.push_back(controls);
    }
    for (BoardControls &controls : boards_) {
        const QString serial = QString::fromStdU16String(
            platform_.definition(controls.device).serialNumber.value_or(u"?"));
        tabs->addTab(createBoardPage(controls), serial);
    }
    // The window opens the board listed last; its page comes up first.
    tabs->setCurrentIndex(tabs->count() - 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    setMaximumWidth(600);

    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { refresh(); });
    timer->start(kRefreshMs);
    refresh();
}

QWidget *VirtualBoardPanel::createBoardPage(BoardControls &controls)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    const int device = controls.device;

    auto *buttonsBox = new QGroupBox(tr("Buttons (click to press, click again to release)"));
    auto *grid = new QGridLayout(buttonsBox);
    for (int n = 1; n <= kButtons; ++n) {
        auto *button = new QPushButton(QString::number(n));
        button->setCheckable(true);
        button->setFixedWidth(48);
        connect(button, &QPushButton::toggled, this, [this, device, n](bool down) {
            sim::BoardModel *board = platform_.board(device);
            const std::uint32_t bit = 1u << (n - 1);
            board->setButtons(down ? (board->buttons() | bit) : (board->buttons() & ~bit));
            // As a real board's report reaches a window that reads each one as it arrives.
            platform_.deliverInputReports();
        });
        grid->addWidget(button, (n - 1) / kColumns, (n - 1) % kColumns);
        controls.buttons.push_back(button);
    }
    layout->addWidget(buttonsBox);

    auto *form = new QFormLayout;
    controls.plug = new QPushButton(tr("Unplug"));
    connect(controls.plug, &QPushButton::clicked, this, [this, device] {
        platform_.isPlugged(device) ? platform_.unplug(device) : platform_.plug(device);
        refresh();
    });
    //: The row of the virtual board's plug: the bus it hangs on.
    form->addRow(tr("USB"), controls.plug);

    controls.selfTest = new QSpinBox;
    controls.selfTest->setRange(0, 255);
    //: The self-test answer 0, which means the board passed its self-test.
    controls.selfTest->setSpecialValueText(tr("0 (passes)"));
    connect(controls.selfTest, &QSpinBox::valueChanged, this, [this, device](int value) {
        platform_.board(device)->setSelfTestResult(static_cast<std::uint8_t>(value));
    });
    form->addRow(tr("Self-test answer"), controls.selfTest);

    controls.streaming = new QCheckBox(tr("stream a report every 10 ms"));
    controls.streaming->setChecked(platform_.board(device)->inputMode()
                                   == sim::InputMode::Streaming);
    connect(controls.streaming, &QCheckBox::toggled, this, [this, device](bool on) {
        platform_.board(device)->setInputMode(on ? sim::InputMode::Streaming
                                                 : sim::InputMode::OnChange);
    });
    form->addRow(tr("Input reports"), controls.streaming);

    controls.settings = new QLabel;
    controls.settings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(tr("Settings held"), controls.settings);
    layout->addLayout(form);
    return page;
}

QString VirtualBoardPanel::storedSettingsText(int device) const
{
    const sim::BoardModel *board = const_cast<sim::VirtualHidPlatform &>(platform_).board(device);
    // The settings as the tool would read them back from the board.
    std::vector<std::uint8_t> reply(config::CONFIGURATION_REPLY_MIN_LENGTH, 0);
    for (std::size_t i = 0; i < board->settings().arguments.size(); ++i)
        reply[config::REPLY_ENC_MODE_LOW + i] = board->settings().arguments[i];
    const auto settings = config::DecodeConfigurationReply(reply);
    if (!settings)
        return {};
    QStringList encoders;
    for (std::size_t k = 0; k < settings->encoderModes.size(); ++k) {
        encoders << QStringLiteral("B%1+B%2 %3")
                        .arg(2 * k + 1)
                        .arg(2 * k + 2)
                        .arg(EncoderModeText(settings->encoderModes[k]));
    }
    const std::vector<std::string> pulses = config::PulseLengthItems();
    const int pulse =
        config::PulseLengthSelection(settings->pulseLength, static_cast<int>(pulses.size()));
    const int mode = config::AInputModeSelection(
        settings->aInputMode, static_cast<int>(config::A_INPUT_MODE_ITEMS.size()));
    return tr("%1\n%2\nPulse length: %3\n\"A\" input: %4")
        .arg(encoders.mid(0, 5).join(QStringLiteral(", ")),
             encoders.mid(5).join(QStringLiteral(", ")),
             //: The pulse length a board holds when it holds none of the list's.
             pulse < 0 ? tr("none") : QString::fromStdString(pulses[pulse]), AInputModeText(mode));
}

void VirtualBoardPanel::refresh()
{
    for (BoardControls &controls : boards_) {
        controls.plug->setText(platform_.isPlugged(controls.device) ? tr("Unplug") : tr("Plug in"));
        controls.settings->setText(storedSettingsText(controls.device));
        const std::uint32_t held = platform_.board(controls.device)->buttons();
        for (int n = 1; n <= kButtons; ++n) {
            QPushButton *button = controls.buttons[n - 1];
            const QSignalBlocker quiet(button);
            button->setChecked((held >> (n - 1)) & 1u);
        }
    }
}

} // namespace tamo::app
