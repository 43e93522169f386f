// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_dialog.h"

#include "app_resources.h"
#include "language.h"
#include "tamo_version.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
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

class AboutDialog {
    Q_DECLARE_TR_FUNCTIONS(AboutDialog)
};

//: The name of this translation's language as its speakers write it ("Deutsch",
//: "Français"), shown in Help > About.
const char *const kLanguageName = QT_TRANSLATE_NOOP("AboutDialog", "English");

// The notice an interactive GPL program shows, with its no-warranty line.
const char *const kNotice = QT_TRANSLATE_NOOP(
    "AboutDialog",
    "Copyright \u00A9 2026 The tamo-config developers.<br><br>"
    "This program is free software: you can redistribute it and/or modify it under the terms "
    "of the GNU General Public License as published by the Free Software Foundation, either "
    "version 3 of the License, or (at your option) any later version.<br><br>"
    "This program is distributed in the hope that it will be useful, but <b>WITHOUT ANY "
    "WARRANTY</b>; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
    "PARTICULAR PURPOSE. See the GNU General Public License (Help &gt; Licence) for more "
    "details.<br><br>"
    "The Windows download also carries Qt, under the GNU Lesser General Public License "
    "version 3; its licence texts come with it.");

} // namespace

// In English whatever the window shows: the details are for a bug report.
QString AboutDetails(const QString &boardDetails)
{
    return QStringLiteral("tamo-config %1\nQt %2 (built with %3)\n%4\nLanguage: %5\n%6")
        .arg(QStringLiteral(TAMO_VERSION_TEXT), QString::fromLatin1(qVersion()),
             QStringLiteral(QT_VERSION_STR), QSysInfo::prettyProductName(), ShownLanguage(),
             boardDetails);
}

void ShowAbout(QWidget *parent, const QString &boardDetails,
               const std::function<void()> &showLicence)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("AboutDialog"));
    dialog.setWindowTitle(AboutDialog::tr("About tamo-config"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *title = new QLabel(
        QStringLiteral("<h3>tamo-config %1</h3>%2<br>%3")
            .arg(QStringLiteral(TAMO_VERSION_TEXT).toHtmlEscaped(),
                 AboutDialog::tr("Configure and test Velbrin button-box controller boards.")
                     .toHtmlEscaped(),
                 //: Which language the window is shown in: "Language: Deutsch".
                 AboutDialog::tr("Language: %1")
                     .arg(AboutDialog::tr(kLanguageName))
                     .toHtmlEscaped()));
    auto *notice = new QLabel(AboutDialog::tr(kNotice));
    notice->setWordWrap(true);
    notice->setAccessibleName(AboutDialog::tr("Licence notice"));
    const QString details = AboutDetails(boardDetails);
    auto *detailsLabel = new QLabel(details);
    detailsLabel->setTextFormat(Qt::PlainText);
    detailsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    detailsLabel->setAccessibleName(AboutDialog::tr("Details"));
    for (QLabel *label : {title, notice, detailsLabel}) {
        label->setMaximumWidth(520);
        layout->addWidget(label);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *copy =
        buttons->addButton(AboutDialog::tr("&Copy details"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyDetails"));
    QPushButton *licence =
        buttons->addButton(AboutDialog::tr("&Licence..."), QDialogButtonBox::ActionRole);
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
        return AboutDialog::tr("The licence text is missing from this build: see "
                               "https://www.gnu.org/licenses/gpl-3.0.txt");
    return QString::fromUtf8(file.readAll());
}

void ShowLicence(QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("LicenceDialog"));
    dialog.setWindowTitle(AboutDialog::tr("Licence: GNU General Public License, version 3"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QPlainTextEdit(LicenceText());
    text->setReadOnly(true);
    text->setAccessibleName(AboutDialog::tr("Licence text"));
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setMinimumSize(620, 480);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace tamo::app
