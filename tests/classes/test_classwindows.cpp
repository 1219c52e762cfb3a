// The class plan, expenses ledger and school list windows, driven as a user
// would through their controls; every message box answered by the seam.
#include "classes/kaibanjihua.h"
#include "classes/xuexiaoliebiao.h"
#include "classes/zhichu.h"
#include "data/datamodule.h"
#include "data/rules.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dbnavigator.h"
#include "platform/dbtree.h"
#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 0, 0));

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override { dm = std::make_unique<TDM>(db.path); }
  void TearDown() override { windows.clear(); }
  template <class W> W *open() {
    auto *w = new W;
    windows.emplace_back(w);
    w->show();
    QApplication::setActiveWindow(w);
    return w;
  }
  static QLineEdit *openEditor(DBGrid *grid) {
    for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
      if (e->isVisible())
        return e;
    return nullptr;
  }
  // Types into a grid cell and commits it with Return, as a user does.
  static void typeIntoCell(DBGrid *grid, int row, int col, const QString &text) {
    const QModelIndex idx = grid->model()->index(row, col);
    grid->setCurrentIndex(idx);
    grid->edit(idx);
    QLineEdit *editor = openEditor(grid);
    ASSERT_TRUE(editor);
    editor->selectAll();
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the view commits a Return queued
  }
  TempDb db;
  FixedClock clock{kNow};
  DialogScript dialogs;
  std::unique_ptr<TDM> dm;
  std::vector<std::unique_ptr<QWidget>> windows;
};

QString enabledButtons(DBNavigator *nav) {
  QString s;
  for (auto b : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last, DBNavigator::Insert,
                 DBNavigator::Delete, DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel})
    if (QPushButton *p = nav->button(b))
      s += p->isEnabled() ? u'1' : u'0';
  return s;
}

TEST_F(WindowTest, NavigatorEnableRulesFollowStateAndPosition) {
  auto *w = open<Tkaibanjihua_form>();
  TableDataSet &t = *dm->kaibanjihua_table;
  struct Case {
    const char *what;
    std::function<void()> step;
    const char *edit;  // 增加 删除 修改 保存 取消
    const char *moves; // 头记录 前一条 后一条 尾记录
  };
  auto add = [&](const char *name) {
    t.append();
    t.setValue(u"班次名称"_qs, QString::fromUtf8(name));
    t.setValue(u"总人数"_qs, 10);
    t.post();
  };
  const Case cases[] = {
      {"empty table", [] {}, "10100", "0000"},
      {"inserting into the empty table", [&] { t.insert(); }, "10011", "0000"},
      {"one row", [&] { t.cancel(); add("甲班"); }, "11100", "0000"},
      {"three rows, on the last", [&] { add("乙班"); add("丙班"); }, "11100", "1100"},
      {"on the first", [&] { t.first(); }, "11100", "0011"},
      {"in the middle", [&] { t.next(); }, "11100", "1111"},
      {"editing", [&] { t.edit(); }, "11011", "1111"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    c.step();
    EXPECT_EQ(enabledButtons(w->dbn1), QString::fromLatin1(c.edit));
    EXPECT_EQ(enabledButtons(w->wwDBNavigator1), QString::fromLatin1(c.moves));
  }
}

TEST_F(WindowTest, NewClassPlanDefaultsWarningAndCount) {
  auto *w = open<Tkaibanjihua_form>();
  EXPECT_EQ(w->Label7->text(), u"共开了0个班次"_qs);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Insert), Qt::LeftButton);
  EXPECT_EQ(w->DBDateTimePicker1->text(), u"2026-12-11"_qs);
  EXPECT_TRUE(w->DBDateTimePicker2->text().isEmpty());
  typeText(w->DBEdit1, u"电脑一班"_qs);
  w->sncDBCurrencyEdit1->setFocus();
  typeText(w->sncDBCurrencyEdit1, u"1200.5"_qs);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Post), Qt::LeftButton);
  // No places: one warning, saved all the same.
  ASSERT_EQ(dialogs.texts(), QStringList{QString::fromUtf16(Rules::kClassWarning)});
  EXPECT_EQ(dm->kaibanjihua_table->state(), DataSetState::Browse);
  EXPECT_EQ(w->Label7->text(), u"共开了1个班次"_qs);
  EXPECT_EQ(db.scalar(u"SELECT 班次名称||'|'||培训费||'|'||开始时间||'|'||ifnull(结束日期,'-')||'|'||结束时间 FROM 开班计划"_qs)
                .toString(),
            u"电脑一班|1200.5|2026-12-11|-|2026-12-11"_qs);
  EXPECT_EQ(w->sncDBCurrencyEdit1->text(), u"￥1200.50"_qs);
  EXPECT_EQ(w->fcDBTreeView1->model()->index(0, 0).data().toString(), u"电脑一班"_qs);
}

