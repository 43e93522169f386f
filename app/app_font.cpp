#include "app_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace tamo::app {

namespace {
constexpr double kDesignPointSize = 9.75;
const char *const kDesignFamily = "MS Sans Serif";

bool LoadDesignFamily()
{
    if (QFontDatabase::families().contains(QString::fromLatin1(kDesignFamily)))
        return true;
    const QStringList candidates = {
        QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"),
        QStringLiteral("/usr/share/fonts/truetype/wine/ms_sans_serif.ttf"),
    };
    for (const QString &path : candidates) {
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
            return true;
    }
    return false;
}
} // namespace

QFont DesignFont()
{
    static const bool haveDesignFamily = LoadDesignFamily();
    QFont font;
    if (haveDesignFamily) {
        font.setFamily(QString::fromLatin1(kDesignFamily));
    } else {
        font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arial")});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(kDesignPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QIcon AppIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tamo-config-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/tamo-config-16.png"), QSize(16, 16));
    return icon;
}

} // namespace tamo::app
