// SPDX-License-Identifier: GPL-3.0-or-later
// The window over the boards this machine has, driven as a person drives it and telling each
// step on standard output, for a test that runs it beside a board program and answers:
//   tamo-window-check SERIAL PULSE_LENGTH
// prints "open SERIAL" once that board is the one shown, "lit N" for the first lamp that
// lights, and "picked PULSE_LENGTH" after choosing it in the list; a step that does not come
// ends the program with "timeout: STEP" and status 1.
#include "control_access.h"
#include "lamp_colours.h"
#include "lamp_shape.h"
#include "main_window.h"
#include "native_platform.h"
#include "run_until.h"

#include <QApplication>
#include <QComboBox>
#include <cstdio>
#include <functional>

namespace {

// Wine under emulation starts slowly; a real fault never ends.
constexpr int kPatienceMs = 60000;

bool RunUntil(const std::function<bool()> &done)
{
    return tamo::test::RunEventsUntil(done, kPatienceMs);
}

void Say(const std::string &line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int Fail(const char *step)
{
    Say(std::string("timeout: ") + step);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        Say("usage: tamo-window-check SERIAL PULSE_LENGTH");
        return 2;
    }
    const QString serial = QString::fromLocal8Bit(argv[1]);
    const QString pulse = QString::fromLocal8Bit(argv[2]);

    const auto platform = tamo::device::CreateNativeHidPlatform();
    tamo::app::MainWindow window(*platform);
    window.LoadMainWindow();
    auto *serials = window.findChild<QComboBox *>(QStringLiteral("SerNo"));
    QWidget *delay = window.findChild<QWidget *>(QStringLiteral("Delay"));
    if (serials == nullptr || delay == nullptr)
        return Fail("the window's controls");

    const auto shown = [&] {
        return window.connection().DeviceFound
               && tamo::app::ControlText(serials) == serial.toStdString();
    };
    if (!RunUntil([&] {
            if (serials->findText(serial) >= 0 && !shown())
                tamo::app::PickListItem(serials, serial);
            return shown();
        }))
        return Fail("open");
    Say("open " + serial.toStdString());

    int lit = -1;
    if (!RunUntil([&] {
            for (int k = 0; k < 32 && lit < 0; ++k)
                if (window.lamp(k)->fillColourValue() == tamo::app::INDICATOR_ON_COLOUR)
                    lit = k;
            return lit >= 0;
        }))
        return Fail("lit");
    Say("lit " + std::to_string(lit + 1));

    if (!tamo::app::PickListItem(delay, pulse))
        return Fail("picked");
    Say("picked " + pulse.toStdString());
    return 0;
}