TEST_F(WindowTest, TypingIntoAnEmptyTableStartsANewClassPlan) {
  auto *w = open<Tkaibanjihua_form>();
  typeText(w->DBEdit2, u"30"_qs);
  EXPECT_EQ(dm->kaibanjihua_table->state(), DataSetState::Insert);
  EXPECT_EQ(w->DBEdit2->text(), u"30"_qs);
  EXPECT_EQ(w->DBDateTimePicker1->text(), u"2026-12-11"_qs);
  w->wwDBNavigator1->click(DBNavigator::First); // moving posts what was typed
  EXPECT_EQ(db.scalar(u"SELECT 总人数 FROM 开班计划"_qs).toInt(), 30);
}

TEST_F(WindowTest, DeleteAsksAndTheCountWaitsForTheNextShowOrPost) {
  db.exec(u"INSERT INTO 开班计划(班次名称,总人数) VALUES('甲',1),('乙',2)"_qs);
  dm->kaibanjihua_table->refresh();
  auto *w = open<Tkaibanjihua_form>();
  EXPECT_EQ(w->Label7->text(), u"共开了2个班次"_qs);
  dialogs.answer(Dialogs::Cancel);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Delete), Qt::LeftButton);
  EXPECT_EQ(dialogs.asked().back().text, u"Delete record?"_qs);
  EXPECT_EQ(dialogs.asked().back().buttons, Dialogs::Ok | Dialogs::Cancel);
  EXPECT_EQ(dm->kaibanjihua_table->recordCount(), 2);
  dialogs.answer(Dialogs::Ok);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Delete), Qt::LeftButton);
  EXPECT_EQ(dm->kaibanjihua_table->recordCount(), 1);
  EXPECT_EQ(w->Label7->text(), u"共开了2个班次"_qs);
  w->hide();
  w->show();
  EXPECT_EQ(w->Label7->text(), u"共开了1个班次"_qs);
}

TEST_F(WindowTest, ValueThatDoesNotFitIsReportedAndKept) {
  db.exec(u"INSERT INTO 开班计划(班次名称,总人数) VALUES('甲',1)"_qs);
  dm->kaibanjihua_table->refresh();
  auto *w = open<Tkaibanjihua_form>();
  w->DBEdit2->selectAll();
  typeText(w->DBEdit2, u"三十"_qs);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Post), Qt::LeftButton);
  ASSERT_FALSE(dialogs.asked().empty());
  EXPECT_EQ(dialogs.asked().back().icon, Dialogs::Icon::Critical);
  EXPECT_TRUE(dialogs.asked().back().text.contains(u"三十"_qs));
  EXPECT_EQ(dm->kaibanjihua_table->state(), DataSetState::Edit);
  EXPECT_EQ(w->DBEdit2->text(), u"三十"_qs);
  EXPECT_EQ(db.scalar(u"SELECT 总人数 FROM 开班计划"_qs).toInt(), 1);
  // The currency box takes only what can be an amount.
  typeText(w->sncDBCurrencyEdit2, u"12a.5"_qs);
  EXPECT_EQ(w->sncDBCurrencyEdit2->text(), u"12.5"_qs);
}

