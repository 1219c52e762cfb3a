#include "capitals.h"

#include <cmath>
#include <cstdio>

namespace {
// Entry k of the capitals table is the k-th character.
const QString kTable = QStringLiteral("零壹贰叁肆伍陆柒捌玖◇分角圆拾佰仟万拾佰仟亿拾佰仟万");

QString entry(int k) { return k >= 0 && k < kTable.size() ? QString(kTable[k]) : QString(); }

QString ChooseStr(bool condition, const QString &a, const QString &b) { return condition ? a : b; }

int digitAt(const QString &s, int i) {
  if (i < 0 || i >= s.size() || !s[i].isDigit())
    return 0; // a character that is not a digit counts as 0
  return s[i].digitValue();
}
} // namespace

QString formatHundredths(double a) {
  a = std::fabs(a);
  if (a == 0 || !std::isfinite(a))
    return QStringLiteral("0.00");
  // The double's decimal digits as fifteen significant digits, then rounded
  // at the hundredths by decimal arithmetic, half away from zero.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", a);
  QString digits;
  int exp = 0;
  {
    const QString t = QString::fromLatin1(buf);
    const int e = int(t.indexOf(u'e'));
    digits = t.left(e);
    digits.remove(u'.');
    exp = t.mid(e + 1).toInt();
  }
  // digits d0 d1 ... stand for 0.d0d1... x 10^(exp+1); keep the digits down
  // to the hundredths.
  const int keep = exp + 1 + 2;
  QString hundredths; // the amount in hundredths, as decimal digits
  if (keep <= 0) {
    hundredths = (keep == 0 && digits[0].digitValue() >= 5) ? QStringLiteral("1") : QStringLiteral("0");
  } else {
    if (keep >= digits.size()) {
      hundredths = digits + QString(keep - digits.size(), u'0');
    } else {
      hundredths = digits.left(keep);
      if (digits[keep].digitValue() >= 5) {
        int i = int(hundredths.size()) - 1;
        while (i >= 0 && hundredths[i] == u'9')
          hundredths[i--] = u'0';
        if (i < 0)
          hundredths.prepend(u'1');
        else
          hundredths[i] = QChar(u'0' + hundredths[i].digitValue() + 1);
      }
    }
  }
  while (hundredths.size() > 1 && hundredths[0] == u'0')
    hundredths.remove(0, 1);
  while (hundredths.size() < 3)
    hundredths.prepend(u'0');
  return hundredths.left(hundredths.size() - 2) + u'.' + hundredths.right(2);
}

QString AmountInCapitals(double amount) {
  if (amount == 0)
    return QStringLiteral("零");
  if (amount < 0)
    return QStringLiteral("负") + AmountInCapitals(-amount);
  const QString s = formatHundredths(amount);
  const int n = int(s.size()) - 3;
  const bool small = amount < 1;

  QString integer;
  for (int p = 1; p <= n; ++p) {
    const int d = digitAt(s, n - p);
    QString piece;
    if (d != 0) {
      piece = entry(d) + ChooseStr(p <= 13, entry(12 + p), QString());
    } else if (p == 1) {
      piece = ChooseStr(small, QString(), entry(13));
    } else if (p == 5) {
      piece = entry(17);
    } else if (p == 9) {
      piece = entry(21);
    } else {
      piece = ChooseStr(digitAt(s, n - p + 1) != 0, entry(0), QString());
    }
    integer.prepend(piece);
  }

  const int f = digitAt(s, int(s.size()) - 1);
  const int j = digitAt(s, int(s.size()) - 2);
  const QString hundredthsPiece = ChooseStr(f != 0, entry(f) + entry(11), QStringLiteral("整"));
  const QString tenthsPiece =
      j != 0 ? entry(j) + entry(12) : ChooseStr(f != 0 && !small, entry(0), QString());

  const int pair = int(integer.indexOf(QStringLiteral("亿万")));
  if (pair >= 0)
    integer.remove(pair + 1, 1);
  return integer + tenthsPiece + hundredthsPiece;
}
