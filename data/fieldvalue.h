#pragma once
// Column types as the program sees them, and the conversion of what is
// written into a column (often text typed by the user) to the stored value.
#include <QString>
#include <QVariant>

enum class FieldType { Text, Integer, Float, Currency, Date, Boolean, Unknown };

struct Field {
  QString name;
  FieldType type = FieldType::Unknown;
};

namespace FieldValue {
// The type a declared SQLite column type stands for ("DATE", "CURRENCY" ...).
FieldType typeFromDeclaration(const QString &declared);
// The value to store for `v` written into `f`; text converts to the column's
// type ("yyyy-mm-dd" into a date). Throws EDatabaseError on text that does
// not fit the column. Empty text stores null.
QVariant toStorage(const Field &f, const QVariant &v);
// The value read back from the store, typed as the column is.
QVariant fromStorage(const Field &f, const QVariant &stored);
// The column's value as text ("True"/"False", dates "yyyy-mm-dd").
QString toText(const QVariant &v);
// Dates the user may type: the program's short date format "yyyy-mm-dd"
// and its usual variants ("yyyy/m/d", "yyyy.m.d", "yyyy-m-d").
QDate parseDate(const QString &text);
} // namespace FieldValue
