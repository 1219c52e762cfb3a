// tessaly_bench PATH: start-up, moving to another class and one enrolment on
// the database at PATH (a copy is made first, so PATH is not changed).
#include "app/mainwindow.h"
#include "app/startup.h"
#include "data/datamodule.h"
#include "platform/dialogs.h"
#include "students/stuinf.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {
double peakMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

void report(const char *what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-40s median %8.2f ms   max %8.2f ms   (%zu runs)\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessaly_bench PATH\n");
    return 2;
  }
  Dialogs::setAnswerer([](const Dialogs::Request &r) {
    return r.buttons & Dialogs::Yes ? Dialogs::Yes : (r.buttons & Dialogs::Ok ? Dialogs::Ok : Dialogs::Cancel);
  });
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("vindero.mdb"));
  if (!QFile::copy(QString::fromLocal8Bit(argv[1]), path)) {
    std::fprintf(stderr, "cannot copy %s\n", argv[1]);
    return 1;
  }
  // Read the copy once so the first start is not a cold disk read.
  {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    while (!f.read(1 << 20).isEmpty()) {
    }
  }
  const double before = peakMb();
  QElapsedTimer t;
  t.start();
  auto program = startProgram(path);
  QApplication::processEvents();
  const double startMs = t.nsecsElapsed() / 1e6;
  if (!program)
    return 1;
  TDM &dm = *program->dm;
  std::printf("start-up (data module + main window shown)  %8.2f ms   peak memory %.1f MB (%.1f MB before)\n",
              startMs, peakMb(), before);
  std::printf("classes %d, students of the first class %d\n", dm.kaibanjihua_table->recordCount(),
              dm.stuinf_table->recordCount());

  std::vector<double> moves;
  const int classes = dm.kaibanjihua_table->recordCount();
  for (int i = 1; i <= 40 && i < classes; ++i) {
    t.restart();
    dm.kaibanjihua_table->moveTo((i * 7919) % classes);
    // What the student window runs on every change of class: the count
    // statement, its label and the main window's status bar.
    stuinf_form->fcDBTreeView1Change();
    moves.push_back(t.nsecsElapsed() / 1e6);
  }
  report("move to another class (with count)", moves);

  std::vector<double> lasts;
  for (int i = 1; i <= 20 && i < classes; ++i) {
    dm.kaibanjihua_table->moveTo((i * 104729) % classes);
    t.restart();
    dm.stuinf_table->last();
    lasts.push_back(t.nsecsElapsed() / 1e6);
  }
  report("move to the class's last student", lasts);

  std::vector<double> enrols;
  for (int i = 0; i < 20; ++i) {
    t.restart();
    dm.stuinf_table->append();
    dm.stuinf_table->setValue(QStringLiteral("姓名"), QStringLiteral("测试%1").arg(i));
    dm.stuinf_table->setValue(QStringLiteral("电话"), QStringLiteral("025%1").arg(i));
    dm.stuinf_table->post();
    enrols.push_back(t.nsecsElapsed() / 1e6);
  }
  report("one enrolment (insert, number, post)", enrols);
  std::printf("peak memory at the end %.1f MB\n", peakMb());
  return 0;
}
