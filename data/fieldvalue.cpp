#include "fieldvalue.h"

#include "errors.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace FieldValue {

FieldType typeFromDeclaration(const QString &declared) {
  const QString t = declared.trimmed().toUpper();
  if (t.isEmpty())
    return FieldType::Unknown;
  if (t.startsWith(u"DATE") || t.startsWith(u"TIME"))
    return FieldType::Date;
  if (t.startsWith(u"BOOL"))
    return FieldType::Boolean;
  if (t.startsWith(u"CURRENCY") || t.startsWith(u"MONEY"))
    return FieldType::Currency;
  if (t.contains(u"INT"))
    return FieldType::Integer;
  if (t.startsWith(u"REAL") || t.startsWith(u"FLOA") || t.startsWith(u"DOUB") || t.startsWith(u"NUMERIC"))
    return FieldType::Float;
  return FieldType::Text;
}

QDate parseDate(const QString &text) {
  static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{4})[-/.](\d{1,2})[-/.](\d{1,2})\s*$)"));
  const auto m = re.match(text);
  if (!m.hasMatch())
    return {};
  return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

namespace {
[[noreturn]] void refuse(const Field &f, const QString &text, const QString &what) {
  throw EDatabaseError(QStringLiteral("“%1”不是有效的%2（字段“%3”）").arg(text, what, f.name));
}

bool isBlank(const QVariant &v) {
  return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}
} // namespace

QVariant toStorage(const Field &f, const QVariant &v) {
  if (isBlank(v))
    return {};
  switch (f.type) {
  case FieldType::Date: {
    if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
      const QDate d = v.toDate();
      return d.isValid() ? QVariant(d.toString(u"yyyy-MM-dd")) : QVariant();
    }
    const QDate d = parseDate(v.toString());
    if (!d.isValid())
      refuse(f, v.toString(), QStringLiteral("日期"));
    return d.toString(u"yyyy-MM-dd");
  }
  case FieldType::Boolean: {
    if (v.typeId() == QMetaType::Bool)
      return qint64(v.toBool() ? 1 : 0);
    const QString t = v.toString().trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t == u"1" || t == u"是")
      return qint64(1);
    if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t == u"0" || t == u"否")
      return qint64(0);
    refuse(f, t, QStringLiteral("逻辑值"));
  }
  case FieldType::Integer: {
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
      return v.toLongLong();
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    if (!ok)
      refuse(f, v.toString(), QStringLiteral("整数"));
    return n;
  }
  case FieldType::Currency:
  case FieldType::Float: {
    double d;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
      d = v.toDouble();
    } else {
      QString t = v.toString().trimmed();
      t.remove(u'￥').remove(u'¥').remove(u',').remove(u' ');
      bool ok = false;
      d = t.toDouble(&ok);
      if (!ok || !std::isfinite(d))
        refuse(f, v.toString(), f.type == FieldType::Currency ? QStringLiteral("金额") : QStringLiteral("数值"));
    }
    // Money keeps four decimals, as a currency column does.
    if (f.type == FieldType::Currency)
      d = std::round(d * 10000.0) / 10000.0;
    return d;
  }
  case FieldType::Text:
  case FieldType::Unknown:
    break;
  }
  if (v.typeId() == QMetaType::QDate)
    return v.toDate().toString(u"yyyy-MM-dd");
  if (f.type == FieldType::Text)
    return toText(v);
  return v;
}

QVariant fromStorage(const Field &f, const QVariant &s) {
  if (!s.isValid() || s.isNull())
    return {};
  switch (f.type) {
  case FieldType::Date: {
    const QDate d = parseDate(s.toString());
    return d.isValid() ? QVariant(d) : s;
  }
  case FieldType::Boolean:
    if (s.typeId() == QMetaType::QString)
      return s.toString().compare(u"true", Qt::CaseInsensitive) == 0 || s.toString() == u"1";
    return s.toLongLong() != 0;
  case FieldType::Currency:
  case FieldType::Float:
    if (s.typeId() == QMetaType::QString)
      return s;
    return s.toDouble();
  case FieldType::Text:
    return s.typeId() == QMetaType::QString ? s : QVariant(toText(s));
  default:
    return s;
  }
}

QString toText(const QVariant &v) {
  if (!v.isValid() || v.isNull())
    return {};
  switch (v.typeId()) {
  case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  case QMetaType::QDate: return v.toDate().toString(u"yyyy-MM-dd");
  case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
  default: return v.toString();
  }
}

} // namespace FieldValue
