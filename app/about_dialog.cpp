// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_dialog.h"

#include "app_resources.h"
#include "tamo_version.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

namespace tamo::app {

namespace {

// The notice an interactive GPL program shows, with its no-warranty line.
const char *const kNotice =
    "Copyright \u00A9 2026 The tamo-config developers.<br><br>"
    "This program is free software: you can redistribute it and/or modify it under the terms "
    "of the GNU General Public License as published by the Free Software Foundation, either "
    "version 3 of the License, or (at your option) any later version.<br><br>"
    "This program is distributed in the hope that it will be useful, but <b>WITHOUT ANY "
    "WARRANTY</b>; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
    "PARTICULAR PURPOSE. See the GNU General Public License (Help &gt; Licence) for more "
    "details.<br><br>"
    "The Windows download also carries Qt, under the GNU Lesser General Public License "
    "version 3; its licence texts come with it.";

} // namespace

QString AboutDetails(const QString &boardDetails)
{
    return QStringLiteral("tamo-config %1\nQt %2 (built with %3)\n%4\n%5")
        .arg(QStringLiteral(TAMO_VERSION_TEXT), QString::fromLatin1(qVersion()),
             QStringLiteral(QT_VERSION_STR), QSysInfo::prettyProductName(), boardDetails);
}

void ShowAbout(QWidget *parent, const QString &boardDetails,
               const std::function<void()> &showLicence)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("AboutDialog"));
    dialog.setWindowTitle(QStringLiteral("About tamo-config"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *title = new QLabel(QStringLiteral("<h3>tamo-config %1</h3>Configure and test Velbrin "
                                            "button-box controller boards.")
                                 .arg(QStringLiteral(TAMO_VERSION_TEXT).toHtmlEscaped()));
    auto *notice = new QLabel(QString::fromUtf8(kNotice));
    notice->setWordWrap(true);
    notice->setAccessibleName(QStringLiteral("Licence notice"));
    const QString details = AboutDetails(boardDetails);
    auto *detailsLabel = new QLabel(details);
    detailsLabel->setTextFormat(Qt::PlainText);
    detailsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    detailsLabel->setAccessibleName(QStringLiteral("Details"));
    for (QLabel *label : {title, notice, detailsLabel}) {
        label->setMaximumWidth(520);
        layout->addWidget(label);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *copy =
        buttons->addButton(QStringLiteral("&Copy details"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyDetails"));
    QPushButton *licence =
        buttons->addButton(QStringLiteral("&Licence..."), QDialogButtonBox::ActionRole);
    QObject::connect(copy, &QPushButton::clicked, &dialog,
                     [details] { QGuiApplication::clipboard()->setText(details); });
    QObject::connect(licence, &QPushButton::clicked, &dialog, [showLicence] { showLicence(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

QString LicenceText()
{
    LoadAppResources();
    QFile file(QStringLiteral(":/licence/LICENSE"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The licence text is missing from this build: see "
                              "https://www.gnu.org/licenses/gpl-3.0.txt");
    return QString::fromUtf8(file.readAll());
}

void ShowLicence(QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("LicenceDialog"));
    dialog.setWindowTitle(QStringLiteral("Licence: GNU General Public License, version 3"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QPlainTextEdit(LicenceText());
    text->setReadOnly(true);
    text->setAccessibleName(QStringLiteral("Licence text"));
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setMinimumSize(620, 480);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace tamo::app
