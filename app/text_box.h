// SPDX-License-Identifier: GPL-3.0-or-later
// A multi-line text box without scroll bars whose long lines wrap. It keeps its text exactly
// as set (CR LF line breaks included) and shows it with ordinary line breaks.
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace tamo::app {

class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    void setText(const std::string &text);
    const std::string &text() const { return text_; }

private:
    std::string text_;
};

} // namespace tamo::app
