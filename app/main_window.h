// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain: the tool's one window. It owns the controls, the board connection and the input
// monitor's tables; its handlers read the controls, call the layers below and write the
// controls back.
#pragma once

#include "board_connection.h"
#include "board_session.h"
#include "button_test.h"
#include "capabilities.h"
#include "discovery.h"
#include "inaccessible_boards.h"
#include "lamp_colours.h"
#include "open_board.h"
#include "poll_timer.h"
#include "scan_gate.h"
#include "settings_file.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;

namespace tamo::app {

class DropDownList;
class InputNotifier;
class LampShape;
class RuleLine;
class TextBox;

inline constexpr int BUTTON_COUNT = config::BUTTON_COUNT;
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Without a timer the window polls on a real QTimer; a scenario passes its own and ticks
    // it by hand.
    explicit MainWindow(device::HidPlatform &platform, std::unique_ptr<PollTimer> timer = nullptr);
    ~MainWindow() override;

    // The load handler: runs once, after construction.
    void LoadMainWindow();
    // The tick handler of Timer.
    void PollInputReport();

    const device::BoardConnection &connection() const { return connection_; }
    bool viewReady() const { return ViewReady; }
    PollTimer &pollTimer() { return *Timer; }
    LampShape *lamp(int index) const;
    QLabel *buttonLabel(int index) const;
    int lampCount() const { return static_cast<int>(Shape1.size()); }
    std::uint32_t buttonLabelColourValue(int index) const;
    // The button test while it runs, and its last result after it ended; null before.
    const config::ButtonTest *buttonTest() const { return buttonTest_ ? &*buttonTest_ : nullptr; }
    bool buttonTestRunning() const { return testRunning_; }
    // The result as Copy result puts it on the clipboard.
    QString buttonTestResultText() const;

    // Where the window learns of boards of the family that discovery skips because they cannot
    // be opened; without a source it has nothing to say of them.
    void
    setInaccessibleBoardsSource(std::function<std::vector<device::InaccessibleBoard>()> source);
    // What the window says of them while no board is open, one line a board; empty otherwise.
    QString accessNotice() const { return accessNotice_; }

