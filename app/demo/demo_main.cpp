// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-config-demo: the tool's window over two virtual boards of the family and a foreign
// device, with a panel that plays the boards.
#include "app_window.h"
#include "debug_logging.h"
#include "demo/virtual_board_panel.h"
#include "language.h"
#include "tamo_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tamo::app::InstallDebugLogging();
    QApplication::setApplicationName(QStringLiteral("tamo-config-demo"));
    QApplication::setApplicationVersion(QStringLiteral(TAMO_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("tamo-config"));
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("tamo-config over virtual boards"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption press(
        QStringLiteral("press"),
        QStringLiteral("Buttons of the board shown first held down, e.g. 1,8,17."),
        QStringLiteral("buttons"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the screen to a PNG after a second, then quit."),
        QStringLiteral("file"));
    options.addOption(press);
    options.addOption(screenshot);
    options.addOption(tamo::app::LanguageOption());
    options.process(application);
    tamo::app::InstallLanguage(tamo::app::RequestedLanguage(options));

    tamo::sim::VirtualHidPlatform platform;
    const int first = platform.addDevice(tamo::sim::FamilyBoard(u"TB-000117"));
    platform.addDevice(tamo::sim::ForeignMouse());
    auto second = tamo::sim::FamilyBoard(u"TB-000342");
    second.inputMode = tamo::sim::InputMode::OnChange;
    second.versionNumber = 0x0110;
    const int last = platform.addDevice(second);

    tamo::app::AppWindow window(platform);
    window.form().setInaccessibleBoardsSource(
        [&platform] { return platform.InaccessibleBoards(); });
    window.move(40, 40);
    window.LoadMainWindow();
    tamo::app::VirtualBoardPanel panel(platform, {first, last});
    panel.move(window.frameGeometry().right() + 20, 40);
    panel.show();

    std::uint32_t held = 0;
    for (const QString &number : options.value(press).split(u',', Qt::SkipEmptyParts)) {
        const int n = number.toInt();
        if (n >= 1 && n <= 32)
            held |= 1u << (n - 1);
    }
    platform.board(last)->setButtons(held);
    if (options.isSet(screenshot)) {
        QTimer::singleShot(1000, &application, [&] {
            const bool saved =
                QApplication::primaryScreen()->grabWindow(0).save(options.value(screenshot));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
