// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-config over the boards attached to this machine.
#include "app_window.h"
#include "debug_logging.h"
#include "inaccessible_boards.h"
#include "language.h"
#include "native_platform.h"

#include "tamo_version.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamo-config"));
    QApplication::setApplicationVersion(QStringLiteral(TAMO_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("tamo-config"));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Configure and test Velbrin button-box controller boards"));
    options.addHelpOption();
    options.addVersionOption();
    options.addOption(tamo::app::LanguageOption());
    options.process(application);
    tamo::app::InstallLanguage(tamo::app::RequestedLanguage(options));
    tamo::app::InstallDebugLogging();
    const std::unique_ptr<tamo::device::HidPlatform> platform =
        tamo::device::CreateNativeHidPlatform();
    tamo::app::AppWindow window(*platform);
    window.form().setInaccessibleBoardsSource(
        [] { return tamo::device::FindInaccessibleBoards(); });
    window.LoadMainWindow();
    return QApplication::exec();
}
