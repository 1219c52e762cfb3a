// The student records and student query windows on the real widgets.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "classes/xuexiaoliebiao.h"
#include "data/datamodule.h"
#include "data/rules.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dbnavigator.h"
#include "platform/dbtree.h"
#include "students/conditiongroup.h"
#include "students/jiaofeipeixun.h"
#include "students/stuinf.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 0, 0));

class StudentWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    db.exec(u"INSERT INTO 开班计划(班次名称,总人数,培训费,资料费) VALUES('电脑班',30,800,50),('会计班',20,600,0),('O''Neil班',5,1,1);"
            "INSERT INTO 学员基本信息(姓名,编号,性别,电话,参加班次,毕业院校) VALUES"
            "('张三','20261201001','男','111','电脑班','一中'),('李四','20261201002','女','222','电脑班','二中'),"
            "('王五','20261201003','男','333','会计班','一中'),('O''Brien','20261201004','男','444','会计班','三中');"
            "INSERT INTO 学校列表 VALUES('一中'),('二中')"_qs);
    program = startProgram(db.path, false);
    ASSERT_TRUE(program);
    form = program->form1.get();
    form->show();
    w = stuinf_form;
  }
  // Opens the records window as the main window's command does (not modally).
  void openRecords() {
    Dialogs::setModalRunner([](QDialog *d) {
      d->show();
      return 0;
    });
    form->Image5Click();
    Dialogs::setModalRunner(nullptr);
    QApplication::processEvents();
  }
  void clickTree(int cls, int student = -1) {
    w->fcDBTreeView1->selectNode(cls, student);
    QApplication::processEvents();
  }
  QString panel(int i) const { return form->statusPanel(i)->text(); }

  TempDb db;
  FixedClock clock{kNow};
  DialogScript dialogs;
  std::unique_ptr<Program> program;
  TForm1 *form = nullptr;
  Tstuinf_form *w = nullptr;
};

TEST_F(StudentWindowTest, OpensOnTheEditPageWithTheSchoolsOffered) {
  w->showPage(w->liulan_sheet);
  w->dbn1->setEnabled(false);
  openRecords();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->PageControl1->currentWidget(), w->edit_sheet);
  EXPECT_TRUE(w->dbn1->isEnabled());
  EXPECT_EQ(w->DBComboBox3->items(), (QStringList{u"一中"_qs, u"二中"_qs}));
  EXPECT_EQ(w->DBComboBox2->count(), 10);
  EXPECT_TRUE(w->DBComboBox2->itemText(9).isEmpty());
  EXPECT_EQ(w->wwDBGrid1->model()->columnCount(), 10);
  // An empty school list keeps the offered names.
  db.exec(u"DELETE FROM 学校列表"_qs);
  DM->xuexiaoliebiao_table->refresh();
  w->showPage(w->liulan_sheet);
  w->showPage(w->edit_sheet);
  EXPECT_EQ(w->DBComboBox3->items(), (QStringList{u"一中"_qs, u"二中"_qs}));
}

TEST_F(StudentWindowTest, ChoosingClassesAndStudentsWritesTheSummaries) {
  openRecords();
  EXPECT_EQ(w->banji_label->text(), u"操作班次:电脑班(2/30)"_qs);
  clickTree(0, 1); // 李四, same class: count unchanged, student panel follows
  EXPECT_EQ(DM->stuinf_table->asString(u"姓名"_qs), u"李四"_qs);
  EXPECT_EQ(w->banji_label->text(), u"操作班次:电脑班(2/30)"_qs);
  EXPECT_EQ(panel(1), u"当前学员:李四"_qs);
  clickTree(1); // another class
  EXPECT_EQ(DM->kaibanjihua_table->asString(u"班次名称"_qs), u"会计班"_qs);
  EXPECT_EQ(w->banji_label->text(), u"操作班次:会计班(2/20)"_qs);
  EXPECT_EQ(panel(0), u"当前班次:会计班    共有学员:2"_qs);
  EXPECT_EQ(panel(1), u"当前学员:王五"_qs);
  clickTree(2); // a class without students, and a quote in its name
  EXPECT_TRUE(dialogs.asked().empty());
  EXPECT_EQ(w->banji_label->text(), u"操作班次:O'Neil班(0/5)"_qs);
  EXPECT_EQ(panel(0), u"当前班次:O'Neil班    共有学员:0"_qs);
  EXPECT_EQ(panel(1), u"当前学员:王五"_qs); // kept
  // The result grid shows the one-value count until a query runs.
  EXPECT_EQ(DM->stuinf_query->recordCount(), 1);
  // The tree follows the navigator.
  clickTree(0);
  w->dbn2edit->click(DBNavigator::Last);
  QApplication::processEvents();
  EXPECT_EQ(w->fcDBTreeView1->currentIndex().data().toString(), u"李四"_qs);
}

