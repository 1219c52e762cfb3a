// The backup window's flow, every box and the save dialog answered by the seam.
#include "archivereader.h"
#include "backup/backup.h"
#include "backup/backupform.h"
#include "data/connection.h"
#include "platform/fileservices.h"
#include "testsupport.h"

#include <QButtonGroup>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class BackupFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    FileServices::setArchiveRegister(db.dir.filePath(u"marks"_qs));
    db.exec(u"INSERT INTO 学校列表 VALUES('一中')"_qs);
    w = std::make_unique<Tbackup_form>(db.path);
    w->isRemovable = [this](const QString &p) { return p.startsWith(removable); };
    Dialogs::setFileAnswerer([this](const Dialogs::FileRequest &r) {
      requests << r;
      return chosen;
    });
    w->show();
  }
  void TearDown() override { Dialogs::setFileAnswerer(nullptr); }
  void choose(const QString &path) {
    chosen = path;
    QTest::mouseClick(w->ToolButton1, Qt::LeftButton);
  }
  TempDb db;
  FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 0))};
  DialogScript dialogs;
  std::unique_ptr<Tbackup_form> w;
  QString chosen, removable = u"/media/"_qs;
  QList<Dialogs::FileRequest> requests;
};

TEST_F(BackupFormTest, ShowsTheDatabaseAndTheRemark) {
  EXPECT_EQ(w->windowTitle(), u"备份当前数据库"_qs);
  ASSERT_EQ(w->dbsource_listbox->count(), 1);
  EXPECT_EQ(w->dbsource_listbox->item(0)->text(), db.path);
  EXPECT_EQ(w->beizhu_edit->text(), u"数据库备份日期:2026-12-11"_qs);
  EXPECT_FALSE(w->ProgressBar1->isVisible());
  EXPECT_EQ(w->Backupfile1->BackupMode(), bmIncremental);
  EXPECT_TRUE(w->Backupfile1->SetArchiveFlag);
  QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts(), QStringList{u"请选择备份路径与文件名!"_qs});
}

TEST_F(BackupFormTest, SettingsAreTakenOverOnlyWhenATargetIsChosen) {
  w->press_items->button(3)->setChecked(true); // 不压缩
  w->mode_items->button(0)->setChecked(true);  // 全部备份
  choose(QString());                            // cancelled: nothing changes
  EXPECT_TRUE(w->backuppath_edit->text().isEmpty());
  EXPECT_EQ(w->Backupfile1->CompressionLevel, clFastest);
  const QString target = db.dir.filePath(u"a.bck"_qs);
  choose(target);
  EXPECT_EQ(requests.last().filter, u"Backup archives (*.bck)"_qs);
  EXPECT_EQ(requests.last().defaultSuffix, u"bck"_qs);
  EXPECT_FALSE(requests.last().confirmOverwrite);
  EXPECT_EQ(w->backuppath_edit->text(), target);
  EXPECT_EQ(w->Backupfile1->CompressionLevel, clNone);
  EXPECT_EQ(w->Backupfile1->BackupMode(), bmAll);
  EXPECT_EQ(w->Backupfile1->MaxSize, 0);
  EXPECT_EQ(w->Backupfile1->BackupTitle, u"数据库备份日期:2026-12-11"_qs);
  w->press_items->button(2)->setChecked(true); // after the choice: no effect
  EXPECT_EQ(w->Backupfile1->CompressionLevel, clNone);
  choose(target);
  EXPECT_EQ(requests.last().directory, target); // starts from the last choice
  const std::pair<int, TCompressionLevel> map[] = {{0, clFastest}, {1, clDefault}, {2, clMax}, {3, clNone}};
  for (auto [item, level] : map) {
    w->press_items->button(item)->setChecked(true);
    choose(target);
    EXPECT_EQ(w->Backupfile1->CompressionLevel, level);
  }
  // A removable target: the message, then volumes of 1400000 bytes.
  dialogs.clearAsked();
  choose(removable + u"stick/a.bck"_qs);
  EXPECT_EQ(dialogs.texts(), QStringList{u"请插入一张空白新磁盘!"_qs});
  EXPECT_EQ(w->Backupfile1->MaxSize, 1400000);
}

TEST_F(BackupFormTest, BackupOfTheOpenDatabaseIsCompleteAndIncrementalRepeats) {
  // A posted change, on a connection that stays open, as the program's does.
  Connection live;
  live.open(db.path);
  live.exec(u"INSERT INTO 学校列表 VALUES('刚保存的学校')"_qs);
  w->mode_items->button(1)->setChecked(true);
  const QString target = db.dir.filePath(u"备份.bck"_qs);
  choose(target);
  QList<int> bar;
  const auto progress = w->Backupfile1->OnProgress;
  w->Backupfile1->OnProgress = [&](TBackupFile &s, const QString &f, TPercentage p, bool &c) {
    progress(s, f, p, c);
    bar << (w->ProgressBar1->isVisible() ? w->ProgressBar1->value() : -1);
    if (p < 100)
      EXPECT_EQ(w->Label1->text(), target);
  };
  QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_TRUE(dialogs.texts()[0].startsWith(u"数据备份成功!数据压缩率 = "_qs));
  EXPECT_TRUE(dialogs.texts()[0].endsWith(u" %"_qs));
  EXPECT_EQ(bar.first(), 0);
  EXPECT_EQ(bar.last(), -1); // hidden by the closing 100
  EXPECT_TRUE(w->Label1->text().isEmpty());
  // The copy in the archive is the whole file, and it opens with the posted row.
  const Archive r = readArchive(target);
  ASSERT_EQ(r.records.size(), 1);
  QFile f(db.path);
  f.open(QIODevice::ReadOnly);
  EXPECT_EQ(r.records[0].content, f.readAll());
  const QString copy = db.dir.filePath(u"restored.mdb"_qs);
  QFile out(copy);
  out.open(QIODevice::WriteOnly);
  out.write(r.records[0].content);
  out.close();
  Connection c;
  c.open(copy);
  Statement s(c, u"SELECT count(*) FROM 学校列表 WHERE 学校='刚保存的学校'"_qs);
  ASSERT_TRUE(s.step());
  EXPECT_EQ(s.column(0).toInt(), 1);

  // Unchanged since: the second incremental backup holds no record, rate 0.
  dialogs.clearAsked();
  QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts(), QStringList{u"数据备份成功!数据压缩率 = 0 %"_qs});
  EXPECT_TRUE(readArchive(target).records.isEmpty());
}

TEST_F(BackupFormTest, FailureShowsTheWritersBoxThenTheWindowsMessage) {
  choose(u"/dev/full"_qs);
  QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts(), (QStringList{u"Cannot write to archive"_qs, u"数据备份失败!"_qs}));
  QFile f(db.path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)); // the database is untouched
}

} // namespace
