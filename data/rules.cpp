#include "rules.h"

#include "datamodule.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

namespace Rules {

QString studentNumber(const QDate &day, qint64 n) {
  return day.toString(u"yyyyMMdd") + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

void numberNewStudent(TDM &dm, DataSet &student) {
  DataSet &counter = *dm.jishu_table;
  const QDate today = Clock::today();
  const QString day = today.toString(u"yyyyMMdd");
  qint64 n;
  try {
    // Read, increment and write in one transaction, so that two programs on
    // the same file never hand out the same number.
    Transaction tx(dm.ADOConnection1);
    counter.refresh();
    if (!counter.isEmpty() && counter.asString(QStringLiteral("日期")) == day) {
      n = counter.asInteger(QStringLiteral("计数")) + 1;
      counter.edit();
      counter.setValue(QStringLiteral("计数"), n);
    } else {
      n = 1;
      counter.edit(); // with 记数 empty this starts the counter row
      counter.setValue(QStringLiteral("日期"), day);
      counter.setValue(QStringLiteral("计数"), n);
    }
    counter.post();
    tx.commit();
  } catch (...) {
    if (counter.state() == DataSetState::Edit || counter.state() == DataSetState::Insert)
      counter.cancel();
    try {
      counter.refresh();
    } catch (...) {
    }
    throw;
  }
  student.setValue(QStringLiteral("编号"), studentNumber(today, n));
  student.setValue(QStringLiteral("出生年月"), QString::fromUtf16(kDefaultBirthDate));
}

void classPlanDefaults(DataSet &plan) {
  const QString today = Clock::today().toString(u"yyyy-MM-dd");
  plan.setValue(QStringLiteral("开始时间"), today);
  plan.setValue(QStringLiteral("结束时间"), today);
}

namespace {
void requireFields(DataSet &ds, const char16_t *first, const char16_t *second, const char16_t *text) {
  if (ds.asString(QString::fromUtf16(first)).isEmpty() || ds.asString(QString::fromUtf16(second)).isEmpty())
    Dialogs::warning(nullptr, QString::fromUtf16(text), Dialogs::Cancel);
}
} // namespace

void postclick(DataSet &student) { requireFields(student, u"姓名", u"电话", kStudentWarning); }
void postclick2(DataSet &plan) { requireFields(plan, u"班次名称", u"总人数", kClassWarning); }

} // namespace Rules
