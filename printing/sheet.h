#pragma once
// The student information sheet: one A4 page laid out in millimetres, drawn
// by a pure function of its texts so that a preview, a printer and a PDF
// all get the same page.
#include <QString>

class QPainter;
class QPagedPaintDevice;

struct SheetData {
  // The student (stuinf_table's current row)
  QString name, sex, birth, idNumber, education, school, address, phone, mobile, postcode, subject, number;
  // The class plan (kaibanjihua_table's current row)
  QString className, start;
  // Set at page start
  QString item;   // 参加"班次名称"培训
  QString amount; // the fee in capitals
  QString today;  // the day the sheet is produced
};

namespace Sheet {
// Where a text or box of the sheet stands on the paper, in millimetres from
// the paper's top-left corner (the page has 10 mm margins; the detail band
// starts 20.6 mm from the top).
inline constexpr double kMargin = 10.0;
inline constexpr double kDetailTop = 20.6;

// Draws the page on a painter whose device is an A4 page, full page.
void render(QPainter &p, const SheetData &d);
// Writes the page as a one-page PDF.
void writePdf(const QString &path, const SheetData &d);
} // namespace Sheet
