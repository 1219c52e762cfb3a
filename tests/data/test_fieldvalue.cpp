#include "data/errors.h"
#include "data/fieldvalue.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {
struct Case {
  FieldType type;
  QVariant written;
  QVariant stored; // invalid: refused
};

TEST(FieldValue, TextConvertsToTheColumnsType) {
  const Case cases[] = {
      {FieldType::Date, u"1980-01-01"_qs, u"1980-01-01"_qs},
      {FieldType::Date, u"2026/3/7"_qs, u"2026-03-07"_qs},
      {FieldType::Date, QDate(2026, 12, 11), u"2026-12-11"_qs},
      {FieldType::Date, u""_qs, QVariant()},
      {FieldType::Date, u"明天"_qs, QVariant(u"!"_qs)},
      {FieldType::Date, u"2026-02-30"_qs, QVariant(u"!"_qs)},
      {FieldType::Integer, u" 42 "_qs, qint64(42)},
      {FieldType::Integer, u"四十"_qs, QVariant(u"!"_qs)},
      {FieldType::Currency, u"￥1,234.5"_qs, 1234.5},
      {FieldType::Currency, u"0.123456"_qs, 0.1235},
      {FieldType::Currency, u"abc"_qs, QVariant(u"!"_qs)},
      {FieldType::Boolean, u"True"_qs, qint64(1)},
      {FieldType::Boolean, false, qint64(0)},
      {FieldType::Boolean, u"maybe"_qs, QVariant(u"!"_qs)},
      {FieldType::Text, qint64(7), u"7"_qs},
  };
  for (const Case &c : cases) {
    const Field f{u"列"_qs, c.type};
    SCOPED_TRACE(c.written.toString().toStdString());
    if (c.stored == QVariant(u"!"_qs)) {
      EXPECT_THROW(FieldValue::toStorage(f, c.written), EDatabaseError);
    } else {
      EXPECT_EQ(FieldValue::toStorage(f, c.written), c.stored);
    }
  }
}

TEST(FieldValue, RefusalNamesTheTextAndTheColumn) {
  try {
    FieldValue::toStorage({u"日期"_qs, FieldType::Date}, u"昨天"_qs);
    FAIL();
  } catch (const EDatabaseError &e) {
    EXPECT_TRUE(e.message().contains(u"昨天"_qs));
    EXPECT_TRUE(e.message().contains(u"日期"_qs));
  }
}

TEST(FieldValue, ReadBackTypedAndAsText) {
  EXPECT_EQ(FieldValue::fromStorage({u"d"_qs, FieldType::Date}, u"1980-01-01"_qs), QVariant(QDate(1980, 1, 1)));
  EXPECT_EQ(FieldValue::toText(FieldValue::fromStorage({u"b"_qs, FieldType::Boolean}, qint64(1))), u"True"_qs);
  EXPECT_EQ(FieldValue::toText(FieldValue::fromStorage({u"b"_qs, FieldType::Boolean}, qint64(0))), u"False"_qs);
  EXPECT_EQ(FieldValue::toText(QDate(2026, 1, 2)), u"2026-01-02"_qs);
  EXPECT_EQ(FieldValue::typeFromDeclaration(u"CURRENCY"_qs), FieldType::Currency);
  EXPECT_EQ(FieldValue::typeFromDeclaration(u"DATE"_qs), FieldType::Date);
}
} // namespace
