#pragma once
// The query condition builder's text: condition lines and the select
// statement built from them, exactly as the statement goes to the engine.
#include <QString>
#include <QStringList>

namespace Conditions {

enum class Relation { And, Or }; // "并且", "或者"

// The twelve field captions, in list order.
const QStringList &captions();
// The four operators (no ">=" and no "<").
const QStringList &operators();
// The column a caption stands for (家庭住址 → 住址, 联系电话 → 电话); text
// that is no caption is the column name as typed.
QString columnFor(const QString &fieldText);
bool isDateField(const QString &fieldText);

// One condition line: the connector ("and "/"or ", none for the first line),
// the column, the operator and the value. Values are quoted with single
// quotes, a quote inside doubled; a 出生年月 value is given as date('...'),
// which the engine compares as a date.
QString line(bool first, Relation relation, const QString &fieldText, const QString &op, const QString &value);

// "select" and the display names: the first after one space, the others
// after a comma ("select 编号,姓名").
QString selectList(const QStringList &names);

// The statement: select list, " from 学员基本信息", and a where part: every
// line of the list each followed by CR LF, or else (list empty) the single
// condition `fallback` if it is not empty, or else none.
QString statement(const QString &selectList, const QStringList &lines, const QString &fallback);

} // namespace Conditions
