// SPDX-License-Identifier: GPL-3.0-or-later
// The language the window is shown in: the system's, unless --language or TAMO_LANGUAGE asks
// for another; English, the language of the source, when no translation of it is carried.
#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace tamo::app {

// Where the translations built into the program live.
inline constexpr const char *TRANSLATIONS_DIR = ":/i18n";
// The option that names a language, and the variable that does when the option is absent.
inline constexpr const char *LANGUAGE_OPTION = "language";
inline constexpr const char *LANGUAGE_VARIABLE = "TAMO_LANGUAGE";

// The languages carried in dir besides English, as codes ("de", "pt_BR"), sorted.
QStringList CarriedLanguages(const QString &dir = QString::fromLatin1(TRANSLATIONS_DIR));

// Loads the tool's and Qt's own translations for requested (a code such as "de" or "pt_BR",
// "en" for English; empty: the system's language) from dir into the application, in place of
// any loaded before. Returns the code of the language now shown: "en" when requested has no
// translation in dir or its file cannot be read.
QString InstallLanguage(const QString &requested,
                        const QString &dir = QString::fromLatin1(TRANSLATIONS_DIR));

// --language CODE, and what was asked for: the option, else TAMO_LANGUAGE, else nothing.
QCommandLineOption LanguageOption();
QString RequestedLanguage(const QCommandLineParser &options);

// The code of the language last installed.
QString ShownLanguage();

} // namespace tamo::app
