#include "formbase.h"

#include "platform/dialogs.h"
#include "platform/fonts.h"

#include <QFrame>
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>

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

QToolBar *FormBase::toolStrip(int height) {
  auto *strip = new QFrame(this);
  strip->setObjectName(QStringLiteral("CoolBar1"));
  strip->setGeometry(0, 0, width(), height);
  strip->setFrameShape(QFrame::StyledPanel);
  auto *bar = new QToolBar(strip);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setGeometry(1, 1, width() - 2, height - 2);
  return bar;
}

QFrame *FormBase::bottomStrip(int height) {
  auto *panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(0, this->height() - height, width(), height);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  return panel;
}

QToolButton *FormBase::flatButton(const char *name, const QString &text, int width, int height) {
  auto *b = new QToolButton;
  b->setObjectName(QString::fromLatin1(name));
  b->setText(text);
  b->setAutoRaise(true);
  if (width > 0)
    b->setFixedWidth(width);
  b->setFixedHeight(height);
  return b;
}