TEST_F(WindowTest, DatePickerShowsAndStoresAnEmptyDate) {
  db.exec(u"INSERT INTO 开班计划(班次名称,开始时间,结束日期) VALUES('甲','2026-01-01','2026-03-01')"_qs);
  dm->kaibanjihua_table->refresh();
  auto *w = open<Tkaibanjihua_form>();
  EXPECT_EQ(w->DBDateTimePicker2->text(), u"2026-03-01"_qs);
  w->DBDateTimePicker2->lineEdit()->selectAll();
  QTest::keyClick(w->DBDateTimePicker2->lineEdit(), Qt::Key_Backspace);
  w->DBDateTimePicker1->pick(QDate(2026, 2, 2)); // as chosen in the calendar
  QTest::mouseClick(w->dbn1->button(DBNavigator::Post), Qt::LeftButton);
  EXPECT_EQ(db.scalar(u"SELECT 开始时间||'|'||ifnull(结束日期,'null') FROM 开班计划"_qs).toString(), u"2026-02-02|null"_qs);
  EXPECT_TRUE(w->DBDateTimePicker2->text().isEmpty());
}

TEST_F(WindowTest, TreeHighlightFollowsTheCurrentClassAndSelects) {
  db.exec(u"INSERT INTO 开班计划(班次名称) VALUES('甲'),('乙'),('丙')"_qs);
  dm->kaibanjihua_table->refresh();
  auto *w = open<Tkaibanjihua_form>();
  w->wwDBNavigator1->click(DBNavigator::Last);
  EXPECT_EQ(w->fcDBTreeView1->currentIndex().row(), 2);
  w->fcDBTreeView1->setCurrentIndex(w->fcDBTreeView1->model()->index(1, 0));
  EXPECT_EQ(dm->kaibanjihua_table->asString(u"班次名称"_qs), u"乙"_qs);
  EXPECT_EQ(w->DBEdit1->text(), u"乙"_qs);
}

TEST_F(WindowTest, ClosingLeavesAPendingClassPlanPending) {
  auto *w = open<Tkaibanjihua_form>();
  QTest::mouseClick(w->dbn1->button(DBNavigator::Insert), Qt::LeftButton);
  typeText(w->DBEdit1, u"夜班"_qs);
  QTest::mouseClick(w->SpeedButton4, Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(dm->kaibanjihua_table->state(), DataSetState::Insert);
  dm->kaibanjihua_table->first(); // the next move posts it
  EXPECT_EQ(db.scalar(u"SELECT 班次名称 FROM 开班计划"_qs).toString(), u"夜班"_qs);
}

TEST_F(WindowTest, LedgerRowsStartEmptyAndABadDayIsRefusedAndKept) {
  auto *w = open<Tzhichu_Form>();
  DBGrid *g = w->zhichu_dbgrid;
  EXPECT_FALSE(w->dbn1->button(DBNavigator::Delete)->isEnabled());
  EXPECT_EQ(g->model()->headerData(0, Qt::Horizontal).toString(), u"支出项目"_qs);
  typeIntoCell(g, 0, 0, u"粉笔"_qs); // typing into the empty grid starts a row
  EXPECT_EQ(dm->zhichu_table->state(), DataSetState::Insert);
  for (const char16_t *f : {u"金额", u"日期", u"经手人"})
    EXPECT_TRUE(dm->zhichu_table->value(QString::fromUtf16(f)).isNull());
  typeIntoCell(g, 0, 2, u"上周三"_qs);
  ASSERT_EQ(dialogs.asked().size(), 1u) << dialogs.texts().join(u'|').toStdString();
  EXPECT_TRUE(dialogs.asked()[0].text.contains(u"上周三"_qs));
  QApplication::processEvents(); // the editor opens again with the typed text
  QApplication::processEvents();
  QLineEdit *again = openEditor(g);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->text(), u"上周三"_qs);
  EXPECT_EQ(dm->zhichu_table->state(), DataSetState::Insert);
  again->setText(u"2026-12-01"_qs);
  QTest::keyClick(again, Qt::Key_Return);
  QApplication::processEvents();
  typeIntoCell(g, 0, 1, u"35.5"_qs);
  QTest::mouseClick(w->dbn1->button(DBNavigator::Post), Qt::LeftButton);
  EXPECT_EQ(db.scalar(u"SELECT 支出项目||'|'||金额||'|'||日期 FROM 支出"_qs).toString(), u"粉笔|35.5|2026-12-01"_qs);
  EXPECT_EQ(g->model()->index(0, 1).data().toString(), u"￥35.50"_qs);
}

