// SPDX-License-Identifier: GPL-3.0-or-later
// The freshly created window, before any start-up code runs.
#include "window_fixture.h"

#include "drop_down_list.h"
#include "lamp_shape.h"
#include "twips.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>

namespace tamo::test {

namespace {
QRect Designed(double left, double top, double width, double height)
{
    return app::TwipsRect(left, top, width, height);
}
} // namespace

class FreshWindow : public WindowFixture {
protected:
    void SetUp() override { createWindow(); }
};

TEST_F(FreshWindow, HasTheDesignedClientAreaCaptionAndTimer)
{
    EXPECT_EQ(window->objectName(), "frmMain");
    EXPECT_EQ(window->windowTitle(), "Tamo - micro Velbrin");
    EXPECT_EQ(window->size(), QSize(590, 567));
    EXPECT_FALSE(timer->isEnabled());
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(FreshWindow, PlacesControlsInTheirContainersAtTheDesignedGeometry)
{
    struct Expected {
        const char *name;
        const char *container;
        QRect geometry;
    };
    const Expected expected[] = {
        {"BtnDefaults", "frmMain", Designed(360, 8640, 2295, 375)},
        {"Text4", "frmMain", Designed(8880, 4440, 6975, 6015)},
        {"Text3", "frmMain", Designed(8880, 120, 6975, 4215)},
        {"ButtonsFrame", "frmMain", Designed(4680, 0, 4095, 8415)},
        {"Text2", "frmMain", Designed(4800, 9480, 3855, 1455)},
        {"Selftest", "frmMain", Designed(9960, 10560, 1575, 375)},
        {"RotStart", "frmMain", Designed(360, 8040, 2460, 360)},
        {"Text1", "frmMain", Designed(120, 9360, 4575, 2295)},
        {"Frame3", "frmMain", Designed(120, 2040, 4455, 5895)},
        {"Frame1", "frmMain", Designed(120, 0, 4455, 1935)},
        {"TestResult", "frmMain", Designed(11760, 10680, 2415, 315)},
        {"Label22", "frmMain", Designed(2880, 8085, 1455, 375)},
        {"SerNo", "Frame1", Designed(1680, 300, 1560, 360)},
        {"lblSerialNumber", "Frame1", Designed(1680, 360, 3300, 330)},
        {"lblVersion", "Frame1", Designed(1680, 1440, 3300, 330)},
        {"lblManuf", "Frame1", Designed(1680, 720, 3300, 330)},
        {"Label3", "Frame1", Designed(240, 360, 1815, 285)},
        {"Enc1", "Frame3", Designed(240, 360, 900, 360)},
        {"Enc10", "Frame3", Designed(240, 4680, 900, 360)},
        {"Label6", "Frame3", Designed(1260, 420, 1095, 375)},
        {"Label14", "Frame3", Designed(1260, 4260, 1005, 375)},
        {"Label15", "Frame3", Designed(1260, 4740, 1005, 375)},
        {"Delay", "Frame3", Designed(240, 5280, 1020, 360)},
        {"Label1", "Frame3", Designed(1440, 5340, 1335, 375)},
        {"Shape1", "ButtonsFrame", Designed(240, 360, 375, 375)},
        {"BtnLbl", "ButtonsFrame", Designed(240, 840, 375, 360)},
    };
    for (const Expected &e : expected) {
        QWidget *widget = control(e.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), e.container) << e.name;
        EXPECT_EQ(widget->geometry(), e.geometry) << e.name;
    }
}

TEST_F(FreshWindow, CaptionsAndStartStatesAreAsDesigned)
{
    EXPECT_EQ(text("Frame1"), "Device details ");
    EXPECT_EQ(text("Frame3"), "Rotary encoders ");
    EXPECT_EQ(text("ButtonsFrame"), "Windows buttons");
    EXPECT_EQ(text("Label22"), "\"A\" Input mode");
    EXPECT_EQ(text("Label1"), "Pulse length");
    EXPECT_EQ(text("Label6"), "B1 + B2");
    EXPECT_EQ(text("Label15"), "B19 + B20");
    EXPECT_EQ(text("Selftest"), "Self Diagnostic");
    EXPECT_EQ(text("BtnDefaults"), "Reset to default settings");
    EXPECT_EQ(text("BtnLbl"), "1");
    for (const char *box : {"Text1", "Text2", "Text3", "Text4"})
        EXPECT_EQ(text(box), box);
    for (const char *empty :
         {"TestResult", "lblManuf", "lblProduct", "lblVersion", "lblSerialNumber"})
        EXPECT_EQ(text(empty), "") << empty;

    for (const char *disabled :
         {"Frame1", "Frame3", "SerNo", "RotStart", "Delay", "Enc1", "Enc10", "Label1", "Label6",
          "Label15", "Label22", "Selftest", "TestResult", "BtnDefaults"})
        EXPECT_FALSE(control(disabled)->isEnabled()) << disabled;
    for (const char *list : {"SerNo", "RotStart", "Delay", "Enc1", "Enc5", "Enc10"}) {
        EXPECT_EQ(this->list(list)->count(), 0) << list;
        EXPECT_EQ(this->list(list)->currentIndex(), -1) << list;
    }
    EXPECT_EQ(control<app::LampShape>("Shape1")->fillColourValue(), 0x8000000Fu);
    EXPECT_EQ(control<app::LampShape>("Shape1")->outlineColourValue(), 0x404040u);
    EXPECT_EQ(window->buttonLabelColourValue(0), 0x404040u);
}

TEST_F(FreshWindow, DiagnosticControlsLieOutsideTheClientArea)
{
    const QRect client(QPoint(0, 0), window->size());
    for (const char *name :
         {"BtnDefaults", "Selftest", "TestResult", "Text1", "Text2", "Text3", "Text4"}) {
        const QRect g = control(name)->geometry();
        EXPECT_FALSE(client.contains(g)) << name;
    }
    for (const char *name : {"Frame1", "Frame3", "ButtonsFrame", "RotStart", "Label22"})
        EXPECT_TRUE(client.contains(control(name)->geometry())) << name;
}

TEST_F(FreshWindow, TabOrderVisitsFocusableControlsInDesignOrder)
{
    window->show();
    const char *order[] = {
        "Delay",    "Enc1",     "Enc2",  "Enc3",  "Enc4",    "Enc5",         "Enc6",        "Enc7",
        "Enc8",     "Enc9",     "Enc10", "SerNo", "BtnTest", "BtnTestReset", "BtnTestCopy", "Text1",
        "RotStart", "Selftest", "Text2", "Text3", "Text4",   "BtnDefaults"};
    // Walk the chain once around from the first control, keeping the named controls.
    std::vector<std::string> visited;
    QWidget *first = control(order[0]);
    QWidget *w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty()
            && w->objectName() != "frmMain")
            visited.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    } while (w != first);
    EXPECT_EQ(visited, std::vector<std::string>(std::begin(order), std::end(order)));
}

