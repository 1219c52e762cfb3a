#pragma once
// The record rules hung on the student and class plan datasets.
#include <QDate>
#include <QString>

class DataSet;
class TDM;

namespace Rules {

// The student number for the `n`th student of `day`: the day as "yyyymmdd"
// and n in three digits; from the 1000th on, n is written with the digits it
// needs, so every number stays unique.
QString studentNumber(const QDate &day, qint64 n);

// Takes the next number from the counter row of 记数 (creating the row when
// the table is empty) in one transaction, and writes 编号 and the default
// date of birth into the new student row.
void numberNewStudent(TDM &dm, DataSet &student);

// Today into 开始时间 and 结束时间 of a new class plan.
void classPlanDefaults(DataSet &plan);

// Required-field warnings before a post; they never stop the post.
void postclick(DataSet &student);
void postclick2(DataSet &plan);

inline constexpr const char16_t *kStudentWarning = u"请输入必添项:1、姓名，2、联系电话";
inline constexpr const char16_t *kClassWarning = u"请填必填项：1、班次,2、人数";
inline constexpr const char16_t *kDefaultBirthDate = u"1980-01-01";

} // namespace Rules