    // The File menu's work on the open board; each result says what to tell the user.
    struct FileActionResult {
        bool ok = false;
        bool cancelled = false; // the user said no; nothing was sent
        QString summary;
        QString details;
    };
    // What tamo save writes, read from the board itself, written in place of path at once.
    FileActionResult saveSettings(const QString &path);
    // What tamo load does: the whole file checked first, confirm asked (with the differences)
    // when it came from another board, then sent, read back and compared; the lists then show
    // what the board holds.
    FileActionResult loadSettings(const QString &path,
                                  const std::function<bool(const QString &)> &confirm);
    // The open board's settings onto every other attached board in turn: one line each.
    FileActionResult copySettingsToOtherBoards();
    // The open board as a bug report names it; "No board is open." without one.
    QString boardDetails() const;
    QPushButton *selfTestButton() const { return Selftest; }
    QPushButton *buttonTestButton() const { return BtnTest; }

signals:
    void accessNoticeChanged(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createDeviceDetails();
    void createEncoderFrame();
    void createButtonsFrame();
    void setTabOrder();
    void setLabelColourValue(QLabel *label, std::uint32_t value);
    void setButtonLabelColourValue(int index, std::uint32_t value);

    // Start-up and shut-down.
    void BuildIndicatorGrid();
    void UnloadMainWindow();
    // Board selection: the click handler of SerNo.
    void SelectBoard();
    void ReconnectInThisTick();
    // With no board open: whether this tick must scan, search and refresh, or whether their
    // result would be the same as the last full pass.
    bool fullPassDue(bool lostThisTick);
    // After a full pass or a pick: the notice of boards that cannot be opened.
    void updateAccessNotice();
    void paintButtonByte(int byteIndex, int value);

    // The button test: every report read as it arrives, every press shown and counted.
    void createButtonTestControls();
    void setButtonTestRunning(bool on);
    void ResetButtonTest();
    void CopyButtonTestResult();
    void ReadArrivedInput();
    void startInputNotifier();
    void stopInputNotifier();
    void syncTestEncoderPairs();
    void paintTestLamps();
    // The buttons as the main view shows them.
    config::ButtonState shownButtons() const;
    void showButtonTestTick();

    // Discovery as the window shows it: the scan fills SerNo, the search opens the board it
    // shows and writes Text4; closing sets the reconnect interval.
    void Scan_USB_devices();
    bool FindTheHid();
    void closeConnection();

    // Device view.
    void RefreshDeviceView();
    void emptyDeviceView();
    void loadDeviceView();
    void ReadBackConfiguration();
    // The lists show settings; the caller holds ViewReady false.
    void showSettings(const config::ConfigurationSettings &settings);

    // Settings writers and the self-diagnostic.
    bool sendConditionHolds() const;
    void SendEncoderModes();
    void SendEncoderModes9_10();
    void SendPulseLength();
    void SendAInputMode();
    void RunSelfDiagnostic();

    device::Discovery discovery();
    config::BoardSession session();

    device::HidPlatform &platform_;
    device::ScanGate fullPasses_;
    // The identity of the open board as a file names it.
    settings_file::SourceBoard openBoardSource();
    // The open board's settings by their list items; empty with why when they cannot be.
    std::optional<config::SettingsRequest> openBoardSettings(QString &why);

    // The last full pass listed no board.
    bool lastPassListedNothing_ = false;
    config::OpenBoard board_;
    device::BoardConnection &connection_ = board_.Connection();
    // The settings lists show the board's values, so user changes may be sent.
    bool ViewReady = false;
    // SerNo holds a complete list.
    bool ListReady = false;
    std::array<std::uint16_t, 8> BitMasks{};
    std::array<std::int16_t, 21> LastButtonBytes{};

    // Controls, named as designed.
    QPushButton *BtnDefaults = nullptr;
    TextBox *Text4 = nullptr;
    TextBox *Text3 = nullptr;
    QGroupBox *ButtonsFrame = nullptr;
    TextBox *Text2 = nullptr;
    QPushButton *Selftest = nullptr;
    DropDownList *RotStart = nullptr;
    TextBox *Text1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *TestResult = nullptr;
    QLabel *Label22 = nullptr;
    DropDownList *SerNo = nullptr;
    std::unique_ptr<PollTimer> Timer;
    QLabel *lblSerialNumber = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblProduct = nullptr;
    QLabel *lblManuf = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    // Enc[0] is Enc1; EncLabel[0] is Label6, captioned "B1 + B2".
    std::array<DropDownList *, 10> Enc{};
    std::array<QLabel *, 10> EncLabel{};
    DropDownList *Delay = nullptr;
    RuleLine *Line1 = nullptr;
    QLabel *Label1 = nullptr;
    std::vector<LampShape *> Shape1;
    std::vector<QLabel *> BtnLbl;
    std::vector<std::uint32_t> btnLblColour_;

    QPushButton *BtnTest = nullptr;
    QPushButton *BtnTestReset = nullptr;
    QPushButton *BtnTestCopy = nullptr;
    QLabel *lblTestResult = nullptr;
    std::optional<config::ButtonTest> buttonTest_;
    bool testRunning_ = false;
    std::unique_ptr<InputNotifier> inputNotifier_;
    // Pressed at some moment since the last tick: lit until the tick after.
    config::ButtonState litSinceTick_ = 0;
    // The newest report read as it arrived since the last tick, for the tick to show.
    std::optional<config::ButtonBytes> arrivedNewest_;
    // What the findings last written showed (inputs seen, chattered, presses), and when.
    std::optional<std::array<std::uint64_t, 3>> shownTallies_;
    std::uint64_t findingsShownUs_ = 0;
    // The board went between two ticks; the next tick treats it as lost in that tick.
    bool lostBetweenTicks_ = false;
    std::function<std::vector<device::InaccessibleBoard>()> inaccessibleBoards_;
    QString accessNotice_;
};

} // namespace tamo::app
