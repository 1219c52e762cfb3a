#include "printshouj.h"

#include "data/datamodule.h"
#include "platform/dialogs.h"
#include "platform/guard.h"
#include "sheet.h"
#include "sheetdata.h"

#include <QAction>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

Tprintshouj_form *printshouj_form = nullptr;

Tprintshouj_form::Tprintshouj_form(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("printshouj_form"));
  setWindowFlags(Qt::Window);
  hide(); // only holds the report; never shown itself
  if (!printshouj_form)
    printshouj_form = this;
}

Tprintshouj_form::~Tprintshouj_form() {
  if (printshouj_form == this)
    printshouj_form = nullptr;
}

void Tprintshouj_form::savePdf(QWidget *owner) {
  const SheetData d = QuickRep1StartPage(*DM);
  const QString name = d.name.isEmpty() ? d.className : d.name;
  const QString path = Dialogs::saveFileName(
      owner, {QStringLiteral("保存为PDF"), QDir::home().filePath(name + QStringLiteral("-收据.pdf")),
              QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"), true});
  if (!path.isEmpty())
    Sheet::writePdf(path, d);
}

void Tprintshouj_form::preview(QWidget *owner) {
  QuickRep1StartPage(*DM); // refuses before any window opens when there is nothing to print
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                    QPageLayout::Millimeter));
  printer.setFullPage(true);
  printer.setCopyCount(1);
  printer.setDuplex(QPrinter::DuplexNone);
  printer.setDocName(QStringLiteral("学员基本信息表"));
  QPrintPreviewDialog dlg(&printer, owner);
  dlg.setObjectName(QStringLiteral("QRPreview"));
  dlg.setWindowTitle(QStringLiteral("打印预览 - 学员基本信息表"));
  dlg.setWindowFlags(dlg.windowFlags() & ~Qt::WindowStaysOnTopHint);
  connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *pr) {
    guarded(this, [pr] {
      // Every page start reads the rows of that moment.
      const SheetData d = QuickRep1StartPage(*DM);
      QPainter p(pr);
      Sheet::render(p, d);
    });
  });
  if (QToolBar *bar = dlg.findChild<QToolBar *>()) {
    QAction *pdf = bar->addAction(QStringLiteral("保存PDF"));
    pdf->setObjectName(QStringLiteral("savePdf"));
    connect(pdf, &QAction::triggered, &dlg, [this, &dlg] { guarded(&dlg, [&] { savePdf(&dlg); }); });
  }
  Dialogs::execModal(&dlg);
}
