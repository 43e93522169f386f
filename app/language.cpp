// SPDX-License-Identifier: GPL-3.0-or-later
#include "language.h"

#include "app_resources.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace tamo::app {

namespace {

const char *const kToolFile = "tamo-config";
const char *const kQtFile = "qtbase";
const char *const kEnglish = "en";

struct Installed {
    std::unique_ptr<QTranslator> tool;
    std::unique_ptr<QTranslator> qt;
    QString code = QString::fromLatin1(kEnglish);
};

Installed &Current()
{
    static Installed installed;
    return installed;
}

void Remove(std::unique_ptr<QTranslator> &translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

// The code of a translation file: "tamo-config_pt_BR.qm" gives "pt_BR".
QString CodeOf(const QString &fileName)
{
    const QString stem = fileName.section(QLatin1Char('.'), 0, 0);
    return stem.mid(qsizetype(qstrlen(kToolFile)) + 1);
}

} // namespace

QStringList CarriedLanguages(const QString &dir)
{
    LoadAppResources();
    QStringList codes;
    const QStringList files = QDir(dir).entryList(
        {QString::fromLatin1(kToolFile) + QStringLiteral("_*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        codes << CodeOf(file);
    return codes;
}

QString InstallLanguage(const QString &requested, const QString &dir)
{
    LoadAppResources();
    Installed &installed = Current();
    Remove(installed.tool);
    Remove(installed.qt);
    installed.code = QString::fromLatin1(kEnglish);

    const QLocale locale = requested.isEmpty() ? QLocale::system() : QLocale(requested);
    // English is the source: nothing to load. QLocale("xx") is the C locale, English too.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return installed.code;
    // Finds tamo-config_de_AT.qm, then tamo-config_de.qm, for a system in de_AT.
    auto tool = std::make_unique<QTranslator>();
    if (!tool->load(locale, QString::fromLatin1(kToolFile), QStringLiteral("_"), dir)
        || tool->isEmpty())
        return installed.code;
    auto qt = std::make_unique<QTranslator>();
    // Qt's own texts (standard buttons, the file dialog) where Qt has them in this language.
    if (qt->load(locale, QString::fromLatin1(kQtFile), QStringLiteral("_"), dir)) {
        QCoreApplication::installTranslator(qt.get());
        installed.qt = std::move(qt);
    }
    QCoreApplication::installTranslator(tool.get());
    installed.code = CodeOf(QFileInfo(tool->filePath()).fileName());
    installed.tool = std::move(tool);
    return installed.code;
}

QCommandLineOption LanguageOption()
{
    return {QString::fromLatin1(LANGUAGE_OPTION),
            QStringLiteral("Show the window in this language (de, fr, es, it, pt_BR, pl, en) "
                           "instead of the system's."),
            QStringLiteral("code")};
}

QString RequestedLanguage(const QCommandLineParser &options)
{
    const QString option = QString::fromLatin1(LANGUAGE_OPTION);
    if (options.isSet(option))
        return options.value(option);
    return qEnvironmentVariable(LANGUAGE_VARIABLE);
}

QString ShownLanguage()
{
    return Current().code;
}

} // namespace tamo::app
