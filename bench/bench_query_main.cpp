// tessaly_bench_query PATH: the student windows on a large database: a query
// matching about 10,000 students (first screen of results, against the
// sqlite3 shell running the same statement), the class tree on the biggest
// class, and the query window's memory on a result of every student.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "data/datamodule.h"
#include "platform/dbgrid.h"
#include "platform/dbnavigator.h"
#include "platform/dbtree.h"
#include "platform/dialogs.h"
#include "students/conditiongroup.h"
#include "students/jiaofeipeixun.h"
#include "students/stuinf.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

namespace {
double rssMb() {
  QFile f(QStringLiteral("/proc/self/statm"));
  f.open(QIODevice::ReadOnly);
  const QList<QByteArray> parts = f.readAll().split(' ');
  return parts.value(1).toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

double shellMs(const QString &db, const QString &sql) {
  QElapsedTimer t;
  t.start();
  QProcess p;
  p.setStandardOutputFile(QStringLiteral("/dev/null"));
  p.start(QStringLiteral("sqlite3"), {db, sql});
  p.waitForFinished(-1);
  return t.nsecsElapsed() / 1e6;
}

// Runs the query window's conditions and waits until its grid has painted the
// first screen of results.
double firstScreenMs(Tchaxun_form &w, const QStringList &lines) {
  ConditionGroup *g = w.GroupBox1;
  g->tiaojian_listbox->clear();
  g->tiaojian_listbox->addItems(lines);
  QElapsedTimer t;
  t.start();
  w.BitBtn3Click();
  w.DBGrid1->repaint();
  QApplication::processEvents();
  return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessaly_bench_query PATH\n");
    return 2;
  }
  Dialogs::setAnswerer([](const Dialogs::Request &) { return Dialogs::Ok; });
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("vindero.mdb"));
  QFile::copy(QString::fromLocal8Bit(argv[1]), path);
  auto program = startProgram(path, true);
  if (!program)
    return 1;
  TDM &dm = *program->dm;
  Tchaxun_form &q = *chaxun_form;
  q.show();
  QApplication::processEvents();

  struct Query {
    const char *what;
    QStringList lines;
  };
  const Query queries[] = {
      {"indexed (编号 range)", {QStringLiteral("编号<'20200121'")}},
      {"full scan (two columns)", {QStringLiteral("毕业院校='师范大学'"), QStringLiteral("and 教育程度='大学'")}},
  };
  for (const Query &qu : queries) {
    // Warm the file cache for both sides, then measure each in turn.
    firstScreenMs(q, qu.lines);
    const QString sql = QStringLiteral("select * from 学员基本信息 where ") + qu.lines.join(QStringLiteral(" "));
    shellMs(path, sql);
    double ours = 1e9, shell = 1e9;
    for (int i = 0; i < 3; ++i) {
      ours = std::min(ours, firstScreenMs(q, qu.lines));
      shell = std::min(shell, shellMs(path, sql));
    }
    std::printf("query %-26s matches %6d: first screen %7.1f ms, sqlite3 shell %7.1f ms, ratio %.2f\n", qu.what,
                dm.jiaofeistuinf_query->recordCount(), ours, shell, ours / shell);
  }

  // Memory of the query window on a result of every student, moved to its end.
  const double before = rssMb();
  firstScreenMs(q, {});
  dm.jiaofeistuinf_query->last();
  q.DBGrid1->scrollToBottom();
  QApplication::processEvents();
  std::printf("query window: result of %d rows, at its last row: resident memory %+.1f MB (%.1f MB in all)\n",
              dm.jiaofeistuinf_query->recordCount(), rssMb() - before, rssMb());
  q.hide();

  // The class tree on the biggest class.
  Tstuinf_form &s = *stuinf_form;
  s.show();
  QApplication::processEvents();
  s.fcDBTreeView1->selectNode(5);
  QApplication::processEvents();
  QElapsedTimer t;
  t.start();
  s.fcDBTreeView1->selectNode(0);
  QApplication::processEvents();
  const double open = t.nsecsElapsed() / 1e6;
  const int students = dm.stuinf_table->recordCount();
  t.restart();
  s.dbn2edit->click(DBNavigator::Last);
  QApplication::processEvents();
  const double last = t.nsecsElapsed() / 1e6;
  std::printf("tree: opening a class of %d students %.1f ms, moving to its last student %.1f ms (node: %s)\n", students,
              open, last, qPrintable(s.fcDBTreeView1->currentIndex().data().toString()));
  return 0;
}
