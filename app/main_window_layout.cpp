// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls as designed: names, captions, geometry in twips, fonts, colours, tab
// order and the state each has before any start-up code runs.
#include "main_window.h"

#include "accessibility.h"
#include "app_font.h"
#include "colour_value.h"
#include "drop_down_list.h"
#include "input_notifier.h"
#include "lamp_shape.h"
#include "qt_poll_timer.h"
#include "setting_names.h"
#include "text_box.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tamo::app {

namespace {

inline constexpr int CLIENT_WIDTH_TWIPS = 8850;
inline constexpr int CLIENT_HEIGHT_TWIPS = 8505;

template<typename Control>
Control *Place(Control *control, const char *name, double left, double top, double width,
               double height, bool enabled, bool designFont = true)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(TwipsRect(left, top, width, height));
    control->setEnabled(enabled);
    if (designFont)
        control->setFont(DesignFont());
    return control;
}

QLabel *MakeLabel(QWidget *parent, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QGroupBox *MakeFrame(QWidget *parent, const QString &caption)
{
    return new QGroupBox(caption, parent);
}

// The words a screen reader says for a control whose design name or caption is not one.
template<typename Control>
Control *Named(Control *control, const QString &accessibleName)
{
    control->setAccessibleName(accessibleName);
    return control;
}

// Qt names a list by its shown item on Linux and takes the list's caption from a label that
// names it as its buddy; elsewhere it uses the list's own accessible name. Both say the same.
void Captions(QLabel *label, QWidget *list)
{
    label->setAccessibleName(list->accessibleName());
    label->setBuddy(list);
}

} // namespace

MainWindow::MainWindow(device::HidPlatform &platform, std::unique_ptr<PollTimer> timer)
    : platform_(platform)
    , fullPasses_(platform.WatchDeviceChanges(), SAFETY_PASS_MS)
    , board_(platform)
    , Timer(std::move(timer))
{
    setObjectName(QStringLiteral("frmMain"));
    //: The window's title: the product word and the board family's name, kept as they are.
    setWindowTitle(tr("Tamo - micro Velbrin"));
    setWindowIcon(AppIcon());
    resize(TwipsToPixels(CLIENT_WIDTH_TWIPS), TwipsToPixels(CLIENT_HEIGHT_TWIPS));
    if (!Timer)
        Timer = std::make_unique<QtPollTimer>(this, [this] { PollInputReport(); });
    Timer->setEnabled(false);
    Timer->setInterval(POLL_INTERVAL_MS);
    InstallAccessibleInterfaces();
    createControls();
    setTabOrder();
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    BtnDefaults = Place(new QPushButton(tr("Reset to default settings"), this), "BtnDefaults", 360,
                        8640, 2295, 375, false);
    Text4 = Place(Named(new TextBox(this), tr("Input value capabilities")), "Text4", 8880, 4440,
                  6975, 6015, true, false);
    Text4->setText("Text4");
    Text3 = Place(Named(new TextBox(this), tr("HID capabilities")), "Text3", 8880, 120, 6975, 4215,
                  true, false);
    Text3->setText("Text3");
    //: The caption of the frame of button lamps: the buttons as the system's game controller
    //: settings call them.
    ButtonsFrame = Place(Named(MakeFrame(this, tr("Windows buttons")), tr("Button lamps")),
                         "ButtonsFrame", 4680, 0, 4095, 8415, true);
    Text2 = Place(Named(new TextBox(this), tr("Input monitor messages")), "Text2", 4800, 9480, 3855,
                  1455, true);
    Text2->setText("Text2");
    Selftest = Place(Named(new QPushButton(tr("Self Diagnostic"), this), tr("Run self-diagnostic")),
                     "Selftest", 9960, 10560, 1575, 375, false);
    RotStart = Place(Named(new DropDownList(this), tr("A input mode")), "RotStart", 360, 8040, 2460,
                     360, false);
    Text1 = Place(Named(new TextBox(this), tr("Self-diagnostic reply")), "Text1", 120, 9360, 4575,
                  2295, true);
    Text1->setText("Text1");
    //: A frame's caption; the blank after it is the design's.
    Frame3 = Place(Named(MakeFrame(this, tr("Rotary encoders ")), tr("Rotary encoders")), "Frame3",
                   120, 2040, 4455, 5895, false);
    //: A frame's caption; the blank after it is the design's.
    Frame1 = Place(Named(MakeFrame(this, tr("Device details ")), tr("Device details")), "Frame1",
                   120, 0, 4455, 1935, false);
    TestResult = Place(MakeLabel(this, QString()), "TestResult", 11760, 10680, 2415, 315, false);
    SetValueLabelName(TestResult, tr("Self-diagnostic result"));
    //: The caption of the list of modes of the analogue input named "A" (a name, not a letter
    //: to translate). At most 1455 twips (97 pixels) wide.
    Label22 =
        Place(MakeLabel(this, tr("\"A\" Input mode")), "Label22", 2880, 8085, 1455, 375, false);

    createDeviceDetails();
    createEncoderFrame();
    createButtonsFrame();
    createButtonTestControls();
    Captions(Label22, RotStart);

    connect(SerNo, &DropDownList::clicked, this, [this] { SelectBoard(); });
    for (int n = 0; n < 8; ++n)
        connect(Enc[n], &DropDownList::clicked, this, [this] { SendEncoderModes(); });
    for (int n = 8; n < 10; ++n)
        connect(Enc[n], &DropDownList::clicked, this, [this] { SendEncoderModes9_10(); });
    connect(Delay, &DropDownList::clicked, this, [this] { SendPulseLength(); });
    connect(RotStart, &DropDownList::clicked, this, [this] { SendAInputMode(); });
    connect(Selftest, &QPushButton::clicked, this, [this] { RunSelfDiagnostic(); });
}