TEST_F(FreshWindow, DrawsTheDesignedWindowToPng)
{
    window->show();
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.size() / image.devicePixelRatio(), QSize(590, 567));
    const QString dir = qEnvironmentVariable("TAMO_SCREENSHOT_DIR", QDir::tempPath());
    EXPECT_TRUE(image.save(dir + "/tamo-config-window.png"));
}

class DropDownListClicks : public ::testing::Test {
protected:
    app::DropDownList list;
    int clicks = 0;
    void SetUp() override
    {
        QObject::connect(&list, &app::DropDownList::clicked, [this] { ++clicks; });
        list.addItem("off");
        list.addItem("1:1");
    }
};

TEST_F(DropDownListClicks, CodeSelectingAnIndexRaisesOneClickEvenForTheSameItem)
{
    EXPECT_EQ(clicks, 0) << "adding items selects nothing by click";
    list.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    list.setListIndex(1);
    EXPECT_EQ(clicks, 2);
    list.setListIndex(-1);
    EXPECT_EQ(clicks, 2) << "clearing the selection selects no item";
    EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(DropDownListClicks, UserPickRaisesOneClickAlsoForTheSelectedItem)
{
    list.setListIndex(0);
    clicks = 0;
    ASSERT_TRUE(app::PickListItem(&list, "1:1"));
    EXPECT_EQ(clicks, 1);
    ASSERT_TRUE(app::PickListItem(&list, "1:1"));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_FALSE(app::PickListItem(&list, "1:9"));
    EXPECT_EQ(clicks, 2);
}

} // namespace tamo::test

namespace tamo::test {

class IndicatorGrid : public WindowFixture {
protected:
    void SetUp() override { start(); }
};

TEST_F(IndicatorGrid, PlacesThirtyTwoLampsInFourRowsWithTheirNumbersOnThem)
{
    ASSERT_EQ(window->lampCount(), 32);
    // Designed positions in twips: lamp 0 at 121.67, 317.76; lamp 7 at 3598.33; lamp 8 at
    // Top 819.87; lamp 31 at 3598.33, 1824.08; label 0 at Top 411.51.
    EXPECT_EQ(window->lamp(0)->geometry(), app::TwipsRect(121.67, 317.76, 375, 375));
    EXPECT_EQ(window->lamp(7)->geometry().topLeft(),
              app::TwipsRect(3598.33, 317.76, 1, 1).topLeft());
    EXPECT_EQ(window->lamp(8)->geometry().topLeft(),
              app::TwipsRect(121.67, 819.87, 1, 1).topLeft());
    EXPECT_EQ(window->lamp(31)->geometry().topLeft(),
              app::TwipsRect(3598.33, 1824.08, 1, 1).topLeft());
    EXPECT_EQ(window->buttonLabel(0)->geometry().top(), app::TwipsToPixels(411.51));
    for (int k = 0; k < 32; ++k) {
        QLabel *label = window->buttonLabel(k);
        EXPECT_EQ(label->text(), QString::number(k + 1));
        EXPECT_EQ(label->x(), window->lamp(k)->x());
        EXPECT_EQ(label->width(), window->lamp(k)->width());
        EXPECT_TRUE(label->isVisible() && window->lamp(k)->isVisible());
        EXPECT_EQ(label->parentWidget(), window->lamp(k)->parentWidget());
    }
    // The four rows fill only the upper part of the frame.
    EXPECT_LT(window->lamp(31)->geometry().bottom(), control("ButtonsFrame")->height() / 3);
}

} // namespace tamo::test
