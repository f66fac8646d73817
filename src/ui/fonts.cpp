#include "ui/fonts.h"

namespace ui {
namespace {

QFont byPixelHeight(const QString& family, int pixelHeight, bool bold)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont verdana(int pixelHeight, bool bold) { return byPixelHeight(QStringLiteral("Verdana"), pixelHeight, bold); }
QFont tahoma(int pixelHeight, bool bold) { return byPixelHeight(QStringLiteral("Tahoma"), pixelHeight, bold); }

}  // namespace ui
