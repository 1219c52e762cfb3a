#include "app/mainwindow.h"
#include "app/startup.h"
#include "data/datamodule.h"
#include "data/schema.h"
#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
  void start() {
    program = startProgram(path);
    ASSERT_TRUE(program);
    form = program->form1.get();
  }
  QTemporaryDir dir;
  QString path = dir.filePath(u"Tessadb/vindero.mdb"_qs);
  DialogScript dialogs;
  FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(8, 5, 9))};
  std::unique_ptr<Program> program;
  TForm1 *form = nullptr;
};

TEST_F(MainWindowTest, FirstStartCreatesTheFileAndSaysSoOnce) {
  start();
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_TRUE(dialogs.asked()[0].text.contains(path));
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isMaximized());
  EXPECT_EQ(form->windowTitle(), u"TessalyV2.5"_qs);
  program.reset();
  dialogs.clearAsked();
  start();
  EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(MainWindowTest, RefusedFileEndsBeforeTheMainWindow) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write("not a database at all, but something else entirely");
  f.close();
  EXPECT_FALSE(startProgram(path));
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].title, u"CorvaneTessaly"_qs);
  EXPECT_EQ(dialogs.asked()[0].icon, Dialogs::Icon::Critical);
  EXPECT_TRUE(dialogs.asked()[0].text.contains(path));
  EXPECT_EQ(Form1, nullptr);
}

TEST_F(MainWindowTest, StatusBarShowsClassStudentsAndClock) {
  Schema::createDatabase(path);
  {
    Connection c;
    c.open(path);
    c.exec(u"INSERT INTO 开班计划(班次名称) VALUES('电脑班'),('会计班');"
           "INSERT INTO 学员基本信息(姓名,参加班次) VALUES('张三','电脑班'),('李四','电脑班'),('','会计班')"_qs);
  }
  start();
  EXPECT_EQ(form->statusPanel(0)->text(), u"当前班次:电脑班    共有学员:2"_qs);
  EXPECT_EQ(form->statusPanel(1)->text(), u"当前学员:张三"_qs);
  EXPECT_EQ(form->statusPanel(2)->text(), u"2026年12月11日  08:05:09"_qs);
  EXPECT_EQ(form->statusPanel(0)->width(), 400);
  EXPECT_EQ(form->statusPanel(1)->width(), 150);
  // A class whose first student has no name leaves panel 1 as it was.
  DM->kaibanjihua_table->next();
  form->updateStatusText();
  EXPECT_EQ(form->statusPanel(0)->text(), u"当前班次:会计班    共有学员:1"_qs);
  EXPECT_EQ(form->statusPanel(1)->text(), u"当前学员:张三"_qs);
}

TEST_F(MainWindowTest, NoClassPlanAndEmptyNameAreSaidPlainly) {
  start();
  EXPECT_EQ(form->statusPanel(0)->text(), u"当前班次:（无）    共有学员:0"_qs);
  EXPECT_TRUE(form->statusPanel(1)->text().isEmpty());
}

TEST_F(MainWindowTest, ExitQuestionYesClosesNoKeepsRunning) {
  start();
  dialogs.clearAsked();
  dialogs.answer(Dialogs::No);
  QAction *exit = form->findChild<QAction *>(u"ToolButton7"_qs);
  ASSERT_TRUE(exit);
  exit->trigger();
  ASSERT_EQ(dialogs.asked().size(), 1u);
  const Dialogs::Request &r = dialogs.asked()[0];
  EXPECT_EQ(r.text, u"确实要退出本系统!"_qs);
  EXPECT_EQ(r.title, u"Warning"_qs);
  EXPECT_EQ(r.icon, Dialogs::Icon::Warning);
  EXPECT_EQ(r.buttons, Dialogs::Yes | Dialogs::No);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(DM->kaibanjihua_table->active());

  dialogs.answer(Dialogs::Yes);
  form->findChild<QAction *>(u"N8"_qs)->trigger(); // the menu's 退出
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(dialogs.asked().size(), 2u);
}

TEST_F(MainWindowTest, MenuToolBarAndCommands) {
  start();
  QStringList menus;
  for (QAction *a : form->menuBar()->actions())
    menus << a->text();
  EXPECT_EQ(menus, (QStringList{u"业务操作"_qs, u"报表统计"_qs, u"数据备份"_qs, u"关于"_qs}));
  QStringList tools;
  for (QAction *a : form->findChild<QToolBar *>(u"ToolBar1"_qs)->actions())
    if (!a->isSeparator())
      tools << a->text();
  EXPECT_EQ(tools, (QStringList{u"开班"_qs, u"招收学员"_qs, u"学员查询"_qs, u"打印收据"_qs, u"帮助"_qs, u"退出"_qs}));
  // Commands whose windows do not exist yet are present but disabled.
  // Every command's window exists now: all are enabled.
  for (const char *name : {"ToolButton1", "ToolButton2", "ToolButton5", "ToolButton4", "ToolButton8", "N11", "N13", "N21", "N22", "N25"})
    EXPECT_TRUE(form->findChild<QAction *>(QString::fromLatin1(name))->isEnabled()) << name;
  EXPECT_TRUE(form->findChild<QAction *>(u"ToolButton7"_qs)->isEnabled());
  // Every control of a command runs the same handler.
  int runs = 0;
  form->setCommandHandler(TForm1::Command::Help, [&] { ++runs; });
  form->findChild<QAction *>(u"ToolButton8"_qs)->trigger();
  form->findChild<QAction *>(u"N21"_qs)->trigger();
  EXPECT_EQ(runs, 2);
}

TEST_F(MainWindowTest, CommandErrorsReachTheErrorBoxAndTheWindowStays) {
  start();
  dialogs.clearAsked();
  form->setCommandHandler(TForm1::Command::StudentQuery, [] { throw EDatabaseError(u"no such column: 年龄"_qs); });
  form->findChild<QAction *>(u"ToolButton5"_qs)->trigger();
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].text, u"no such column: 年龄."_qs);
  EXPECT_EQ(dialogs.asked()[0].title, u"CorvaneTessaly"_qs);
  EXPECT_TRUE(form->isVisible());
}

TEST(ErrorBox, FullStopRule) {
  EXPECT_EQ(Dialogs::errorText(u"出错"_qs), u"出错."_qs);
  EXPECT_EQ(Dialogs::errorText(u"Failed!"_qs), u"Failed!"_qs);
  EXPECT_EQ(Dialogs::errorText(u"done."_qs), u"done."_qs);
  EXPECT_EQ(Dialogs::errorText(u"abc"_qs), u"abc."_qs);
}

} // namespace
