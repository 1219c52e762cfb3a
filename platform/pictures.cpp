#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Pictures {

QPixmap tile(const QString &glyph, const QColor &colour, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, colour.lighter(135));
  g.setColorAt(1, colour.darker(115));
  p.setBrush(g);
  p.setPen(QPen(colour.darker(150), std::max(1.0, size / 45.0)));
  p.drawRoundedRect(r, size * 0.18, size * 0.18);
  QFont f(QStringLiteral("Noto Sans CJK SC"));
  f.setBold(true);
  f.setPixelSize(int(size * (glyph.size() > 1 ? 0.36 : 0.58)));
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(r, Qt::AlignCenter, glyph);
  return pm;
}

QIcon icon(const QString &glyph, const QColor &colour) {
  QIcon i;
  for (int s : {16, 24, 32, 48})
    i.addPixmap(tile(glyph, colour, s));
  return i;
}

QPixmap arrow(Direction d, int length, int thickness) {
  const bool right = d == Direction::Right;
  QPixmap pm(right ? length : thickness * 3, right ? thickness * 3 : length);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 110, 170));
  QPainterPath path;
  const qreal t = thickness, head = thickness * 1.5;
  if (right) {
    const qreal cy = pm.height() / 2.0;
    path.addRect(0, cy - t / 2, length - head * 1.4, t);
    QPolygonF tip{{length - head * 1.6, cy - head}, {qreal(length), cy}, {length - head * 1.6, cy + head}};
    path.addPolygon(tip);
  } else {
    const qreal cx = pm.width() / 2.0;
    path.addRect(cx - t / 2, 0, t, length - head * 1.4);
    QPolygonF tip{{cx - head, length - head * 1.6}, {cx, qreal(length)}, {cx + head, length - head * 1.6}};
    path.addPolygon(tip);
  }
  p.drawPath(path.simplified());
  return pm;
}

} // namespace Pictures