TEST_F(WindowTest, LedgerGridKeysAddAndDeleteRows) {
  db.exec(u"INSERT INTO 支出(支出项目,金额) VALUES('房租',3000)"_qs);
  dm->zhichu_table->refresh();
  auto *w = open<Tzhichu_Form>();
  DBGrid *g = w->zhichu_dbgrid;
  g->setFocus();
  g->setCurrentIndex(g->model()->index(0, 0));
  QTest::keyClick(g, Qt::Key_Down); // down from the last row adds one
  EXPECT_EQ(dm->zhichu_table->state(), DataSetState::Insert);
  EXPECT_EQ(g->model()->rowCount(), 2);
  QTest::keyClick(g, Qt::Key_Escape);
  EXPECT_EQ(g->model()->rowCount(), 1);
  dialogs.answer(Dialogs::Ok);
  QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(dialogs.asked().back().text, u"Delete record?"_qs);
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 支出"_qs).toInt(), 0);
  // The amount's in-cell editor is the currency box.
  g->edit(g->model()->index(0, 1));
  EXPECT_TRUE(qobject_cast<DBCurrencyEdit *>(openEditor(g)));
}

class SchoolReloadTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    box = std::make_unique<DBComboBox>();
    box->setItems({u"旧的学校"_qs});
  }
  std::unique_ptr<DBComboBox> box;
};

TEST_F(SchoolReloadTest, ClosingReloadsTheStudentsSchoolBox) {
  struct Case {
    const char *what;
    const char16_t *rows; // statement filling 学校列表
    QStringList items;
  };
  const Case cases[] = {
      {"empty table keeps the old items", u"DELETE FROM 学校列表", {u"旧的学校"_qs}},
      {"names in table order, duplicates kept, empty and null skipped",
       u"INSERT INTO 学校列表 VALUES('乙中'),(''),('甲中'),(NULL),('乙中')",
       {u"乙中"_qs, u"甲中"_qs, u"乙中"_qs}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    db.exec(u"DELETE FROM 学校列表"_qs);
    db.exec(QString::fromUtf16(c.rows));
    dm->xuexiaoliebiao_table->refresh();
    auto *w = open<Txuexiao_form>();
    w->setSchoolBox(box.get());
    w->close();
    EXPECT_EQ(box->items(), c.items);
  }
}

TEST_F(SchoolReloadTest, SchoolBeingTypedIsPostedAndOffered) {
  db.exec(u"INSERT INTO 学校列表 VALUES('一中')"_qs);
  dm->xuexiaoliebiao_table->refresh();
  auto *w = open<Txuexiao_form>();
  w->setSchoolBox(box.get());
  DBGrid *g = w->DBGrid1;
  g->setFocus();
  g->setCurrentIndex(g->model()->index(0, 0));
  QTest::keyClick(g, Qt::Key_Insert);
  g->edit(g->model()->index(0, 0));
  QLineEdit *editor = openEditor(g);
  ASSERT_TRUE(editor);
  typeText(editor, u"二中"_qs);
  w->reject(); // Escape / close box: closing by any route reloads
  EXPECT_EQ(box->items(), (QStringList{u"一中"_qs, u"二中"_qs})); // posted rows follow table order
  EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 学校列表"_qs).toInt(), 2);
  // The table is left on its last row.
  EXPECT_TRUE(dm->xuexiaoliebiao_table->isLastRow());
}

} // namespace
