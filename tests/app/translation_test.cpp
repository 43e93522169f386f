// SPDX-License-Identifier: GPL-3.0-or-later
// Every language the tool carries, drawn at scale 1 and 2: each caption fits the box the
// design gives it, and a missing or broken translation leaves the window in English.
#include "board_window_fixture.h"
#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

namespace tamo::test {

namespace {

// How far right the text reaches when drawn in the widget's font, in device pixels.
int InkRight(const QWidget *widget, const QString &text, double scale)
{
    const QSize logical(widget->width() * 4 + 200, widget->height() * 2 + 20);
    QImage image((QSizeF(logical) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(widget->font());
    painter.setPen(Qt::black);
    painter.drawText(QRectF(QPointF(0, 0), logical), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = right + 1; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                right = x;
    return right;
}

// Where a label's room ends: its width, or sooner where a control drawn above it begins.
int RoomOf(const QLabel *label)
{
    int room = label->width();
    const QWidgetList siblings =
        label->parentWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (qsizetype i = siblings.indexOf(const_cast<QLabel *>(label)) + 1; i < siblings.size();
         ++i) {
        const QRect other = siblings[i]->geometry();
        if (!siblings[i]->isHidden() && other.left() > label->x()
            && other.intersects(label->geometry()))
            room = std::min(room, other.left() - label->x());
    }
    return room;
}

// Every caption in the visible window that does not fit its box, by name and text.
std::vector<std::string> Misfits(const app::MainWindow &window, double scale)
{
    std::vector<std::string> misfits;
    const QRect visible = window.rect();
    const auto check = [&](const QWidget *widget, const QString &text, int room) {
        if (text.isEmpty() || !visible.contains(widget->mapTo(&window, QPoint(0, 0))))
            return;
        if (InkRight(widget, text, scale) > room * scale - 1)
            misfits.push_back(widget->objectName().toStdString() + " \"" + text.toStdString()
                              + "\"");
    };
    for (const QLabel *label : window.findChildren<QLabel *>())
        if (!label->wordWrap())
            check(label, label->text(), RoomOf(label));
    for (const QGroupBox *frame : window.findChildren<QGroupBox *>())
        check(frame, frame->title(), frame->width() - 16);
    // A push button's frame and margins take some 4 pixels each side.
    for (const QPushButton *button : window.findChildren<QPushButton *>())
        check(button, button->text(), button->width() - 8);
    // The rest of a list is its frame and arrow.
    for (const QComboBox *box : window.findChildren<QComboBox *>())
        for (int i = 0; i < box->count(); ++i)
            check(box, box->itemText(i), box->width() - 20);
    return misfits;
}

// A translation that makes one caption far longer than the design has room for.
class StretchingTranslator : public QTranslator {
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        if (qstrcmp(source, "Pulse length") == 0)
            return QStringLiteral("Length of the encoder's pulses");
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class Translated : public BoardWindow {
protected:
    void TearDown() override { app::InstallLanguage(QStringLiteral("en")); }
    void showWindow()
    {
        addBoard(u"TAMO0001");
        start();
        window->show();
    }
    std::string caption(const char *name) { return control<QLabel>(name)->text().toStdString(); }
};

TEST_F(Translated, EveryCarriedLanguageFitsTheDesignedWidthsAtScaleOneAndTwo)
{
    const QStringList languages = app::CarriedLanguages();
    ASSERT_EQ(languages.size(), 6) << languages.join(u' ').toStdString();
    for (const QString &code : languages) {
        ASSERT_EQ(app::InstallLanguage(code), code);
        showWindow();
        EXPECT_NE(caption("Label4"), "Manufacturer") << code.toStdString() << " not shown";
        for (double scale : {1.0, 2.0})
            EXPECT_EQ(Misfits(*window, scale), std::vector<std::string>{})
                << code.toStdString() << " at " << scale;
        window.reset();
    }
}

TEST_F(Translated, ACaptionTooLongForItsBoxIsFound)
{
    StretchingTranslator stretching;
    QCoreApplication::installTranslator(&stretching);
    showWindow();
    QCoreApplication::removeTranslator(&stretching);
    for (double scale : {1.0, 2.0})
        EXPECT_EQ(Misfits(*window, scale),
                  std::vector<std::string>{"Label1 \"Length of the encoder's pulses\""});
}

TEST_F(Translated, AMissingOrBrokenTranslationLeavesTheWindowInEnglish)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile broken(dir.filePath(QStringLiteral("tamo-config_de.qm")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a translation");
    broken.close();
    EXPECT_EQ(app::InstallLanguage(QStringLiteral("de"), dir.path()), "en");
    EXPECT_EQ(app::InstallLanguage(QStringLiteral("fr"), dir.path()), "en");
    EXPECT_EQ(app::InstallLanguage(QStringLiteral("xx")), "en");
    EXPECT_EQ(app::ShownLanguage(), "en");
    // A language carried after one that was not: the earlier failure left nothing behind.
    EXPECT_EQ(app::InstallLanguage(QStringLiteral("de_AT")), "de");
    EXPECT_EQ(app::InstallLanguage(QStringLiteral("de"), dir.path()), "en");
    showWindow();
    EXPECT_EQ(caption("Label4"), "Manufacturer");
    EXPECT_EQ(caption("Label1"), "Pulse length");
    EXPECT_EQ(list("Enc1")->itemText(0).toStdString(), "off");
}

} // namespace tamo::test