TEST_F(StudentWindowTest, QueryPageDisablesEditAndTheBottomNavigator) {
  openRecords();
  QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
  EXPECT_FALSE(w->dbn1->button(DBNavigator::Edit)->isEnabled());
  EXPECT_FALSE(w->dbn2edit->isEnabled());
  clickTree(1); // a change of class does not bring 修改 back
  EXPECT_FALSE(w->dbn1->button(DBNavigator::Edit)->isEnabled());
  QTest::mouseClick(w->SpeedButton2, Qt::LeftButton); // again: nothing changes
  EXPECT_EQ(w->PageControl1->currentWidget(), w->find_sheet);
  QTest::mouseClick(w->SpeedButton1, Qt::LeftButton);
  EXPECT_TRUE(w->dbn1->button(DBNavigator::Edit)->isEnabled());
  EXPECT_TRUE(w->dbn2edit->isEnabled());
  QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
  w->close(); // closing while on the query page re-enables them too
  EXPECT_TRUE(w->dbn2edit->isEnabled());
}

TEST_F(StudentWindowTest, DigitBoxesSwallowOtherKeysWithABeep) {
  openRecords();
  for (DBEdit *box : {w->DBEdit3, w->DBEdit6, w->DBEdit4, w->DBEdit7}) {
    box->clear();
    const int before = Dialogs::beeps();
    typeText(box, u"12X3a-"_qs);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), u"12"_qs) << box->objectName().toStdString();
    EXPECT_EQ(Dialogs::beeps() - before, 3);
  }
  const int before = Dialogs::beeps();
  typeText(w->DBEdit2, u"X"_qs); // the name takes letters
  EXPECT_EQ(Dialogs::beeps(), before);
}

TEST_F(StudentWindowTest, EnrolmentOnTheRealWindow) {
  openRecords();
  clickTree(1);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Insert), Qt::LeftButton);
  EXPECT_EQ(w->DBEdit1->text(), u"20261211001"_qs);
  EXPECT_EQ(w->DBDateTimePicker1->text(), u"1980-01-01"_qs);
  typeText(w->DBEdit2, u"赵六"_qs);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Post), Qt::LeftButton);
  ASSERT_EQ(dialogs.texts(), QStringList{QString::fromUtf16(Rules::kStudentWarning)}); // no telephone
  EXPECT_EQ(db.scalar(u"SELECT 参加班次||'|'||编号||'|'||出生年月 FROM 学员基本信息 WHERE 姓名='赵六'"_qs).toString(),
            u"会计班|20261211001|1980-01-01"_qs);
  QApplication::processEvents();
  EXPECT_EQ(w->fcDBTreeView1->currentIndex().data().toString(), u"赵六"_qs);
}

TEST_F(StudentWindowTest, SchoolButtonOpensTheSchoolListAndReloads) {
  openRecords();
  int shown = 0;
  Dialogs::setModalRunner([&](QDialog *d) {
    ++shown;
    EXPECT_EQ(d, xuexiao_form);
    db.exec(u"INSERT INTO 学校列表 VALUES('三中')"_qs);
    DM->xuexiaoliebiao_table->refresh();
    d->show();
    d->close();
    return 0;
  });
  QTest::mouseClick(w->SpeedButton6, Qt::LeftButton);
  Dialogs::setModalRunner(nullptr);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(w->DBComboBox3->items(), (QStringList{u"一中"_qs, u"二中"_qs, u"三中"_qs}));
}

TEST_F(StudentWindowTest, ReceiptButtonOpensThePreview) {
  openRecords();
  int previews = 0;
  Dialogs::setModalRunner([&](QDialog *d) {
    previews += qobject_cast<QPrintPreviewDialog *>(d) != nullptr;
    return 0;
  });
  QTest::mouseClick(w->SpeedButton5, Qt::LeftButton);
  Dialogs::setModalRunner(nullptr);
  EXPECT_EQ(previews, 1);
}

// --- the query page --------------------------------------------------

