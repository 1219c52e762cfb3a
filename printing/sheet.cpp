#include "sheet.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPageLayout>
#include <QPageSize>

#include "platform/fonts.h"

namespace Sheet {

namespace {

struct Page {
  QPainter &p;
  double dpmm; // device units per millimetre
  QPointF origin; // the band's top-left corner, in millimetres from the paper's

  double u(double mm) const { return mm * dpmm; }

  QFont font(double pt, bool bold = false) const {
    QFont f = Fonts::songPixels(1);
    f.setPixelSize(qRound(pt * 25.4 / 72.0 * dpmm));
    f.setBold(bold);
    return f;
  }

  // A text whose top-left corner stands at (left, top) of the band; it grows
  // to the right up to the band's right edge and wraps there.
  void text(double left, double top, const QString &t, double pt = 12, bool bold = false) {
    if (t.isEmpty())
      return;
    p.setFont(font(pt, bold));
    const QRectF r(u(origin.x() + left), u(origin.y() + top), u(190.0 - left), u(60));
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, t);
  }

  // A rule (one side 0.5 mm or less: a filled bar) or a box outline.
  void shape(double left, double top, double width, double height) {
    const QRectF r(u(origin.x() + left), u(origin.y() + top), u(width), u(height));
    if (width <= 0.5 || height <= 0.5) {
      p.fillRect(r, Qt::black);
    } else {
      p.setPen(QPen(Qt::black, u(0.3)));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r);
    }
  }
};

} // namespace

void render(QPainter &painter, const SheetData &d) {
  painter.save();
  const double dpmm = painter.device()->logicalDpiX() / 25.4;
  painter.fillRect(QRectF(0, 0, 210 * dpmm, 297 * dpmm), Qt::white);
  painter.setPen(Qt::black);

  // Page header band: the title.
  Page header{painter, dpmm, {kMargin, kMargin}};
  header.text(80.4, 2.1, QStringLiteral("学员基本信息表"), 16, true);

  Page b{painter, dpmm, {kMargin, kDetailTop}};
  // The information table.
  struct Cell {
    double left, top;
    QString text;
  };
  const Cell cells[] = {
      {4.2, 4.2, QStringLiteral("姓    名")},   {27.5, 4.2, d.name},       {95.2, 4.2, QStringLiteral("性    别")},
      {118.5, 4.2, d.sex},                        {4.2, 16.4, QStringLiteral("出生年月")}, {27.5, 16.4, d.birth},
      {95.2, 16.4, QStringLiteral("身份证号")},   {118.5, 16.4, d.idNumber}, {4.2, 28.6, QStringLiteral("教育程度")},
      {27.5, 28.6, d.education},                  {95.2, 28.6, QStringLiteral("毕业院校")}, {118.5, 28.6, d.school},
      {4.2, 41.0, QStringLiteral("家庭住址")},   {27.5, 41.0, d.address},   {95.2, 41.0, QStringLiteral("联系电话")},
      {118.5, 41.0, d.phone},                     {4.2, 53.2, QStringLiteral("手    机")}, {27.5, 53.2, d.mobile},
      {95.2, 53.2, QStringLiteral("邮    编")},   {118.5, 53.2, d.postcode}, {4.2, 65.6, QStringLiteral("培训班次")},
      {27.5, 65.6, d.subject},                    {95.2, 65.6, QStringLiteral("开始时间")}, {118.5, 65.6, d.start},
      // The receipt.
      {29.6, 97.4, d.today},
      {35.5, 106.1, QStringLiteral("交款单位\n（个人）")},
      {139.7, 105.8, QStringLiteral("使用范围")},
      {61.4, 108.5, d.name},
      {137.6, 116.4, QStringLiteral("    此收据\n只用做缴费\n证明和报销\n凭证。")},
      {37.0, 122.8, QStringLiteral("交  款\n项  目")},
      {61.4, 125.7, d.item},
      {29.6, 139.7, QStringLiteral("   金   额\n人民币（大写）")},
      {61.4, 142.3, d.amount},
      {101.6, 156.6, QStringLiteral("单位盖章：")},
      // The attendance card.
      {38.1, 206.9, QStringLiteral("编号：")},    {51.9, 206.9, d.number},   {90.0, 206.4, QStringLiteral("班次名称：")},
      {113.2, 206.4, d.className},                {38.1, 216.2, QStringLiteral("姓名:")}, {51.9, 216.2, d.name},
      {90.0, 215.9, QStringLiteral("开班时间：")}, {113.2, 215.9, d.start},
      {93.1, 237.1, QStringLiteral("公司盖章：")},
  };
  for (const Cell &c : cells)
    b.text(c.left, c.top, c.text);
  b.text(88.9, 92.1, QStringLiteral("收   据"), 15, true);
  b.text(86.8, 194.7, QStringLiteral("听 课 证"), 15, true);
  b.text(38.6, 226.5, QStringLiteral("注意：请注意开班时间，不要错过时间，按编号先后就坐！谢谢合作！"), 11);

  struct Shape {
    double left, top, width, height;
  };
  const Shape shapes[] = {
      {0.3, 0.3, 188.9, 0.5},   {0.3, 0.0, 0.5, 76.7},     {188.9, 0.0, 0.5, 76.7},   {0.3, 76.2, 188.9, 0.5},
      {0.3, 12.2, 188.9, 0.3},  {0.3, 24.9, 188.9, 0.3},   {0.3, 37.8, 188.9, 0.3},   {0.3, 49.5, 188.9, 0.3},
      {0.3, 62.7, 188.9, 0.3},  {24.6, 0.0, 0.3, 76.7},    {91.8, 0.0, 0.3, 76.7},    {115.4, 0.0, 0.3, 76.7},
      {28.6, 102.4, 136.8, 52.1}, {59.8, 102.9, 0.3, 51.6}, {130.4, 102.9, 0.3, 51.6}, {28.8, 118.8, 101.9, 0.3},
      {28.8, 136.8, 101.9, 0.3}, {130.7, 111.1, 34.7, 0.3}, {28.6, 191.6, 136.8, 54.2},
  };
  for (const Shape &s : shapes)
    b.shape(s.left, s.top, s.width, s.height);
  painter.restore();
}

void writePdf(const QString &path, const SheetData &d) {
  QPdfWriter w(path);
  w.setResolution(1200);
  w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  w.setTitle(QStringLiteral("学员基本信息表"));
  w.setCreator(QStringLiteral("CorvaneTessaly"));
  QPainter p(&w);
  render(p, d);
}

} // namespace Sheet
