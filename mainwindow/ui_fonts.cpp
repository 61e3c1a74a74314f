#include "mainwindow/ui_fonts.h"

#include <QStringList>

namespace {

QString uiFamily()
{
    return QString::fromUtf8("微软雅黑");
}

} // namespace

void installFontSubstitutions()
{
    // In order of preference; Qt takes the first one that is installed.
    QFont::insertSubstitutions(uiFamily(), {
        QStringLiteral("Microsoft YaHei"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Droid Sans Fallback"),
        QStringLiteral("AR PL UMing CN"),
    });
}

QFont uiFont(int pixelSize)
{
    QFont font(uiFamily());
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}