class QueryPageTest : public StudentWindowTest {
protected:
  void SetUp() override {
    StudentWindowTest::SetUp();
    openRecords();
    QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
    g = w->conditions;
  }
  void add(const QString &field, const QString &op, const QString &value, bool orRelation = false) {
    g->zhiduan_cb->setEditText(field);
    g->caozuofu_cb->setEditText(op);
    g->zhi_edit->setText(value);
    (orRelation ? g->relationOr : g->relationAnd)->setChecked(true);
    QTest::mouseClick(g->BitBtn1, Qt::LeftButton);
  }
  QStringList column(int c) {
    QStringList l;
    QueryDataSet &q = *DM->stuinf_query;
    for (q.first(); !q.eof(); q.next())
      l << FieldValue::toText(q.value(c));
    return l;
  }
  ConditionGroup *g = nullptr;
};

TEST_F(QueryPageTest, BuildsRunsAndShowsTheResult) {
  w->Button2Click();
  EXPECT_EQ(w->PageControl2->currentWidget(), w->editzhiduan_sheet);
  add(u"姓名"_qs, u"="_qs, u"张三"_qs, true);
  add(u"性别"_qs, u"="_qs, u"女"_qs, true);
  EXPECT_EQ(g->tiaojian_listbox->item(0)->text(), u"姓名='张三'"_qs);
  EXPECT_EQ(g->tiaojian_listbox->item(1)->text(), u"or 性别='女'"_qs);
  EXPECT_EQ(g->zhi_edit->text(), u"女"_qs); // the boxes keep their contents
  g->zhi_edit->setText(u"不相干"_qs);     // ignored: the list has lines
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  EXPECT_EQ(DM->stuinf_query->sqlText(),
            u"select 编号,姓名,性别,电话,参加班次 from 学员基本信息 where 姓名='张三'\r\nor 性别='女'\r\n\r\n"_qs);
  EXPECT_EQ(column(1), (QStringList{u"张三"_qs, u"李四"_qs}));
  EXPECT_EQ(w->PageControl2->currentWidget(), w->findsheet_sheet);
  EXPECT_EQ(w->DBGrid3->model()->columnCount(), 5);
}

TEST_F(QueryPageTest, EmptyListUsesTheBoxesOrSelectsEveryStudent) {
  g->zhi_edit->clear();
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  EXPECT_EQ(DM->stuinf_query->recordCount(), 4);
  g->zhiduan_cb->setEditText(u"姓名"_qs);
  g->zhi_edit->setText(u"O'Brien"_qs); // a quote in the value finds the name
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  EXPECT_EQ(column(1), QStringList{u"O'Brien"_qs});
  EXPECT_EQ(g->tiaojian_listbox->count(), 0);
  // Enter in the value box presses the default button.
  g->zhi_edit->setText(u"王五"_qs);
  g->zhi_edit->setFocus();
  QTest::keyClick(g->zhi_edit, Qt::Key_Return);
  EXPECT_EQ(column(1), QStringList{u"王五"_qs});
}

TEST_F(QueryPageTest, BirthDateFieldFillsTodayAndComparesAsADate) {
  g->zhiduan_cb->setCurrentText(u"出生年月"_qs);
  EXPECT_EQ(g->zhi_edit->text(), u"2026-12-11"_qs);
  g->zhiduan_cb->setCurrentText(u"姓名"_qs);
  EXPECT_TRUE(g->zhi_edit->text().isEmpty());
  db.exec(u"UPDATE 学员基本信息 SET 出生年月='1990-05-06' WHERE 姓名='张三'"_qs);
  add(u"出生年月"_qs, u"<="_qs, u"1990-05-06"_qs);
  EXPECT_EQ(g->tiaojian_listbox->item(0)->text(), u"出生年月<=date('1990-05-06')"_qs);
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  EXPECT_EQ(column(1), QStringList{u"张三"_qs});
}

TEST_F(QueryPageTest, RemovedFirstLineKeepsItsSuccessorsConnectorAndTheEngineSaysSo) {
  add(u"姓名"_qs, u"="_qs, u"张三"_qs);
  add(u"性别"_qs, u"="_qs, u"男"_qs);
  g->tiaojian_listbox->setCurrentRow(0);
  QTest::mouseClick(g->BitBtn2, Qt::LeftButton);
  EXPECT_EQ(g->tiaojian_listbox->item(0)->text(), u"and 性别='男'"_qs);
  w->Button2Click();
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].icon, Dialogs::Icon::Critical);
  EXPECT_FALSE(DM->stuinf_query->active());
  EXPECT_EQ(w->DBGrid3->model()->rowCount(), 0);
  EXPECT_EQ(g->tiaojian_listbox->count(), 1);
  EXPECT_EQ(w->PageControl2->currentWidget(), w->editzhiduan_sheet); // no switch
}

