// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_font.h"

#include "app_resources.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

namespace tamo::app {

namespace {
constexpr double kDesignPointSize = 9.75;
// The design names "MS Sans Serif", but the ones Linux has (fonts-wine's) and Windows'
// sserife.fon are bitmaps in a few pixel sizes: at a scale factor above 1 Qt draws the 1x
// glyphs on the scaled advance grid, letters pulled apart. Tahoma is the scalable face that
// Windows' own dialogs took in its place, and its widths fit the designed labels.
const char *const kDesignFamily = "Tahoma";
// The caption with the least room to spare in the layout: "Manufacturer" in 1215 twips, less
// a pixel. A substitute face is shrunk until this fits; Tahoma fits it at its designed size.
const char *const kTightestCaption = "Manufacturer";
constexpr double kTightestCaptionPixels = 1215.0 / 15.0 - 1.0;

bool LoadDesignFamily()
{
    const QString family = QString::fromLatin1(kDesignFamily);
    if (QFontDatabase::families().contains(family) && QFontDatabase::isSmoothlyScalable(family))
        return true;
    // fonts-wine keeps its faces out of fontconfig's paths.
    const QStringList candidates = {
        QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
        QStringLiteral("/usr/share/fonts/truetype/wine/tahoma.ttf"),
    };
    for (const QString &path : candidates) {
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
            return true;
    }
    return false;
}

QFont SubstituteFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kDesignPointSize);
    return ShrunkToFit(font, QString::fromLatin1(kTightestCaption), kTightestCaptionPixels);
}
} // namespace

QFont ShrunkToFit(QFont font, const QString &text, double pixels)
{
    // Hinting does not scale widths exactly in proportion: shrink by the ratio until it fits.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const qreal width = QFontMetricsF(font).horizontalAdvance(text);
        if (width <= pixels || font.pointSizeF() <= 1.0)
            break;
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * pixels / width * 0.99));
    }
    return font;
}

QFont DesignFont()
{
    static const QFont design = [] {
        QFont font;
        if (LoadDesignFamily()) {
            font.setFamily(QString::fromLatin1(kDesignFamily));
            font.setPointSizeF(kDesignPointSize);
        } else {
            font = SubstituteFont();
        }
        font.setWeight(QFont::Normal);
        font.setItalic(false);
        font.setUnderline(false);
        font.setStrikeOut(false);
        return font;
    }();
    return design;
}

QIcon AppIcon()
{
    LoadAppResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tamo-config-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/tamo-config-16.png"), QSize(16, 16));
    return icon;
}

} // namespace tamo::app
