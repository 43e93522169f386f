// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's work on the open board: save its settings, load a file onto it, copy its
// settings to the other boards. The same checks and the same file as tamo save and tamo load.
#include "main_window.h"

#include "apply_plan.h"
#include "configuration_reply.h"
#include "device_texts.h"
#include "drop_down_list.h"
#include "file_io.h"
#include "safe_text.h"
#include "serial_text.h"
#include "setting_names.h"
#include "setting_texts.h"

#include <QFile>
#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <sstream>

namespace tamo::app {

namespace {

QString Utf8(const std::string &text)
{
    return QString::fromStdString(config::Escaped(text));
}

// A board's serial number as the user reads it, control characters escaped.
QString BoardName(const device::SerialNumber &serial)
{
    return QString::fromStdString(config::Printable(serial));
}

std::string FileName(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// What the window says of a plan that went onto a board: first line, then the details.
MainWindow::FileActionResult Outcome(const config::ApplyOutcome &outcome,
                                     const config::OpenBoard &board, const QString &held)
{
    MainWindow::FileActionResult result;
    const config::SendOutcome &sent = outcome.sent;
    if (!sent.failed.empty()) {
        result.summary = MainWindow::tr("Sending failed part-way: the board holds some of the "
                                        "settings, not all.");
        QStringList lines{MainWindow::tr("Sent: ") + Utf8(config::CommandList(sent.sent))};
        for (const auto &[code, why] : sent.failed)
            lines << MainWindow::tr("Failed: ") + Utf8(config::CommandName(code) + ": " + why);
        lines << MainWindow::tr("Not sent: ") + Utf8(config::CommandList(sent.notSent));
        result.details = lines.join(QLatin1Char('\n'));
    } else if (!outcome.readBack) {
        result.summary = MainWindow::tr("Everything was sent, but the board gave no usable "
                                        "configuration reply to check it.");
        result.details = Utf8(board.WhyNoReply());
    } else if (!outcome.mismatches.empty()) {
        result.summary = MainWindow::tr("The board does not hold what was sent:");
        QStringList lines;
        for (const std::string &line : outcome.mismatches)
            lines << Utf8(line);
        result.details = lines.join(QLatin1Char('\n'));
    } else {
        result.ok = true;
        result.summary = held;
    }
    return result;
}

// "Encoders: B1+B2 off, ...", then the pulse length and the "A" input, a line each.
QString SettingsText(const config::ConfigurationSettings &settings)
{
    QStringList pairs;
    for (int pair = 1; pair <= config::PAIR_COUNT; ++pair)
        pairs << QString::fromStdString(config::PairName(pair)) + QLatin1Char(' ')
                     + EncoderModeText(settings.encoderModes[static_cast<std::size_t>(pair - 1)]);
    const int aInput = config::AInputModeSelection(
        settings.aInputMode, static_cast<int>(config::A_INPUT_MODE_ITEMS.size()));
    return MainWindow::tr("Encoders: %1\nPulse length: %2\n\"A\" input: %3")
        .arg(pairs.join(QStringLiteral(", ")),
             QString::fromStdString(config::PulseLengthName(settings.pulseLength)),
             AInputModeText(aInput));
}

} // namespace

settings_file::SourceBoard MainWindow::openBoardSource()
{
    return settings_file::SourceBoardOf(SerialBytes(SerNo->currentText()),
                                        session().ReadIdentity());
}

std::optional<config::SettingsRequest> MainWindow::openBoardSettings(QString &why)
{
    const auto held = session().ReadBackConfiguration();
    if (!held) {
        why = MainWindow::tr("The board gave no usable configuration reply in %1 reads: %2.")
                  .arg(config::READBACK_ATTEMPTS)
                  .arg(Utf8(board_.WhyNoReply()));
        return std::nullopt;
    }
    std::string unnamed;
    auto request = config::SettingsRequest::From(*held, unnamed);
    if (!request)
        why =
            MainWindow::tr("The board holds %1: choose one in its list first.").arg(Utf8(unnamed));
    return request;
}

MainWindow::FileActionResult MainWindow::saveSettings(const QString &path)
{
    FileActionResult result;
    if (!connection_.DeviceFound) {
        result.summary = MainWindow::tr("No board is open: nothing was saved.");
        return result;
    }
    const settings_file::SourceBoard source = openBoardSource();
    QString why;
    const auto request = openBoardSettings(why);
    if (!request) {
        result.summary = why + MainWindow::tr(" Nothing was written.");
        return result;
    }
    std::string error;
    if (!settings_file::ReplaceFile(FileName(path),
                                    settings_file::WriteSettingsText({*request, source}), error)) {
        result.summary = MainWindow::tr("The settings could not be saved: nothing was written.");
        result.details = Utf8(error);
        return result;
    }
    result.ok = true;
    result.summary = MainWindow::tr("Saved the settings of %1 to %2.")
                         .arg(BoardName(SerialBytes(SerNo->currentText())), path);
    return result;
}

MainWindow::FileActionResult
MainWindow::loadSettings(const QString &path, const std::function<bool(const QString &)> &confirm)
{
    FileActionResult result;
    if (!connection_.DeviceFound) {
        result.summary = MainWindow::tr("No board is open: nothing was sent.");
        return result;
    }
    std::string error;
    std::istringstream noInput;
    const auto file = settings_file::ReadSettingsFile(FileName(path), noInput, error);
    if (!file) {
        result.summary = MainWindow::tr("This is not a settings file the tool can load: nothing "
                                        "was sent.");
        result.details = QString::fromStdString(error);
        return result;
    }
    const QString serial = SerNo->currentText();
    const std::vector<std::string> differences =
        settings_file::SourceDifferences(file->source, openBoardSource());
    if (!differences.empty()) {
        QStringList lines;
        for (const std::string &line : differences)
            lines << QString::fromStdString(line);
        const bool yes =
            confirm(MainWindow::tr("This file was saved from another board:\n%1\n\nLoad its "
                                   "settings onto %2 anyway?")
                        .arg(lines.join(QLatin1Char('\n')), BoardName(SerialBytes(serial))));
        if (!yes) {
            result.cancelled = true;
            result.summary = MainWindow::tr("Nothing was sent.");
            return result;
        }
        // The question let the window run: the board may have gone, or another taken its place.
        if (!connection_.DeviceFound || SerNo->currentText() != serial) {
            result.summary = MainWindow::tr("The board went away: nothing was sent.");
            return result;
        }
    }
    const auto plan = config::MakePlan(file->settings, std::nullopt, error);
    const config::ApplyOutcome outcome = config::ApplyPlan(board_, *plan);
    result =
        Outcome(outcome, board_,
                MainWindow::tr("Loaded %1 onto %2: every setting was sent, read back and holds.")
                    .arg(path, BoardName(SerialBytes(serial))));
    if (outcome.readBack) {
        if (result.ok)
            result.details = SettingsText(*outcome.readBack);
        // The lists show what the board holds now, and sending resumes from there.
        ViewReady = false;
        showSettings(*outcome.readBack);
        ViewReady = true;
    }
    return result;
}

MainWindow::FileActionResult MainWindow::copySettingsToOtherBoards()
{
    FileActionResult result;
    if (!connection_.DeviceFound) {
        result.summary = MainWindow::tr("No board is open: nothing was copied.");
        return result;
    }
    QString why;
    const auto request = openBoardSettings(why);
    if (!request) {
        result.summary = why + MainWindow::tr(" Nothing was copied.");
        return result;
    }
    std::string error;
    const auto plan = config::MakePlan(*request, std::nullopt, error);
    const device::SerialNumber self = SerialBytes(SerNo->currentText());
    std::vector<device::SerialNumber> others;
    for (const device::SerialNumber &serial : config::ScanBoards(platform_))
        if (serial != self && std::find(others.begin(), others.end(), serial) == others.end())
            others.push_back(serial);
    QStringList lines;
    int copied = 0;
    for (const device::SerialNumber &serial : others) {
        const QString name = BoardName(serial);
        config::OpenBoard other(platform_);
        if (!other.Open(serial).found) {
            lines << MainWindow::tr("%1: could not be opened: %2").arg(name, Utf8(other.Why()));
            continue;
        }
        const FileActionResult one = Outcome(config::ApplyPlan(other, *plan), other,
                                             MainWindow::tr("copied: sent, read back and holds."));
        copied += one.ok ? 1 : 0;
        lines << name + QStringLiteral(": ") + one.summary
                     + (one.details.isEmpty()
                            ? QString()
                            : QStringLiteral(" ")
                                  + QString(one.details)
                                        .replace(QLatin1Char('\n'), QStringLiteral("; ")));
    }
    // Boards the tool may not open are not listed at all; they are named, not passed over.
    int closed = 0;
    if (inaccessibleBoards_) {
        try {
            for (const device::InaccessibleBoard &board : inaccessibleBoards_()) {
                lines << MainWindow::tr("%1: cannot be opened: %2")
                             .arg(Utf8(board.serialNumber.value_or(board.path)),
                                  Utf8(board.reason));
                ++closed;
            }
        } catch (const std::exception &) {
            // Without the system's list the copy still reports every board it could list.
        }
    }
    result.ok = copied == static_cast<int>(others.size()) && copied > 0 && closed == 0;
    const auto total = static_cast<int>(others.size()) + closed;
    result.summary = total == 0
                         ? MainWindow::tr("No other board is attached: nothing was copied.")
                         : MainWindow::tr("Copied the settings of %1 to %2 of %3 other boards.")
                               .arg(BoardName(self))
                               .arg(copied)
                               .arg(total);
    result.details = lines.join(QLatin1Char('\n'));
    return result;
}

QString MainWindow::boardDetails() const
{
    if (!connection_.DeviceFound)
        return QStringLiteral("No board is open.");
    QString version = lblVersion->text().trimmed();
    return QStringLiteral("Board: serial number %1, manufacturer %2, product %3, version %4, "
                          "vendor ID %5, product ID %6")
        .arg(SerNo->currentText(), lblManuf->text().trimmed(), lblProduct->text().trimmed(),
             version.isEmpty() ? QStringLiteral("-") : version)
        .arg(connection_.Attributes.VendorID, 4, 16, QLatin1Char('0'))
        .arg(connection_.Attributes.ProductID, 4, 16, QLatin1Char('0'));
}

} // namespace tamo::app
