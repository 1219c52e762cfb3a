#include "data/datamodule.h"
#include "data/schema.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(Schema, DeliveredFileHasTheTablesAndTheChooserRows) {
  TempDb db;
  TDM dm(db.path);
  for (DataSet *ds : dm.dataSets())
    EXPECT_TRUE(ds->active()) << ds->objectName().toStdString();
  EXPECT_EQ(dm.stuinf_table->fields().size(), 15);
  EXPECT_EQ(dm.kaibanjihua_table->fields().size(), 7);
  EXPECT_EQ(dm.kaibanjihua_table->fields()[0].name, u"班次名称"_qs);
  EXPECT_EQ(dm.zhichu_table->fields().size(), 4);
  // Between them the two chooser tables hold every student column once.
  QStringList names;
  for (TableDataSet *t : {dm.xianshifield_table, dm.kexuanfield_table})
    for (t->first(); !t->eof(); t->next())
      names << t->asString(u"字段名"_qs);
  names.sort();
  QStringList all = Schema::studentColumns();
  all.sort();
  EXPECT_EQ(names, all);
  EXPECT_FALSE(dm.xianshifield_table->isEmpty());
  // The class/student link and the lookups have their indexes.
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM sqlite_master WHERE type='index' AND tbl_name='学员基本信息'"_qs).toInt(),
            3);
  // The password is kept only as a salted hash.
  QFile f(db.path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_FALSE(f.readAll().contains(Schema::kPassword));
}

TEST(Schema, ReopeningKeepsTheData) {
  TempDb db;
  {
    TDM dm(db.path);
    dm.xuexiaoliebiao_table->append();
    dm.xuexiaoliebiao_table->setValue(u"学校"_qs, u"第一中学"_qs);
    dm.xuexiaoliebiao_table->post();
  }
  EXPECT_FALSE(Schema::ensureDatabase(db.path)); // exists: not created again
  TDM dm(db.path);
  EXPECT_EQ(dm.xuexiaoliebiao_table->asString(u"学校"_qs), u"第一中学"_qs);
}

TEST(Schema, RefusedFilesNameThePathAndTheReasonAndStayUntouched) {
  struct Case {
    const char *what;
    std::function<void(TempDb &)> damage;
    const char16_t *reason;
  };
  const Case cases[] = {
      {"wrong password", [](TempDb &d) { d.exec(u"UPDATE tessaly_access SET check_hash='00'"_qs); }, u"密码"},
      {"missing table", [](TempDb &d) { d.exec(u"DROP TABLE 支出"_qs); }, u"缺少表“支出”"},
      {"missing column",
       [](TempDb &d) { d.exec(u"ALTER TABLE 开班计划 DROP COLUMN 总人数"_qs); }, u"缺少字段“总人数”"},
      {"not ours", [](TempDb &d) { d.exec(u"DROP TABLE tessaly_access"_qs); }, u"不是本系统"},
      {"not a database",
       [](TempDb &d) {
         QFile f(d.path);
         f.open(QIODevice::WriteOnly | QIODevice::Truncate);
         f.write(QByteArray(4096, 'x'));
       },
       u"not a database"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    TempDb db;
    c.damage(db);
    QFile f(db.path);
    f.open(QIODevice::ReadOnly);
    const QByteArray before = f.readAll();
    f.close();
    try {
      TDM dm(db.path);
      ADD_FAILURE() << "opened";
    } catch (const EDatabaseError &e) {
      EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(db.path))) << e.what();
      EXPECT_TRUE(e.message().contains(QString::fromUtf16(c.reason))) << e.what();
    }
    EXPECT_FALSE(Schema::ensureDatabase(db.path));
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), before);
  }
}

TEST(Schema, UnwritableFolderIsReported) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root writes everywhere";
  QTemporaryDir dir;
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
  const QString path = dir.filePath(u"Tessadb/vindero.mdb"_qs);
  try {
    Schema::createDatabase(path);
    ADD_FAILURE();
  } catch (const EDatabaseError &e) {
    EXPECT_TRUE(e.message().contains(path));
  }
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(Schema, FolderInTheWayIsReported) {
  QTemporaryDir dir;
  QFile blocker(dir.filePath(u"Tessadb"_qs)); // a file where the folder should be
  blocker.open(QIODevice::WriteOnly);
  blocker.close();
  const QString path = dir.filePath(u"Tessadb/vindero.mdb"_qs);
  EXPECT_THROW(Schema::createDatabase(path), EDatabaseError);
  EXPECT_FALSE(QFile::exists(path));
}

} // namespace
