// One enrolment end to end on the real windows: enrol, choose the class, add
// the student, save, preview the receipt, back the database up.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "backup/backupform.h"
#include "data/datamodule.h"
#include "platform/dbcontrols.h"
#include "platform/dbnavigator.h"
#include "platform/dbtree.h"
#include "platform/fileservices.h"
#include "printing/sheet.h"
#include "printing/sheetdata.h"
#include "students/stuinf.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(Enrolment, TheRoadOfOneEnrolment) {
  TempDb db;
  db.exec(u"INSERT INTO 开班计划(班次名称,总人数,培训费,资料费) VALUES('会计班',20,600,40),('电脑班',30,800,50)"_qs);
  FileServices::setArchiveRegister(db.dir.filePath(u"marks"_qs));
  FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 30))};
  DialogScript dialogs;
  auto program = startProgram(db.path, false);
  ASSERT_TRUE(program);
  TForm1 *form = program->form1.get();
  form->show();
  QList<QDialog *> shown;
  QStringList kinds; // the preview lives only while it is shown
  Dialogs::setModalRunner([&](QDialog *d) {
    shown << d;
    kinds << QString::fromLatin1(d->metaObject()->className());
    d->show();
    return 0;
  });

  // 1. 招收学员: the edit page, the navigator enabled, the window shown.
  form->findChild<QAction *>(u"ToolButton2"_qs)->trigger();
  Tstuinf_form *w = stuinf_form;
  ASSERT_EQ(shown.value(0), w);
  EXPECT_EQ(w->PageControl1->currentWidget(), w->edit_sheet);
  // 2. The class in the tree; the summary and the status bar follow.
  w->fcDBTreeView1->selectNode(1);
  QApplication::processEvents();
  EXPECT_EQ(w->banji_label->text(), u"操作班次:电脑班(0/30)"_qs);
  EXPECT_EQ(form->statusPanel(0)->text(), u"当前班次:电脑班    共有学员:0"_qs);
  // 3. 增加: class, number and birth date.
  QTest::mouseClick(w->dbn1->button(DBNavigator::Insert), Qt::LeftButton);
  EXPECT_EQ(DM->stuinf_table->asString(u"参加班次"_qs), u"电脑班"_qs);
  EXPECT_EQ(w->DBEdit1->text(), u"20261211001"_qs);
  EXPECT_EQ(w->DBDateTimePicker1->text(), u"1980-01-01"_qs);
  // 4. The form filled and saved: no warning with name and telephone.
  typeText(w->DBEdit2, u"陈小明"_qs);
  typeText(w->DBEdit4, u"13800001111"_qs);
  QTest::mouseClick(w->DBCheckBox1, Qt::LeftButton);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Post), Qt::LeftButton);
  EXPECT_TRUE(dialogs.asked().empty()) << dialogs.texts().join(u'|').toStdString();
  EXPECT_EQ(db.scalar(u"SELECT 姓名||'|'||电话||'|'||是否自备资料 FROM 学员基本信息"_qs).toString(), u"陈小明|13800001111|1"_qs);
  // 5. 打印收据: the preview of this student's sheet, the fee without materials.
  QTest::mouseClick(w->SpeedButton5, Qt::LeftButton);
  EXPECT_EQ(kinds.value(1), u"QPrintPreviewDialog"_qs);
  const SheetData sheet = QuickRep1StartPage(*DM);
  EXPECT_EQ(sheet.name, u"陈小明"_qs);
  EXPECT_EQ(sheet.item, u"参加\"电脑班\"培训"_qs);
  EXPECT_EQ(sheet.amount, u"捌佰圆整"_qs);
  w->close();
  // 6. 数据备份: the database into an archive, reported with its rate.
  form->findChild<QAction *>(u"N11"_qs)->trigger();
  ASSERT_EQ(shown.value(2), backup_form);
  const QString target = db.dir.filePath(u"2026-12-11.bck"_qs);
  Dialogs::setFileAnswerer([&](const Dialogs::FileRequest &) { return target; });
  QTest::mouseClick(backup_form->ToolButton1, Qt::LeftButton);
  QTest::mouseClick(backup_form->BitBtn1, Qt::LeftButton);
  Dialogs::setFileAnswerer(nullptr);
  Dialogs::setModalRunner(nullptr);
  ASSERT_FALSE(dialogs.asked().empty());
  EXPECT_TRUE(dialogs.asked().back().text.startsWith(u"数据备份成功!数据压缩率 = "_qs));
  EXPECT_GT(QFile(target).size(), 16);
}

} // namespace
