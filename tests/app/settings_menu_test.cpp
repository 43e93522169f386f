// SPDX-License-Identifier: GPL-3.0-or-later
// The window's menu over virtual boards: settings files saved, loaded and copied as tamo does,
// with the file dialogs and questions answered by the test.
#include "about_dialog.h"
#include "app_window.h"
#include "control_access.h"
#include "environment.h"
#include "manual_poll_timer.h"
#include "tamo_version.h"
#include "virtual_platform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sstream>

namespace tamo::test {

namespace {

class NoClock : public cli::Clock {
public:
    std::uint64_t SteadyMs() override { return 0; }
    std::int64_t WallMs() override { return 0; }
    void Sleep(std::uint32_t) override {}
};

class SettingsMenu : public ::testing::Test {
protected:
    sim::VirtualHidPlatform platform{[] {
        return std::uint64_t{0};
    }};
    std::unique_ptr<app::AppWindow> window;
    QTemporaryDir dir;
    QString chosen;
    std::vector<QString> questions;
    bool answer = true;
    std::vector<app::MainWindow::FileActionResult> told;
    decltype(app::AppWindow::tell) boxTell; // the window's own: a message box

    int addBoard(std::u16string serial)
    {
        return platform.addDevice(sim::FamilyBoard(std::move(serial)));
    }
    void start()
    {
        window =
            std::make_unique<app::AppWindow>(platform, std::make_unique<app::ManualPollTimer>());
        window->chooseFile = [this](app::AppWindow::FileDialog) {
            return chosen;
        };
        window->confirm = [this](const QString &question) {
            questions.push_back(question);
            return answer;
        };
        boxTell = window->tell;
        window->tell = [this](const app::MainWindow::FileActionResult &result, const QString &) {
            told.push_back(result);
        };
        window->form().setInaccessibleBoardsSource(
            [this] { return platform.InaccessibleBoards(); });
        window->LoadMainWindow();
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    const sim::BoardSettings &held(int board) { return platform.board(board)->settings(); }
    void hold(int board, std::array<std::uint8_t, 6> arguments)
    {
        platform.board(board)->setSettings({arguments});
    }
    int tamo(std::vector<std::string> args, std::string &err)
    {
        NoClock clock;
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream errors;
        cli::Environment env{platform, in, out, errors, clock};
        const int status = cli::RunTamo(args, env);
        err = errors.str();
        return status;
    }
    QString listText(const char *name)
    {
        return window->form().findChild<QComboBox *>(QString::fromLatin1(name))->currentText();
    }
};

} // namespace

TEST_F(SettingsMenu, SavedByTheWindowLoadedByTamoAndBackAgain)
{
    const int a = addBoard(u"A1");
    const int b = addBoard(u"B2");
    hold(a, {0x04, 0x01, 0x04, 0x00, 2, 3}); // B5+B6 1:4, B17+B18 1:1, 16 ms, latched
    start();
    ASSERT_EQ(window->form().findChild<QComboBox *>("SerNo")->currentText(), "B2");
    // The window shows the last board listed; choose A1 as a user would.
    ASSERT_TRUE(app::PickListItem(window->form().findChild<QComboBox *>("SerNo"), "A1"));
    ASSERT_EQ(listText("Enc3"), "1:4");

    chosen = path("a1.json");
    window->saveAction()->trigger();
    EXPECT_TRUE(told.empty()) << told.front().summary.toStdString();
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(chosen));
    std::string err;
    ASSERT_EQ(tamo({"load", chosen.toStdString(), "B2"}, err), cli::EXIT_OK) << err;
    EXPECT_EQ(held(b), held(a));

    // And back: tamo saves B2 changed, the window loads it onto A1 after asking.
    hold(b, {0, 0, 0, 0, 25, 4});
    ASSERT_EQ(tamo({"save", path("b2.json").toStdString(), "B2"}, err), cli::EXIT_OK) << err;
    chosen = path("b2.json");
    window->loadAction()->trigger();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].contains("serial number B2 (this board: A1)"))
        << questions[0].toStdString();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].ok) << told[0].summary.toStdString() << told[0].details.toStdString();
    EXPECT_EQ(held(a), held(b));
    EXPECT_EQ(listText("Delay"), "200 ms");
    EXPECT_EQ(listText("RotStart"), "Button 21");
    EXPECT_EQ(listText("Enc3"), "off");

    // The result as the user sees it, kept for the documentation.
    QString shown;
    QTimer::singleShot(0, [&shown] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        shown = box->findChild<QLabel *>("qt_msgbox_label")->text();
        box->grab().save(qEnvironmentVariable("TAMO_SCREENSHOT_DIR", QDir::tempPath())
                         + "/tamo-config-load-result.png");
        box->close();
    });
    boxTell(told[0], "Load settings");
    EXPECT_EQ(shown, told[0].summary);
}