void MainWindow::createDeviceDetails()
{
    // Created in this order so that SerNo lies above the left part of lblSerialNumber.
    lblSerialNumber =
        Place(MakeLabel(Frame1, QString()), "lblSerialNumber", 1680, 360, 3300, 330, true);
    SerNo = Place(Named(new DropDownList(Frame1), tr("Serial number")), "SerNo", 1680, 300, 1560,
                  360, false);
    lblVersion = Place(MakeLabel(Frame1, QString()), "lblVersion", 1680, 1440, 3300, 330, true);
    lblProduct = Place(MakeLabel(Frame1, QString()), "lblProduct", 1680, 1080, 3300, 330, true);
    lblManuf = Place(MakeLabel(Frame1, QString()), "lblManuf", 1680, 720, 3300, 330, true);
    for (QLabel *value : {lblSerialNumber, lblVersion, lblProduct, lblManuf})
        setLabelColourValue(value, SYSTEM_WINDOW_TEXT);
    SetValueLabelName(lblSerialNumber, tr("Serial number"));
    SetValueLabelName(lblVersion, tr("Version"));
    SetValueLabelName(lblProduct, tr("Product"));
    SetValueLabelName(lblManuf, tr("Manufacturer"));
    //: A caption of the device details: the board's version. At most 97 pixels wide.
    Label2 = Place(MakeLabel(Frame1, tr("Version")), "Label2", 240, 1440, 1455, 285, true);
    //: A caption of the device details: the board's product name. At most 81 pixels wide.
    Label5 = Place(MakeLabel(Frame1, tr("Product")), "Label5", 240, 1080, 1215, 285, true);
    //: A caption of the device details: who made the board. At most 81 pixels wide.
    Label4 = Place(MakeLabel(Frame1, tr("Manufacturer")), "Label4", 240, 720, 1215, 285, true);
    //: A caption of the device details, left of the list of boards: it must end before the
    //: list begins, 96 pixels from its start.
    Label3 = Place(MakeLabel(Frame1, tr("Serial Number")), "Label3", 240, 360, 1815, 285, true);
    Captions(Label3, SerNo);
    SerNo->raise();
}

void MainWindow::createEncoderFrame()
{
    for (int n = 10; n >= 1; --n) {
        const QByteArray name = "Enc" + QByteArray::number(n);
        const QByteArray pair = QByteArray::fromStdString(config::PairName(n, " + "));
        //: A screen reader's name for the encoder list of a pair of inputs, "Encoder B1 + B2".
        Enc[n - 1] =
            Place(Named(new DropDownList(Frame3), tr("Encoder %1").arg(QString::fromLatin1(pair))),
                  name.constData(), 240, 360 + 480 * (n - 1), 900, 360, false);
    }
    Delay = Place(Named(new DropDownList(Frame3), tr("Pulse length")), "Delay", 240, 5280, 1020,
                  360, false);
    for (int n = 10; n >= 1; --n) {
        const QByteArray name = "Label" + QByteArray::number(n + 5);
        const QByteArray caption = QByteArray::fromStdString(config::PairName(n, " + "));
        EncLabel[n - 1] = Place(MakeLabel(Frame3, QString::fromLatin1(caption)), name.constData(),
                                1260, 420 + 480 * (n - 1), n <= 8 ? 1095 : 1005, 375, false);
    }
    Line1 = new RuleLine(QPoint(TwipsToPixels(120), TwipsToPixels(5160)),
                         QPoint(TwipsToPixels(4320), TwipsToPixels(5160)), Frame3);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setAccessibleName(tr("Separator"));
    //: The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips
    //: (89 pixels) wide.
    Label1 = Place(MakeLabel(Frame3, tr("Pulse length")), "Label1", 1440, 5340, 1335, 375, false);
    Captions(Label1, Delay);
    for (int n = 0; n < 10; ++n)
        Captions(EncLabel[n], Enc[n]);
}

