// SPDX-License-Identifier: GPL-3.0-or-later
// The button test in the lamp frame: while it runs, the open board's reports are read as they
// arrive, every press lights its lamp until the tick after (however short it was), released
// lamps show what the test found, and the findings are written under the lamps.
#include "main_window.h"

#include "drop_down_list.h"
#include "input_notifier.h"
#include "lamp_shape.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <utility>

namespace tamo::app {

namespace {

constexpr config::ButtonState kAllInputs = 0xFFFFFFFFu;
constexpr std::uint64_t kFindingsIntervalUs = 250'000;

QString Lines(const std::vector<std::string> &lines)
{
    QStringList text;
    for (const std::string &line : lines)
        text << QString::fromStdString(line);
    return text.join(QLatin1Char('\n'));
}

// What a screen reader hears of an input after its lamp's state. The English source picks
// its own singular; a translation gives the forms its language has for each.
QString Finding(const config::InputTally &tally)
{
    const int chatters = static_cast<int>(tally.chatters);
    const int presses = static_cast<int>(tally.presses);
    if (tally.chatters > 0)
        return (chatters == 1
                    ? MainWindow::tr("seen, chattered %n time, shortest gap %1", "", chatters)
                    : MainWindow::tr("seen, chattered %n times, shortest gap %1", "", chatters))
            .arg(QString::fromStdString(config::MillisecondsText(tally.shortestGapUs.value_or(0))));
    if (tally.seen)
        return presses == 1 ? MainWindow::tr("seen, %n press", "", presses)
                            : MainWindow::tr("seen, %n presses", "", presses);
    return MainWindow::tr("not seen yet");
}

} // namespace

void MainWindow::setButtonTestRunning(bool on)
{
    if (on == testRunning_)
        return;
    testRunning_ = on;
    //: The button that started the button test, while it runs. At most 96 pixels wide.
    BtnTest->setText(on ? tr("End test") : tr("Button test"));
    BtnTestReset->setEnabled(on);
    if (on) {
        shownTallies_.reset();
        buttonTest_.emplace();
        buttonTest_->start(shownButtons());
        syncTestEncoderPairs();
        litSinceTick_ = 0;
        arrivedNewest_.reset();
        startInputNotifier();
        BtnTestCopy->setEnabled(true);
        showButtonTestTick();
        return;
    }
    stopInputNotifier();
    arrivedNewest_.reset();
    // Back to the main view: every lamp as its button is now, the findings gone.
    const config::ButtonState pressed = buttonTest_->pressedNow();
    for (LampShape *lamp : Shape1)
        lamp->setTestFinding({});
    LastButtonBytes.fill(999);
    for (int i = 0; i < static_cast<int>(config::BUTTON_BYTES); ++i)
        paintButtonByte(i, static_cast<int>(pressed >> (8 * i) & 0xFF));
    lblTestResult->setText(buttonTestResultText().section(QLatin1Char('\n'), 0, 0)
                           + tr(" (ended)"));
}

config::ButtonState MainWindow::shownButtons() const
{
    config::ButtonState state = 0;
    for (int i = 0; i < static_cast<int>(config::BUTTON_BYTES); ++i)
        if (LastButtonBytes[i] >= 0 && LastButtonBytes[i] <= 0xFF)
            state |= static_cast<config::ButtonState>(LastButtonBytes[i]) << (8 * i);
    return state;
}

void MainWindow::ResetButtonTest()
{
    if (!testRunning_)
        return;
    const config::ButtonState pressed = buttonTest_->pressedNow();
    buttonTest_->reset();
    buttonTest_->start(pressed);
    litSinceTick_ = 0;
    shownTallies_.reset();
    showButtonTestTick();
}

QString MainWindow::buttonTestResultText() const
{
    if (!buttonTest_)
        return {};
    //: The first line of a copied button test result: "Board TB-000117, Tamo 32".
    QString heading = tr("Board %1").arg(SerNo->currentText());
    if (!lblProduct->text().trimmed().isEmpty())
        heading += QStringLiteral(", ") + lblProduct->text().trimmed();
    return heading + QLatin1Char('\n') + Lines(config::ButtonTestReport(*buttonTest_, kAllInputs));
}

void MainWindow::CopyButtonTestResult()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(buttonTestResultText() + QLatin1Char('\n'));
}

