#include "statustext.h"

#include "datamodule.h"

namespace StatusText {

QString classPanel(TDM &dm) {
  TableDataSet &plans = *dm.kaibanjihua_table;
  QString name = plans.isEmpty() ? QString() : plans.asString(QStringLiteral("班次名称"));
  if (name.isEmpty())
    name = QStringLiteral("（无）");
  return QStringLiteral("当前班次:") + name + QStringLiteral("    ") + QStringLiteral("共有学员:") +
         QString::number(dm.stuinf_table->recordCount());
}

QString studentPanel(TDM &dm) {
  TableDataSet &students = *dm.stuinf_table;
  const QString name = students.isEmpty() ? QString() : students.asString(QStringLiteral("姓名"));
  return name.isEmpty() ? QString() : QStringLiteral("当前学员:") + name;
}

} // namespace StatusText
