// SPDX-License-Identifier: GPL-3.0-or-later
// The notice text, and the window keeping it: it is worked out on each full pass of discovery
// made while no board is open, so that a tick that does nothing else stays without work.
#include "access_notice.h"

#include "debug_logging.h"
#include "main_window.h"
#include "utf16_buffer.h"

#include <exception>

namespace tamo::app {

namespace {

// Control characters (C0, DEL, C1), format characters (the bidi overrides among them) and
// line or paragraph separators would reorder or break the line.
bool Hidden(char32_t point)
{
    switch (QChar::category(point)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString Shown(const QString &text)
{
    QString out;
    for (const char32_t point : text.toUcs4()) {
        if (!Hidden(point)) {
            out += QString::fromUcs4(&point, 1);
            continue;
        }
        const int digits = point < 0x100 ? 2 : point < 0x10000 ? 4 : 8;
        out += QLatin1String(digits == 2 ? "\\x" : digits == 4 ? "\\u" : "\\U");
        out += QString::number(static_cast<uint>(point), 16).toUpper().rightJustified(digits, u'0');
    }
    return out;
}

// Ill-formed UTF-8 becomes U+FFFD.
QString SystemText(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The serial number in the board's own form, as discovery will read it: one character a
// UTF-16 code unit, its low byte, up to the first whose low byte is zero.
QString BoardForm(const std::string &utf8)
{
    QString out;
    for (const char16_t unit : device::Utf8ToUtf16(utf8)) {
        if ((unit & 0xFF) == 0)
            break;
        out += QChar(static_cast<char16_t>(unit & 0xFF));
    }
    return out;
}

} // namespace

QString AccessNoticeText(const std::vector<device::InaccessibleBoard> &boards)
{
    QStringList lines;
    for (const device::InaccessibleBoard &board : boards) {
        const QString path = Shown(SystemText(board.path));
        const QString serial =
            board.serialNumber ? Shown(BoardForm(*board.serialNumber)) : QString();
        QString line =
            serial.isEmpty()
                ? MainWindow::tr("A board is attached at %1 but cannot be opened").arg(path)
                : MainWindow::tr("A board is attached at %1 (serial number %2) but cannot be "
                                 "opened")
                      .arg(path, serial);
        //: The reason a board cannot be opened follows the sentence above; it comes from
        //: the system and stays as the system words it.
        line = board.reason.empty()
                   ? line + u'.'
                   : MainWindow::tr("%1: %2.").arg(line, Shown(SystemText(board.reason)));
        if (!board.fix.empty())
            line += MainWindow::tr(" Fix: %1").arg(Shown(SystemText(board.fix)));
        lines.push_back(line);
    }
    return lines.join(u'\n');
}

void MainWindow::setInaccessibleBoardsSource(
    std::function<std::vector<device::InaccessibleBoard>()> source)
{
    inaccessibleBoards_ = std::move(source);
}

void MainWindow::updateAccessNotice()
{
    std::vector<device::InaccessibleBoard> boards;
    if (!connection_.DeviceFound && inaccessibleBoards_) {
        // The source reads the system (sysfs on Linux); when it cannot, there is nothing to say.
        try {
            boards = inaccessibleBoards_();
        } catch (const std::exception &error) {
            qCDebug(lcTamoDiscovery)
                << "cannot list the boards that cannot be opened:" << error.what();
        } catch (...) {
            qCDebug(lcTamoDiscovery) << "cannot list the boards that cannot be opened";
        }
    }
    const QString text = AccessNoticeText(boards);
    if (text == accessNotice_)
        return;
    accessNotice_ = text;
    emit accessNoticeChanged(accessNotice_);
}

} // namespace tamo::app