TEST_F(SettingsMenu, ARefusedFileOrAQuestionAnsweredNoSendsNothing)
{
    const int a = addBoard(u"A1");
    start();
    platform.clearFeatureReportsReceived(a);
    QFile bad(path("bad.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\": \"tamo-settings\", \"version\": 1,\n\"encoders\": {},\n"
              "\"pulse_length\": \"12 ms\", \"a_input\": \"Auto\"}\n");
    bad.close();
    chosen = bad.fileName();
    window->loadAction()->trigger();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FALSE(told[0].ok);
    EXPECT_TRUE(told[0].details.contains("bad.json:2: missing key \"encoders.B1+B2\""))
        << told[0].details.toStdString();
    EXPECT_TRUE(questions.empty());

    std::string err;
    ASSERT_EQ(tamo({"save", path("a1.json").toStdString()}, err), cli::EXIT_OK) << err;
    QFile file(path("a1.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray text = file.readAll().replace("\"A1\"", "\"Z9\"");
    file.resize(0);
    file.write(text);
    file.close();
    answer = false;
    chosen = file.fileName();
    window->loadAction()->trigger();
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(told.size(), 1u) << "a no is not a result to show";
    EXPECT_TRUE(platform.featureReportsReceived(a).empty());
}

TEST_F(SettingsMenu, ABoardThatFailsPartWayIsToldWhatWasSentAndWhatWasNot)
{
    const int a = addBoard(u"A1");
    start();
    std::string err;
    ASSERT_EQ(tamo({"save", path("a1.json").toStdString()}, err), cli::EXIT_OK) << err;
    platform.failNext("HidD_SetFeature", 1, a, 2);
    chosen = path("a1.json");
    window->loadAction()->trigger();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FALSE(told[0].ok);
    EXPECT_TRUE(told[0].summary.startsWith("Sending failed part-way"));
    const std::string details = told[0].details.toStdString();
    EXPECT_NE(details.find("Sent: code 2"), std::string::npos) << details;
    EXPECT_NE(details.find("Failed: code 3"), std::string::npos) << details;
    EXPECT_NE(details.find("Not sent: code 6"), std::string::npos) << details;
}

TEST_F(SettingsMenu, CopySaysOneLinePerOtherBoardAndEachHoldsTheSettings)
{
    const int a = addBoard(u"A1");
    const int b = addBoard(u"B2");
    const int c = addBoard(u"C3");
    hold(c, {0xFF, 0x03, 0xFF, 0x03, 1, 2});
    start();
    ASSERT_EQ(window->form().findChild<QComboBox *>("SerNo")->currentText(), "C3");
    platform.setOpenable(b, false);
    window->copyAction()->trigger();
    ASSERT_EQ(told.size(), 1u);
    const QStringList lines = told[0].details.split('\n');
    ASSERT_EQ(lines.size(), 2) << told[0].details.toStdString();
    EXPECT_TRUE(lines[0].startsWith("A1: copied")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("B2: cannot be opened: open(")) << lines[1].toStdString();
    EXPECT_FALSE(told[0].ok);
    EXPECT_EQ(held(a), held(c));
}

TEST_F(SettingsMenu, TheMenuAboutAndStatusLine)
{
    const int a = addBoard(u"A1");
    platform.setOpenable(a, false);
    start();
    EXPECT_EQ(window->saveAction()->shortcut(), QKeySequence::Save);
    EXPECT_EQ(window->loadAction()->shortcut(), QKeySequence::Open);
    ASSERT_EQ(window->menuBar()->actions().size(), 3);
    // Every item is named and reachable from the keyboard by its letter.
    for (const QAction *menu : window->menuBar()->actions())
        for (const QAction *item : menu->menu()->actions())
            EXPECT_TRUE(item->isSeparator() || item->text().contains('&'))
                << item->text().toStdString();
    // The designed client area keeps its size; the menu sits above it.
    EXPECT_GE(window->form().geometry().top(), window->menuBar()->height());
    window->grab().save(qEnvironmentVariable("TAMO_SCREENSHOT_DIR", QDir::tempPath())
                        + "/tamo-config-not-openable.png");
    EXPECT_TRUE(window->statusText().contains("cannot be opened"))
        << window->statusText().toStdString();
    EXPECT_EQ(app::AboutDetails(window->form().boardDetails()).count("No board is open."), 1);
    QString about;
    QTimer::singleShot(0, [&about] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        for (const QLabel *label : box->findChildren<QLabel *>())
            about += label->text() + "\n";
        box->grab().save(qEnvironmentVariable("TAMO_SCREENSHOT_DIR", QDir::tempPath())
                         + "/tamo-config-about.png");
        box->close();
    });
    window->aboutAction()->trigger();
    EXPECT_TRUE(about.contains(TAMO_VERSION_TEXT)) << about.toStdString();
    EXPECT_TRUE(about.contains("WITHOUT ANY WARRANTY")) << about.toStdString();
    EXPECT_FALSE(window->windowIcon().availableSizes().isEmpty()) << "the icon is built in";
    EXPECT_TRUE(app::LicenceText().startsWith("                    GNU GENERAL PUBLIC LICENSE"));
}

} // namespace tamo::test
