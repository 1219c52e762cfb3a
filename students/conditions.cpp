#include "conditions.h"

namespace Conditions {

namespace {
const std::pair<const char16_t *, const char16_t *> kFields[] = {
    {u"编号", u"编号"},         {u"姓名", u"姓名"},         {u"性别", u"性别"},     {u"出生年月", u"出生年月"},
    {u"教育程度", u"教育程度"}, {u"毕业院校", u"毕业院校"}, {u"家庭住址", u"住址"}, {u"身份证号", u"身份证号"},
    {u"联系电话", u"电话"},     {u"手机", u"手机"},         {u"邮编", u"邮编"},     {u"参加班次", u"参加班次"},
};

QString quoted(const QString &v) { return u'\'' + QString(v).replace(u'\'', QStringLiteral("''")) + u'\''; }
} // namespace

const QStringList &captions() {
  static const QStringList l = [] {
    QStringList r;
    for (const auto &f : kFields)
      r << QString::fromUtf16(f.first);
    return r;
  }();
  return l;
}

const QStringList &operators() {
  static const QStringList l{QStringLiteral("="), QStringLiteral("<="), QStringLiteral(">"), QStringLiteral("<>")};
  return l;
}

QString columnFor(const QString &fieldText) {
  for (const auto &f : kFields)
    if (fieldText == QString::fromUtf16(f.first))
      return QString::fromUtf16(f.second);
  return fieldText;
}

bool isDateField(const QString &fieldText) { return fieldText == QStringLiteral("出生年月"); }

QString line(bool first, Relation relation, const QString &fieldText, const QString &op, const QString &value) {
  QString connector;
  if (!first)
    connector = relation == Relation::And ? QStringLiteral("and ") : QStringLiteral("or ");
  const QString v = isDateField(fieldText) ? QStringLiteral("date(") + quoted(value) + u')' : quoted(value);
  return connector + columnFor(fieldText) + op + v;
}

QString selectList(const QStringList &names) {
  QString s = QStringLiteral("select");
  for (int i = 0; i < names.size(); ++i)
    s += (i == 0 ? QStringLiteral(" ") : QStringLiteral(",")) + names[i];
  return s;
}

QString statement(const QString &select, const QStringList &lines, const QString &fallback) {
  QString s = select + QStringLiteral(" from 学员基本信息");
  if (!lines.isEmpty()) {
    s += QStringLiteral(" where ");
    for (const QString &l : lines)
      s += l + QStringLiteral("\r\n");
  } else if (!fallback.isEmpty()) {
    s += QStringLiteral(" where ") + fallback;
  }
  return s;
}

} // namespace Conditions
