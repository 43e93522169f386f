// SPDX-License-Identifier: GPL-3.0-or-later
// The window's text at the scale factors of high-DPI screens: drawn at the designed size with
// its letters in place, and never wider than the fixed label widths of the layout.
#include "app_font.h"
#include "board_window_fixture.h"

#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace tamo::test {

namespace {

constexpr double kScales[] = {1.0, 1.25, 1.5, 2.0};

// Where a drawing has ink, in device pixels: how far it reaches, how high its glyphs are, and
// how many pixel columns the letters themselves cover (gaps between letters not counted).
struct Ink {
    int left = 0;
    int right = -1;
    int top = 0;
    int bottom = -1;
    int columns = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Ink FindInk(const QImage &image, QRgb background)
{
    // Disabled text is drawn light: ink is what is at least half as far from the background
    // as the darkest pixel.
    const int bg = qGray(background);
    int darkest = bg;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    Ink ink{image.width(), -1, image.height(), -1, 0};
    if (darkest == bg)
        return ink;
    const int threshold = (bg + darkest) / 2;
    for (int x = 0; x < image.width(); ++x) {
        bool inked = false;
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) > threshold)
                continue;
            inked = true;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
        if (inked) {
            ++ink.columns;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

// The widget as the screen would show it at this device pixel ratio.
QImage RenderAt(QWidget *widget, double scale)
{
    QImage image((QSizeF(widget->size()) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The text drawn in the widget's font with nothing to stop it, at this device pixel ratio.
Ink UnclippedInk(const QWidget *widget, const QString &text, double scale)
{
    const QSize logical(widget->width() * 3 + 40, widget->height() * 3 + 40);
    QImage image((QSizeF(logical) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(widget->font());
    painter.setPen(Qt::black);
    painter.drawText(QRectF(QPointF(0, 0), logical), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    return FindInk(image, qRgb(255, 255, 255));
}

} // namespace

class TextAtScale : public BoardWindow {
protected:
    void SetUp() override
    {
        addBoard(u"TAMO0001");
        start();
        window->show();
    }

    // Every control that shows a fixed caption in the visible window.
    std::vector<QLabel *> captions() const
    {
        std::vector<QLabel *> labels;
        for (const char *name : {"Label3", "Label4", "Label5", "Label2", "Label1", "Label22"})
            labels.push_back(control<QLabel>(name));
        for (int n = 6; n <= 15; ++n)
            labels.push_back(control<QLabel>(("Label" + std::to_string(n)).c_str()));
        for (int k = 0; k < 32; ++k)
            labels.push_back(window->buttonLabel(k));
        return labels;
    }
};

TEST_F(TextAtScale, CaptionsAtTwiceThePixelRatioAreDrawnTwiceAsLargeWithLettersInPlace)
{
    for (const char *name : {"Label3", "Label6", "Label22"}) {
        QLabel *label = control<QLabel>(name);
        const Ink once = FindInk(RenderAt(label, 1.0), qRgb(255, 255, 255));
        const Ink twice = FindInk(RenderAt(label, 2.0), qRgb(255, 255, 255));
        ASSERT_GT(once.columns, 0) << name << " draws nothing";
        SCOPED_TRACE(label->text().toStdString());
        // A bitmap face without glyphs for the size draws 1x letters on a 2x grid: the span
        // is nearly right, but the letters cover half the columns and half the height.
        EXPECT_NEAR(twice.width(), 2.0 * once.width(), 0.05 * 2.0 * once.width());
        EXPECT_NEAR(twice.columns, 2.0 * once.columns, 0.08 * 2.0 * once.columns);
        EXPECT_NEAR(twice.height(), 2.0 * once.height(), 0.12 * 2.0 * once.height());
    }
}

TEST_F(TextAtScale, EveryCaptionFitsItsDesignedBoxAtEveryScale)
{
    for (double scale : kScales) {
        for (QLabel *label : captions()) {
            const Ink ink = UnclippedInk(label, label->text(), scale);
            SCOPED_TRACE(label->objectName().toStdString() + " \"" + label->text().toStdString()
                         + "\" at " + std::to_string(scale));
            ASSERT_GT(ink.columns, 0);
            EXPECT_LE(ink.right, label->width() * scale - 1);
            EXPECT_LE(ink.bottom, label->height() * scale - 1);
        }
    }
}

TEST_F(TextAtScale, FrameTitlesFitAtEveryScaleAndListsShowTheirLongestItemWhole)
{
    for (double scale : kScales) {
        for (const char *name : {"Frame1", "Frame3", "ButtonsFrame"}) {
            auto *frame = control<QGroupBox>(name);
            const Ink ink = UnclippedInk(frame, frame->title(), scale);
            EXPECT_LT(ink.right, (frame->width() - 16) * scale) << name << " at " << scale;
        }
    }
    for (const char *name : {"Enc1", "Enc10", "Delay", "RotStart"}) {
        QComboBox *box = list(name);
        ASSERT_GT(box->count(), 0) << name;
        const QFontMetricsF metrics(box->font());
        qreal widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(box->itemText(i)));
        // The rest of the box is its frame and arrow.
        EXPECT_LE(widest, box->width() - 20) << name;
    }
}

TEST(SubstituteFont, AWiderFaceIsShrunkUntilTheTextFitsAndANarrowOneIsLeftAlone)
{
    QFont wide(QStringLiteral("DejaVu Sans"));
    wide.setPointSizeF(9.75);
    const QString caption = QStringLiteral("Manufacturer");
    const qreal natural = QFontMetricsF(wide).horizontalAdvance(caption);
    ASSERT_GT(natural, 60.0);

    const QFont shrunk = app::ShrunkToFit(wide, caption, 60.0);
    EXPECT_LE(QFontMetricsF(shrunk).horizontalAdvance(caption), 60.0);
    EXPECT_GT(QFontMetricsF(shrunk).horizontalAdvance(caption), 50.0) << "shrunk too far";
    EXPECT_EQ(shrunk.family(), wide.family());

    EXPECT_EQ(app::ShrunkToFit(wide, caption, natural + 1).pointSizeF(), 9.75);
}

} // namespace tamo::test