void MainWindow::startInputNotifier()
{
    if (!testRunning_ || !connection_.ReadHandle.valid() || inputNotifier_)
        return;
    inputNotifier_ = std::make_unique<InputNotifier>(platform_, connection_.ReadHandle,
                                                     [this] { ReadArrivedInput(); });
}

void MainWindow::stopInputNotifier()
{
    inputNotifier_.reset();
}

void MainWindow::syncTestEncoderPairs()
{
    if (!testRunning_)
        return;
    std::array<int, config::ENCODER_PAIRS> modes{};
    for (std::size_t p = 0; p < modes.size(); ++p)
        modes[p] = Enc[p]->listIndex();
    config::ButtonTestOptions options = buttonTest_->options();
    options.encoderPairs = config::EncoderPairsOf(modes);
    buttonTest_->setOptions(options);
}

void MainWindow::ReadArrivedInput()
{
    if (!connection_.DeviceFound || !testRunning_)
        return;
    const config::InputPoll poll = session().PollInput(
        config::StreamReadBytes(connection_.Capabilities.InputReportByteLength));
    if (!poll.reports.empty()) {
        buttonTest_->addRead(poll.reports, Timer->steadyUs());
        arrivedNewest_ = poll.buttons;
        litSinceTick_ |= buttonTest_->takePressedSinceLastLook();
        paintTestLamps();
    }
    // Noticed at once, not at the next tick; the notifier goes with the handles.
    if (poll.outcome == device::ReadOutcome::Failed) {
        closeConnection();
        lostBetweenTicks_ = true;
    }
}

void MainWindow::paintTestLamps()
{
    const config::ButtonState lit = buttonTest_->pressedNow() | litSinceTick_;
    const config::ButtonState seen = buttonTest_->seen();
    const config::ButtonState chattered = buttonTest_->chattered();
    for (int k = 0; k < BUTTON_COUNT; ++k) {
        const config::ButtonState bit = config::ButtonState{1} << k;
        const std::uint32_t fill = (lit & bit)         ? INDICATOR_ON_COLOUR
                                   : (chattered & bit) ? INDICATOR_CHATTER_COLOUR
                                   : (seen & bit)      ? INDICATOR_SEEN_COLOUR
                                                       : INDICATOR_OFF_COLOUR;
        if (Shape1[k]->fillColourValue() == fill)
            continue;
        Shape1[k]->setFillColourValue(fill);
        setButtonLabelColourValue(k, (lit & bit) ? LABEL_ON_COLOUR : LABEL_OFF_COLOUR);
    }
}

void MainWindow::showButtonTestTick()
{
    litSinceTick_ |= buttonTest_->takePressedSinceLastLook();
    paintTestLamps();
    litSinceTick_ = 0;
    // The findings are written when an input's tally moved, and the report rate a few times a
    // second: laying out the wrapped text on every tick of a streaming board costs more than
    // the count itself.
    std::uint64_t presses = 0;
    for (int k = 1; k <= BUTTON_COUNT; ++k)
        presses += buttonTest_->input(k).presses + buttonTest_->input(k).chatters;
    const std::array<std::uint64_t, 3> tallies{buttonTest_->seen(), buttonTest_->chattered(),
                                               presses};
    const std::uint64_t now = Timer->steadyUs();
    if (tallies == shownTallies_ && now - findingsShownUs_ < kFindingsIntervalUs)
        return;
    shownTallies_ = tallies;
    findingsShownUs_ = now;
    for (int k = 0; k < BUTTON_COUNT; ++k)
        Shape1[k]->setTestFinding(Finding(buttonTest_->input(k + 1)),
                                  buttonTest_->input(k + 1).seen);
    const QString shown = Lines(config::ButtonTestReport(*buttonTest_, kAllInputs, false));
    if (lblTestResult->text() != shown)
        lblTestResult->setText(shown);
}

} // namespace tamo::app