void MainWindow::createButtonsFrame()
{
    auto *lamp = Place(new LampShape(ButtonsFrame), "Shape1", 240, 360, 375, 375, true, false);
    lamp->setOutlineColourValue(0x404040);
    lamp->setFillColourValue(INDICATOR_OFF_COLOUR);
    lamp->setProperty("index", 0);
    lamp->setAccessibleName(tr("Button %1").arg(1));
    Shape1.push_back(lamp);

    auto *label = Place(MakeLabel(ButtonsFrame, QStringLiteral("1")), "BtnLbl", 240, 840, 375, 360,
                        true, false);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setProperty("index", 0);
    BtnLbl.push_back(label);
    btnLblColour_.push_back(0);
    setButtonLabelColourValue(0, LABEL_OFF_COLOUR);
    label->raise();
}

// The button test's controls in the lamp frame's free lower part, below the four rows.
void MainWindow::createButtonTestControls()
{
    //: A button that starts the button test. At most 96 pixels wide, with its margins.
    BtnTest = Place(Named(new QPushButton(tr("Button test"), ButtonsFrame), tr("Button test")),
                    "BtnTest", 240, 2520, 1440, 375, true);
    BtnTest->setCheckable(true);
    //: A button that starts the button test again. At most 52 pixels wide, with its margins.
    BtnTestReset = Place(Named(new QPushButton(tr("Reset"), ButtonsFrame), tr("Reset button test")),
                         "BtnTestReset", 1770, 2520, 780, 375, false);
    //: A button that copies the button test's result. At most 81 pixels wide, with its margins.
    BtnTestCopy = Place(
        Named(new QPushButton(tr("Copy result"), ButtonsFrame), tr("Copy button test result")),
        "BtnTestCopy", 2640, 2520, 1215, 375, false);
    lblTestResult = Place(MakeLabel(ButtonsFrame, tr("Press every input once: each press is "
                                                     "counted and shown, however short, and "
                                                     "inputs that bounce or are wired together "
                                                     "are named.")),
                          "lblTestResult", 240, 3060, 3615, 5160, true);
    lblTestResult->setWordWrap(true);
    SetValueLabelName(lblTestResult, tr("Button test result"));
    connect(BtnTest, &QPushButton::toggled, this, [this](bool on) { setButtonTestRunning(on); });
    connect(BtnTestReset, &QPushButton::clicked, this, [this] { ResetButtonTest(); });
    connect(BtnTestCopy, &QPushButton::clicked, this, [this] { CopyButtonTestResult(); });
}

void MainWindow::setTabOrder()
{
    // Labels and frames take no focus, so the chain holds only the controls that can.
    QWidget *order[] = {Delay,   Enc[0],       Enc[1],      Enc[2],     Enc[3],   Enc[4],
                        Enc[5],  Enc[6],       Enc[7],      Enc[8],     Enc[9],   SerNo,
                        BtnTest, BtnTestReset, BtnTestCopy, Text1,      RotStart, Selftest,
                        Text2,   Text3,        Text4,       BtnDefaults};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::setLabelColourValue(QLabel *label, std::uint32_t value)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ColourFromValue(value, palette));
    label->setPalette(palette);
}

void MainWindow::setButtonLabelColourValue(int index, std::uint32_t value)
{
    btnLblColour_[index] = value;
    setLabelColourValue(BtnLbl[index], value);
}

LampShape *MainWindow::lamp(int index) const
{
    return index >= 0 && index < lampCount() ? Shape1[index] : nullptr;
}

QLabel *MainWindow::buttonLabel(int index) const
{
    return index >= 0 && index < static_cast<int>(BtnLbl.size()) ? BtnLbl[index] : nullptr;
}

std::uint32_t MainWindow::buttonLabelColourValue(int index) const
{
    return index >= 0 && index < static_cast<int>(btnLblColour_.size()) ? btnLblColour_[index] : 0;
}

} // namespace tamo::app
