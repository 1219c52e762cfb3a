#pragma once
// The program's own pictures, drawn at run time: icons of the tool bar and
// side bar, the home page's pictures and arrows.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace Pictures {
// A rounded tile in `colour` bearing `glyph` (one or two characters).
QPixmap tile(const QString &glyph, const QColor &colour, int size);
QIcon icon(const QString &glyph, const QColor &colour);
enum class Direction { Right, Down };
QPixmap arrow(Direction d, int length, int thickness);
} // namespace Pictures
