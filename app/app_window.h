// SPDX-License-Identifier: GPL-3.0-or-later
// The top-level window: the designed form as its client area, with a menu bar above it (File,
// Board, Help) and a status line below it that names a board the tool cannot open.
#pragma once

#include "main_window.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;

namespace tamo::app {

class AppWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit AppWindow(device::HidPlatform &platform, std::unique_ptr<PollTimer> timer = nullptr);

    // Shows the window and runs the form's load handler.
    void LoadMainWindow();
    MainWindow &form() { return *form_; }

    // How the File menu asks for a file and a yes or no, and tells a result: normal Qt dialogs
    // unless a test puts its own answers here.
    enum class FileDialog { Save, Load };
    std::function<QString(FileDialog)> chooseFile;
    std::function<bool(const QString &question)> confirm;
    std::function<void(const MainWindow::FileActionResult &, const QString &title)> tell;

    // The menu's actions, by what they do.
    QAction *saveAction() const { return save_; }
    QAction *loadAction() const { return load_; }
    QAction *copyAction() const { return copy_; }
    QAction *aboutAction() const { return about_; }
    QAction *licenceAction() const { return licence_; }
    QAction *selfTestAction() const { return selfTest_; }
    QAction *buttonTestAction() const { return buttonTest_; }
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void syncBoardActions();
    void saveSettings();
    void loadSettings();
    void copySettings();

    MainWindow *form_ = nullptr;
    QLabel *status_ = nullptr;
    QAction *save_ = nullptr;
    QAction *load_ = nullptr;
    QAction *copy_ = nullptr;
    QAction *about_ = nullptr;
    QAction *licence_ = nullptr;
    QAction *selfTest_ = nullptr;
    QAction *buttonTest_ = nullptr;
};

} // namespace tamo::app