TEST_F(QueryPageTest, TypedTextThatWouldChangeDataIsRefused) {
  const char16_t *fields[] = {u"1=1; delete from 学员基本信息 where 姓名", u"姓名 is null; update 学员基本信息 set 姓名"};
  for (const char16_t *f : fields) {
    g->tiaojian_listbox->clear();
    add(QString::fromUtf16(f), u"="_qs, u"x"_qs);
    QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
    EXPECT_FALSE(DM->stuinf_query->active());
  }
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 学员基本信息"_qs).toInt(), 4);
  EXPECT_EQ(dialogs.asked().size(), 2u);
}

TEST_F(QueryPageTest, ChooserKeepsTheOrderOfMovesAndWarnsWhenEmpty) {
  QTest::mouseClick(w->BitBtn6, Qt::LeftButton); // <<全部移去
  EXPECT_TRUE(DM->xianshifield_table->isEmpty());
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].text, u"您没有选择需要显示的字段!"_qs);
  EXPECT_EQ(dialogs.asked()[0].buttons, Dialogs::Ok | Dialogs::Cancel);
  QTest::mouseClick(w->BitBtn5, Qt::LeftButton); // empty source: nothing
  auto moveByName = [&](const QString &name) {
    TableDataSet &t = *DM->kexuanfield_table;
    for (t.first(); !t.eof(); t.next())
      if (t.asString(u"字段名"_qs) == name)
        break;
    QTest::mouseClick(w->BitBtn4, Qt::LeftButton);
  };
  moveByName(u"编号"_qs);
  moveByName(u"姓名"_qs);
  moveByName(u"电话"_qs);
  // 姓名 back and forth goes after 电话.
  DM->xianshifield_table->moveTo(1);
  QTest::mouseClick(w->BitBtn5, Qt::LeftButton);
  moveByName(u"姓名"_qs);
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  EXPECT_TRUE(DM->stuinf_query->sqlText().startsWith(u"select 编号,电话,姓名 from"_qs));
  EXPECT_EQ(DM->kexuanfield_table->recordCount() + DM->xianshifield_table->recordCount(), 15);
  // The choice is still there after a restart.
  program.reset();
  program = startProgram(db.path, false);
  QStringList shown;
  for (DM->xianshifield_table->first(); !DM->xianshifield_table->eof(); DM->xianshifield_table->next())
    shown << DM->xianshifield_table->asString(u"字段名"_qs);
  EXPECT_EQ(shown, (QStringList{u"编号"_qs, u"电话"_qs, u"姓名"_qs}));
}

// --- the student query window ----------------------------------------

TEST_F(StudentWindowTest, QueryWindowSearchesAllClassesWithEveryColumn) {
  Tchaxun_form *q = chaxun_form;
  q->show();
  EXPECT_EQ(q->DBGrid1->model()->rowCount(), 4); // before any query: everyone
  EXPECT_EQ(q->DBGrid1->model()->columnCount(), 15);
  EXPECT_FALSE(q->GroupBox1->Button2);
  ConditionGroup *g = q->GroupBox1;
  g->zhiduan_cb->setEditText(u"性别"_qs);
  g->zhi_edit->setText(u"男"_qs);
  QTest::mouseClick(g->BitBtn1, Qt::LeftButton);
  g->zhiduan_cb->setEditText(u"参加班次"_qs);
  g->zhi_edit->setText(u"会计班"_qs);
  QTest::mouseClick(g->BitBtn1, Qt::LeftButton);
  const QString before = DM->kaibanjihua_table->asString(u"班次名称"_qs);
  QTest::mouseClick(g->BitBtn3, Qt::LeftButton);
  EXPECT_EQ(DM->jiaofeistuinf_query->sqlText(),
            u"select * from 学员基本信息 where 性别='男'\r\nand 参加班次='会计班'\r\n\r\n"_qs);
  EXPECT_EQ(DM->jiaofeistuinf_query->recordCount(), 2);
  EXPECT_EQ(DM->kaibanjihua_table->asString(u"班次名称"_qs), before);
  // The navigator moves through the result.
  q->wwDBNavigator2->click(DBNavigator::Last);
  EXPECT_EQ(DM->jiaofeistuinf_query->asString(u"姓名"_qs), u"O'Brien"_qs);
  q->close();
  q->show();
  EXPECT_EQ(g->tiaojian_listbox->count(), 2);
  EXPECT_EQ(q->DBGrid1->model()->rowCount(), 2);
  EXPECT_EQ(q->Label13->text(), u"CorvaneTessaly"_qs);
  EXPECT_EQ(q->time_label->text(), u"2026-12-11  10:00:00"_qs);
}

} // namespace
