// tessaly_screens DB OUTDIR: renders every window of the program over the
// database DB into OUTDIR/<window>.png, to look at the layouts.
#include "app/help.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "data/datamodule.h"
#include "platform/dialogs.h"
#include "printing/sheet.h"
#include "printing/sheetdata.h"

#include <QApplication>
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: tessaly_screens DB OUTDIR\n");
    return 2;
  }
  Dialogs::setAnswerer([](const Dialogs::Request &) { return Dialogs::Ok; });
  auto program = startProgram(QString::fromLocal8Bit(argv[1]), false);
  if (!program)
    return 1;
  const QString out = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);
  program->form1->resize(1024, 700);
  program->form1->show();
  QApplication::processEvents();
  program->form1->grab().save(out + QStringLiteral("/Form1.png"));
  for (QDialog *d : program->form1->findChildren<QDialog *>(Qt::FindDirectChildrenOnly)) {
    d->show();
    QApplication::processEvents();
    d->grab().save(out + u'/' + d->objectName() + QStringLiteral(".png"));
    std::printf("%s\n", qPrintable(d->objectName()));
    d->hide();
  }
  // The student window's other pages.
  if (auto *s = program->form1->findChild<QDialog *>(QStringLiteral("stuinf_form"))) {
    s->show();
    for (const char *button : {"SpeedButton1", "SpeedButton2"}) {
      if (auto *b = s->findChild<QAbstractButton *>(QString::fromLatin1(button)))
        b->click();
      QApplication::processEvents();
      s->grab().save(out + QStringLiteral("/stuinf_form-") + QString::fromLatin1(button) + QStringLiteral(".png"));
    }
    if (auto *b = s->findChild<QAbstractButton *>(QStringLiteral("Button2")))
      b->click();
    QApplication::processEvents();
    s->grab().save(out + QStringLiteral("/stuinf_form-chooser.png"));
    s->hide();
  }
  // The help viewer at its index.
  try {
    HelpLoader help(&Help::makeViewerEngine);
    help.HtmlHelp(program->form1.get(), QCoreApplication::applicationDirPath() + QStringLiteral("/../help/hollin.rcc"),
                  HelpLoader::HH_DISPLAY_INDEX, QStringLiteral("目录"));
    QApplication::processEvents();
    if (QWidget *h = program->form1->findChild<QWidget *>(QStringLiteral("HelpWindow")))
      h->grab().save(out + QStringLiteral("/help.png"));
  } catch (const std::exception &e) {
    std::fprintf(stderr, "help: %s\n", e.what());
  }
  // The printed sheet of the first student, as a PDF.
  try {
    Sheet::writePdf(out + QStringLiteral("/sheet.pdf"), QuickRep1StartPage(*program->dm));
  } catch (const std::exception &e) {
    std::fprintf(stderr, "sheet: %s\n", e.what());
  }
  return 0;
}
