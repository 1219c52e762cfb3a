#pragma once
// The faces that stand in for the Windows ones the screens were drawn with.
#include <QFont>

namespace Fonts {
// 宋体 (a Ming/Song face) at a pixel size.
QFont songPixels(int px);
// 宋体 at a point size.
QFont songPoints(int pt);
// "MS Sans Serif" 8 point: the sans face of the interface.
QFont sans(int pt = 8);
} // namespace Fonts
