// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns of the window through Qt's accessibility interfaces.
#include "board_window_fixture.h"

#include "lamp_shape.h"

#include <QAccessible>
#include <algorithm>
#include <set>

namespace tamo::test {

namespace {

QAccessibleInterface *Accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

std::string Name(QWidget *widget)
{
    return Accessible(widget)->text(QAccessible::Name).toStdString();
}

} // namespace

class ScreenReader : public BoardWindow {
protected:
    int board = -1;
    void SetUp() override
    {
        board = addBoard(u"TAMO0001");
        start();
    }
};

TEST_F(ScreenReader, EveryControlHasANameSaidInWordsNotDesignNames)
{
    const std::pair<const char *, const char *> expected[] = {
        {"Frame1", "Device details"},        {"Frame3", "Rotary encoders"},
        {"lblManuf", "Manufacturer"},        {"lblProduct", "Product"},
        {"lblVersion", "Version"},           {"Label3", "Serial number"},
        {"Label6", "Encoder B1 + B2"},       {"Label22", "A input mode"},
        {"Selftest", "Run self-diagnostic"}, {"TestResult", "Self-diagnostic result"},
    };
    for (const auto &[control, name] : expected)
        EXPECT_EQ(Name(this->control(control)), name) << control;

    // Every named control, the lamps and their numbers included, has a name of its own.
    std::set<std::string> withoutName;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const QString design = widget->objectName();
        if (design.isEmpty() || design.startsWith(QLatin1String("qt_")))
            continue;
        const std::string name = Name(widget);
        if (name.empty() || name == design.toStdString())
            withoutName.insert(design.toStdString());
    }
    EXPECT_TRUE(withoutName.empty()) << *withoutName.begin();
}

TEST_F(ScreenReader, ListsAreNamedByTheirCaptionAndSayTheShownItemAsValue)
{
    pick("Delay", "200 ms");
    const std::pair<const char *, const char *> lists[] = {
        {"SerNo", "Serial number"}, {"Enc1", "Encoder B1 + B2"},  {"Enc10", "Encoder B19 + B20"},
        {"Delay", "Pulse length"},  {"RotStart", "A input mode"},
    };
    for (const auto &[design, words] : lists) {
        QWidget *list = control(design);
        QAccessibleInterface *accessible = Accessible(list);
        // Windows and macOS take the name from the list; Linux screen readers from its label.
        EXPECT_EQ(list->accessibleName(), words) << design;
        // Its caption, and the frame that holds it, if any.
        std::vector<std::string> labels;
        for (const auto &[label, relation] : accessible->relations(QAccessible::Label))
            labels.push_back(label->text(QAccessible::Name).toStdString());
        EXPECT_EQ(std::count(labels.begin(), labels.end(), words), 1) << design;
        EXPECT_LE(labels.size(), 2u) << design;
        EXPECT_EQ(accessible->text(QAccessible::Value), this->list(design)->currentText())
            << design;
        EXPECT_EQ(accessible->role(), QAccessible::ComboBox) << design;
    }
    EXPECT_EQ(Accessible(control("Delay"))->text(QAccessible::Value), "200 ms");
}

TEST_F(ScreenReader, ValueLabelsKeepTheirCaptionAsNameAndShowTheBoardsTextAsValue)
{
    QAccessibleInterface *manufacturer = Accessible(control("lblManuf"));
    ASSERT_FALSE(text("lblManuf").empty());
    EXPECT_EQ(manufacturer->text(QAccessible::Value).toStdString(), text("lblManuf"));
    EXPECT_EQ(manufacturer->text(QAccessible::Name), "Manufacturer");
    EXPECT_EQ(manufacturer->role(), QAccessible::StaticText);
}

TEST_F(ScreenReader, EachLampIsAButtonWhoseStateSaysPressedWhileItIsHeld)
{
    for (int k = 0; k < 32; ++k) {
        QAccessibleInterface *lamp = Accessible(window->lamp(k));
        EXPECT_EQ(lamp->text(QAccessible::Name), QString("Button %1").arg(k + 1));
        EXPECT_EQ(lamp->role(), QAccessible::Indicator);
    }
    tick();
    platform.board(board)->setButtons(1u << 11);
    tick();
    QAccessibleInterface *twelve = Accessible(window->lamp(11));
    EXPECT_TRUE(twelve->state().pressed);
    EXPECT_EQ(twelve->text(QAccessible::Value), "pressed");
    EXPECT_FALSE(Accessible(window->lamp(10))->state().pressed);
    EXPECT_EQ(Accessible(window->lamp(10))->text(QAccessible::Value), "released");

    platform.board(board)->setButtons(0);
    tick();
    EXPECT_FALSE(twelve->state().pressed);
    EXPECT_EQ(twelve->text(QAccessible::Value), "released");
}

} // namespace tamo::test
