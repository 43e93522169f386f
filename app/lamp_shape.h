// SPDX-License-Identifier: GPL-3.0-or-later
// An indicator lamp: a filled outline whose fill colour shows a button's state.
#pragma once

#include "colour_value.h"

#include <QString>
#include <QWidget>
#include <cstdint>

namespace tamo::app {

class LampShape : public QWidget {
    Q_OBJECT
public:
    explicit LampShape(QWidget *parent = nullptr);

    void setFillColourValue(std::uint32_t value);
    std::uint32_t fillColourValue() const { return fill_; }
    // Lit is the pressed colour; a screen reader hears it as the state "pressed".
    bool isLit() const;
    // In the button test: what the test found of the lamp's button, "seen" or "seen,
    // chattered ...", heard after its state, and whether the button was seen; empty and not
    // seen outside the test.
    void setTestFinding(const QString &finding, bool seen = false);
    const QString &testFinding() const { return finding_; }
    bool testSeen() const { return seen_; }
    // How often the fill was set, changed or not: the poll repaints only changed bytes.
    int fillSetCount() const { return fillSets_; }
    void setOutlineColourValue(std::uint32_t value);
    std::uint32_t outlineColourValue() const { return outline_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::uint32_t fill_ = SYSTEM_BUTTON_FACE;
    std::uint32_t outline_ = 0;
    int fillSets_ = 0;
    QString finding_;
    bool seen_ = false;
};

// A straight line between two points of its parent, drawn in the window-text colour.
class RuleLine : public QWidget {
    Q_OBJECT
public:
    RuleLine(QPoint from, QPoint to, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint from_;
    QPoint to_;
};

} // namespace tamo::app
