#include "app/about.h"
#include "app/help.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

// A viewer that records what it is asked.
struct FakeEngine : HelpEngine {
  struct Log {
    int loads = 0, lookups = 0, inits = 0;
    QStringList shown;
    bool canLoad = true, hasEntry = true;
  };
  explicit FakeEngine(Log &log) : log(log) {}
  bool loadLibrary() override { return ++log.loads, log.canLoad; }
  bool findEntryPoint(const QString &) override { return ++log.lookups, log.hasEntry; }
  void initialize() override { ++log.inits; }
  int display(QWidget *, const QString &file, int command, const QString &keyword) override {
    log.shown << QStringLiteral("%1 %2 %3").arg(file).arg(command).arg(keyword);
    return 7;
  }
  Log &log;
};

TEST(Help, EngineFoundOnceInitialisedOnceIndexOpenedEachTime) {
  FakeEngine::Log log;
  int made = 0;
  HelpLoader loader([&] {
    ++made;
    return std::make_unique<FakeEngine>(log);
  });
  EXPECT_EQ(loader.HtmlHelp(nullptr, u"hollin.rcc"_qs, 2, u"目录"_qs), 7);
  EXPECT_EQ(loader.HtmlHelp(nullptr, u"hollin.rcc"_qs, 2, u"目录"_qs), 7);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(log.inits, 1);
  EXPECT_EQ(log.shown, (QStringList{u"hollin.rcc 2 目录"_qs, u"hollin.rcc 2 目录"_qs}));
}

TEST(Help, ErrorsOfTheViewerAndOfTheHelpFile) {
  FakeEngine::Log log;
  log.canLoad = false;
  HelpLoader loader([&] { return std::make_unique<FakeEngine>(log); });
  for (int i = 0; i < 2; ++i) { // nothing is remembered: each request tries again
    try {
      loader.HtmlHelp(nullptr, {}, 2, u"目录"_qs);
      FAIL();
    } catch (const EHelpError &e) {
      EXPECT_STREQ(e.what(), "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
    }
  }
  EXPECT_EQ(log.loads, 2);
  log.canLoad = true;
  log.hasEntry = false;
  for (int i = 0; i < 2; ++i) {
    try {
      loader.HtmlHelp(nullptr, {}, 2, u"目录"_qs);
      FAIL();
    } catch (const EHelpError &e) {
      EXPECT_STREQ(e.what(), "Function HTMLHELP cannot loaded!");
    }
  }
  EXPECT_EQ(log.inits, 0);
  EXPECT_TRUE(log.shown.isEmpty());
}

TEST(Help, TheCompiledHelpFileOpensAtItsIndex) {
  auto engine = Help::makeViewerEngine();
  EXPECT_FALSE(engine->findEntryPoint(u"/no/such/hollin.rcc"_qs));
  HelpLoader loader(&Help::makeViewerEngine);
  QWidget owner;
  ASSERT_EQ(loader.HtmlHelp(&owner, QStringLiteral(TESSALY_HELP_FILE), 2, u"目录"_qs), 1);
  auto *list = owner.findChild<QListWidget *>(u"helpIndex"_qs);
  auto *page = owner.findChild<QTextBrowser *>(u"helpPage"_qs);
  ASSERT_TRUE(list && page);
  EXPECT_EQ(list->currentItem()->text(), u"目录"_qs);
  EXPECT_TRUE(page->toPlainText().contains(u"开班计划"_qs));
  // A page for each window the staff use, reachable from the index.
  QStringList keys;
  for (int i = 0; i < list->count(); ++i)
    keys << list->item(i)->text();
  for (const char16_t *k : {u"开班计划", u"招收学员", u"学员查询", u"打印收据", u"费用支出", u"院校设置", u"数据备份"}) {
    ASSERT_TRUE(keys.contains(QString::fromUtf16(k)));
    list->setCurrentRow(int(keys.indexOf(QString::fromUtf16(k))));
    EXPECT_TRUE(page->toPlainText().startsWith(QString::fromUtf16(k))) << QString::fromUtf16(k).toStdString();
  }
}

TEST(Help, MainWindowCommands) {
  QTemporaryDir dir;
  DialogScript dialogs;
  auto program = startProgram(dir.filePath(u"Tessadb/vindero.mdb"_qs), false);
  ASSERT_TRUE(program);
  TForm1 *form = program->form1.get();
  QList<QUrl> opened;
  Help::setUrlOpener([&](const QUrl &u) {
    opened << u;
    return false; // a failure shows nothing
  });
  dialogs.clearAsked();
  form->findChild<QAction *>(u"N22"_qs)->trigger();
  EXPECT_EQ(opened, QList<QUrl>{Help::kMakerSite});
  EXPECT_TRUE(dialogs.asked().empty());
  // The help file is not next to the test program: the error box, and the program goes on.
  form->findChild<QAction *>(u"ToolButton8"_qs)->trigger();
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].text, u"Function HTMLHELP cannot loaded!"_qs);
  EXPECT_EQ(dialogs.asked()[0].title, u"CorvaneTessaly"_qs);
  Help::setUrlOpener([](const QUrl &) { return true; });
  // The about box, shown modally; its button closes it.
  int shown = 0;
  Dialogs::setModalRunner([&](QDialog *d) {
    ++shown;
    EXPECT_EQ(d, about_form);
    d->show();
    QTest::mouseClick(about_form->Button1, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    return d->result();
  });
  form->findChild<QAction *>(u"N25"_qs)->trigger();
  Dialogs::setModalRunner(nullptr);
  EXPECT_EQ(shown, 1);
}

TEST(About, TheBoxAndItsLines) {
  Tabout_form box;
  EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(box.size(), QSize(437, 255));
  EXPECT_EQ(box.Label1->text(), u"CorvaneTessaly"_qs);
  EXPECT_TRUE(box.Label1->font().bold());
  EXPECT_EQ(box.Label2->text(), u"版本:         2.5(Build in 20031111)"_qs);
  EXPECT_TRUE(box.Label3->text().startsWith(u"网站:         "_qs));
  EXPECT_TRUE(box.Label4->text().startsWith(u"电话:         "_qs));
  EXPECT_TRUE(box.Label5->text().startsWith(u"OICQ:         "_qs));
  EXPECT_TRUE(box.Label5->text().endsWith(u"(时时在线)"_qs));
  EXPECT_TRUE(box.Label6->text().startsWith(u"邮箱:         "_qs));
  EXPECT_EQ(box.Button1->text(), u"确定&O"_qs);
  EXPECT_EQ(box.Button1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_O));
  box.show();
  QTest::mouseClick(box.Button1, Qt::LeftButton);
  EXPECT_FALSE(box.isVisible());
}

} // namespace
