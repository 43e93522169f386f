// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_window.h"

#include "about_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>

namespace tamo::app {

namespace {

QString AskForFile(QWidget *parent, AppWindow::FileDialog kind)
{
    const bool save = kind == AppWindow::FileDialog::Save;
    QFileDialog dialog(parent,
                       save ? AppWindow::tr("Save settings") : AppWindow::tr("Load settings"));
    dialog.setObjectName(save ? QStringLiteral("SaveSettingsDialog")
                              : QStringLiteral("LoadSettingsDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    //: File types in the file dialog; "tamo" is the command-line tool's name.
    dialog.setNameFilters(
        {AppWindow::tr("tamo settings (*.json)"), AppWindow::tr("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void TellInABox(QWidget *parent, const MainWindow::FileActionResult &result, const QString &title)
{
    QMessageBox box(result.ok ? QMessageBox::Information : QMessageBox::Warning, title,
                    result.summary, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(result.details);
    box.exec();
}

} // namespace

AppWindow::AppWindow(device::HidPlatform &platform, std::unique_ptr<PollTimer> timer)
{
    setObjectName(QStringLiteral("AppWindow"));
    form_ = new MainWindow(platform, std::move(timer));
    form_->setParent(this);
    // The designed form keeps its size; the window grows by the menu and the status line.
    form_->setMinimumSize(form_->size());
    setCentralWidget(form_);
    setWindowTitle(form_->windowTitle());
    setWindowIcon(form_->windowIcon());

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblAccessNotice"));
    status_->setAccessibleName(tr("Board access"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    status_->setVisible(false);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(form_, &MainWindow::accessNoticeChanged, this, [this](const QString &text) {
        status_->setText(text);
        status_->setVisible(!text.isEmpty());
    });

    chooseFile = [this](FileDialog kind) {
        return AskForFile(this, kind);
    };
    confirm = [this](const QString &question) {
        return QMessageBox::question(this, tr("Load settings"), question,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes;
    };
    tell = [this](const MainWindow::FileActionResult &result, const QString &title) {
        TellInABox(this, result, title);
    };
    createMenus();
    adjustSize();
}

void AppWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setAccessibleName(tr("File"));
    save_ = file->addAction(tr("&Save settings..."), this, &AppWindow::saveSettings);
    save_->setShortcut(QKeySequence::Save);
    load_ = file->addAction(tr("&Load settings..."), this, &AppWindow::loadSettings);
    load_->setShortcut(QKeySequence::Open);
    copy_ =
        file->addAction(tr("&Copy settings to other boards..."), this, &AppWindow::copySettings);
    file->addSeparator();
    QAction *quit = file->addAction(tr("&Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    //: A menu: what is done on the open board.
    QMenu *board = menuBar()->addMenu(tr("&Board"));
    board->setAccessibleName(tr("Board"));
    selfTest_ = board->addAction(tr("&Self-diagnostic"), this,
                                 [this] { form_->selfTestButton()->click(); });
    buttonTest_ =
        board->addAction(tr("&Button test"), this, [this] { form_->buttonTestButton()->click(); });
    connect(board, &QMenu::aboutToShow, this, &AppWindow::syncBoardActions);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setAccessibleName(tr("Help"));
    about_ = help->addAction(tr("&About tamo-config"), this, [this] {
        ShowAbout(this, form_->boardDetails(), [this] { ShowLicence(this); });
    });
    licence_ = help->addAction(tr("&Licence"), this, [this] { ShowLicence(this); });
}

void AppWindow::syncBoardActions()
{
    selfTest_->setEnabled(form_->selfTestButton()->isEnabled());
    buttonTest_->setEnabled(form_->buttonTestButton()->isEnabled());
    buttonTest_->setText(form_->buttonTestButton()->text());
}

void AppWindow::LoadMainWindow()
{
    show();
    form_->LoadMainWindow();
}

QString AppWindow::statusText() const
{
    return status_->text();
}

void AppWindow::saveSettings()
{
    const QString path = chooseFile(FileDialog::Save);
    if (path.isEmpty())
        return;
    const MainWindow::FileActionResult result = form_->saveSettings(path);
    if (result.ok)
        statusBar()->showMessage(result.summary, 10000);
    else
        tell(result, tr("Save settings"));
}

void AppWindow::loadSettings()
{
    const QString path = chooseFile(FileDialog::Load);
    if (path.isEmpty())
        return;
    const MainWindow::FileActionResult result = form_->loadSettings(path, confirm);
    if (!result.cancelled)
        tell(result, tr("Load settings"));
}

void AppWindow::copySettings()
{
    tell(form_->copySettingsToOtherBoards(), tr("Copy settings to other boards"));
}

void AppWindow::closeEvent(QCloseEvent *event)
{
    // The form shuts the board connection down as its own close handler does.
    form_->close();
    event->accept();
}

} // namespace tamo::app
