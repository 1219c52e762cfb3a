#include "fonts.h"

#include <QStringList>

namespace {
QFont song() {
  QFont f(QStringLiteral("AR PL UMing CN"));
  f.setFamilies(QStringList() << QStringLiteral("AR PL UMing CN") << QStringLiteral("Noto Serif CJK SC")
                             << QStringLiteral("Noto Sans CJK SC"));
  return f;
}
} // namespace

namespace Fonts {
QFont songPixels(int px) {
  QFont f = song();
  f.setPixelSize(px);
  return f;
}
QFont songPoints(int pt) {
  QFont f = song();
  f.setPointSize(pt);
  return f;
}
QFont sans(int pt) {
  QFont f(QStringLiteral("Noto Sans CJK SC"));
  f.setPointSize(pt);
  return f;
}
} // namespace Fonts
