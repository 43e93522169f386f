// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-config over the boards attached to this machine.
#include "debug_logging.h"
#include "main_window.h"
#include "native_platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamo-config"));
    QApplication::setDesktopFileName(QStringLiteral("tamo-config"));
    tamo::app::InstallDebugLogging();
    const std::unique_ptr<tamo::device::HidPlatform> platform =
        tamo::device::CreateNativeHidPlatform();
    tamo::app::MainWindow window(*platform);
    window.LoadMainWindow();
    return QApplication::exec();
}
