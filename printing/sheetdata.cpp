#include "sheetdata.h"

#include "capitals.h"
#include "data/datamodule.h"
#include "platform/clock.h"

namespace {
QString field(DataSet &ds, const char16_t *name) {
  if (ds.isEmpty())
    return {};
  return ds.asString(QString::fromUtf16(name));
}
} // namespace

double sheetFee(TDM &dm) {
  DataSet &plan = *dm.kaibanjihua_table;
  DataSet &student = *dm.stuinf_table;
  const bool ownMaterials = !student.isEmpty() && student.value(QStringLiteral("是否自备资料")).toBool();
  double fee = plan.asFloat(QStringLiteral("培训费"));
  if (!ownMaterials)
    fee += plan.asFloat(QStringLiteral("资料费"));
  return fee;
}

SheetData QuickRep1StartPage(TDM &dm) {
  DataSet &plan = *dm.kaibanjihua_table;
  DataSet &s = *dm.stuinf_table;
  const QString className = field(plan, u"班次名称");
  if (className.isEmpty())
    throw EDatabaseError(QStringLiteral("没有可以打印收据的班次：请先在“开班计划”中建立班次并填写班次名称"));
  SheetData d;
  d.item = QStringLiteral("参加\"") + className + QStringLiteral("\"培训");
  d.amount = AmountInCapitals(sheetFee(dm));
  d.name = field(s, u"姓名");
  d.sex = field(s, u"性别");
  d.birth = field(s, u"出生年月");
  d.idNumber = field(s, u"身份证号");
  d.education = field(s, u"教育程度");
  d.school = field(s, u"毕业院校");
  d.address = field(s, u"住址");
  d.phone = field(s, u"电话");
  d.mobile = field(s, u"手机");
  d.postcode = field(s, u"邮编");
  d.subject = field(s, u"培训科目");
  d.number = field(s, u"编号");
  d.className = className;
  d.start = field(plan, u"开始时间");
  d.today = Clock::today().toString(u"yyyy-MM-dd");
  return d;
}
