#include "formbase.h"

#include "platform/dialogs.h"
#include "platform/fonts.h"

#include <QShowEvent>

FormBase::FormBase(const QString &name, const QString &caption, QSize client, QWidget *parent) : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
  setFixedSize(client);
  setFont(Fonts::songPoints(9));
  setModal(true);
}

void FormBase::showModal() { Dialogs::execModal(this); }

void FormBase::showEvent(QShowEvent *e) {
  if (!e->spontaneous() && parentWidget()) {
    QWidget *top = parentWidget()->window();
    move(top->geometry().center() - rect().center());
  }
  QDialog::showEvent(e);
}

QTimer *FormBase::startClock(QLabel *label) {
  auto *t = new QTimer(this);
  t->setObjectName(QStringLiteral("Timer1"));
  t->setInterval(1000);
  auto tick = [label] {
    label->setText(Clock::now().toString(u"yyyy-MM-dd  hh:mm:ss"));
    label->repaint();
  };
  connect(t, &QTimer::timeout, label, tick);
  tick();
  t->start();
  return t;
}
