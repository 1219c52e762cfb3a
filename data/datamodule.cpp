#include "datamodule.h"

#include "rules.h"
#include "schema.h"

TDM *DM = nullptr;

TDM::TDM(const QString &path, QObject *parent) : QObject(parent) {
  setObjectName(QStringLiteral("DM"));
  Schema::openAndCheck(ADOConnection1, path);

  auto table = [this](const char *name, const char16_t *tableName) {
    auto *t = new TableDataSet(ADOConnection1, QString::fromLatin1(name), this);
    t->setTableName(QString::fromUtf16(tableName));
    return t;
  };
  auto source = [this](DataSet *ds, const char *name) { return new DataSource(ds, QString::fromLatin1(name), this); };
  auto query = [this](const char *name) {
    auto *q = new QueryDataSet(ADOConnection1, QString::fromLatin1(name), this);
    q->addSql(QStringLiteral("select * from 学员基本信息"));
    return q;
  };

  stuinf_table = table("stuinf_table", u"学员基本信息");
  stuinf_ds = source(stuinf_table, "stuinf_ds");
  jishu_table = table("jishu_table", u"记数");
  xuexiaoliebiao_table = table("xuexiaoliebiao_table", u"学校列表");
  xuexiao_ds = source(xuexiaoliebiao_table, "xuexiao_ds");
  kexuanfield_table = table("kexuanfield_table", u"可选字段");
  xianshifield_table = table("xianshifield_table", u"显示字段");
  xianshifield_ds = source(xianshifield_table, "xianshifield_ds");
  kexuanfield_ds = source(kexuanfield_table, "kexuanfield_ds");
  stuinf_query = query("stuinf_query");
  stuinfquery_ds = source(stuinf_query, "stuinfquery_ds");
  jiaofeistuinf_query = query("jiaofeistuinf_query");
  jiaofeistuinf_ds = source(jiaofeistuinf_query, "jiaofeistuinf_ds");
  kaibanjihua_table = table("kaibanjihua_table", u"开班计划");
  kaibanjihua_ds = source(kaibanjihua_table, "kaibanjihua_ds");
  zhichu_table = table("zhichu_table", u"支出");
  zhichu_ds = source(zhichu_table, "zhichu_ds");

  stuinf_table->setMaster(kaibanjihua_ds, QStringLiteral("班次名称"), QStringLiteral("参加班次"));
  stuinf_table->afterInsert = [this](DataSet &d) { stuinf_tableAfterInsert(d); };
  stuinf_table->beforePost = [this](DataSet &d) { stuinf_tableBeforePost(d); };
  stuinf_table->afterPost = [this](DataSet &d) { stuinf_tableAfterPost(d); };
  kaibanjihua_table->afterInsert = [this](DataSet &d) { kaibanjihua_tableAfterInsert(d); };
  kaibanjihua_table->beforePost = [this](DataSet &d) { kaibanjihua_tableBeforePost(d); };
  kaibanjihua_table->afterPost = [this](DataSet &d) { kaibanjihua_tableAfterPost(d); };

  // The master opens before its detail, so the student table is read once,
  // for the first class plan.
  kaibanjihua_table->open();
  for (DataSet *ds : dataSets())
    ds->open();
  if (!DM)
    DM = this;
}

TDM::~TDM() {
  if (DM == this)
    DM = nullptr;
}

QList<DataSet *> TDM::dataSets() const {
  return {stuinf_table,  jishu_table, xuexiaoliebiao_table, kexuanfield_table, xianshifield_table,
          stuinf_query, jiaofeistuinf_query, kaibanjihua_table, zhichu_table};
}

void TDM::stuinf_tableAfterInsert(DataSet &d) { Rules::numberNewStudent(*this, d); }
void TDM::stuinf_tableBeforePost(DataSet &d) { Rules::postclick(d); }
void TDM::stuinf_tableAfterPost(DataSet &) {}
void TDM::kaibanjihua_tableAfterInsert(DataSet &d) { Rules::classPlanDefaults(d); }
void TDM::kaibanjihua_tableBeforePost(DataSet &d) { Rules::postclick2(d); }
void TDM::kaibanjihua_tableAfterPost(DataSet &) { emit classCountChanged(classCountText()); }

QString TDM::classCountText() { return QStringLiteral("共开了%1个班次").arg(kaibanjihua_table->recordCount()); }
