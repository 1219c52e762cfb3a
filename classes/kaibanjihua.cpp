#include "kaibanjihua.h"

#include "data/datamodule.h"
#include "platform/dbcontrols.h"
#include "platform/dbnavigator.h"
#include "platform/dbtree.h"
#include "platform/guard.h"

#include <QFrame>
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>

Tkaibanjihua_form *kaibanjihua_form = nullptr;

namespace {
QLabel *caption(QWidget *parent, const char *name, const QString &text, int x, int y, QWidget *buddy) {
  auto *l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->move(x, y);
  l->adjustSize();
  l->setBuddy(buddy);
  buddy->setAccessibleName(text);
  return l;
}

template <class W> W *bound(QWidget *parent, const char *name, const QString &field, QRect geometry) {
  auto *w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  w->bind(DM->kaibanjihua_ds, field);
  w->setGeometry(geometry);
  return w;
}
} // namespace

Tkaibanjihua_form::Tkaibanjihua_form(QWidget *parent)
    : FormBase(QStringLiteral("kaibanjihua_form"), QStringLiteral("开班计划"), QSize(508, 289), parent) {
  if (!kaibanjihua_form)
    kaibanjihua_form = this;

  ToolBar1 = toolStrip(38);
  dbn1 = new DBNavigator(QStringLiteral("dbn1"), DBNavigator::editButtons(40));
  dbn1->setButtonHeight(30);
  dbn1->setDataSource(DM->kaibanjihua_ds);
  ToolBar1->addWidget(dbn1);
  SpeedButton4 = flatButton("SpeedButton4", QStringLiteral("退出"), 46, 30);
  ToolBar1->addWidget(SpeedButton4);
  connect(SpeedButton4, &QToolButton::clicked, this, &Tkaibanjihua_form::SpeedButton4Click);

  fcDBTreeView1 = new DBTreeView(this);
  fcDBTreeView1->setObjectName(QStringLiteral("fcDBTreeView1"));
  fcDBTreeView1->setGeometry(0, 38, 161, 289 - 38 - 25);
  fcDBTreeView1->setDataSource(DM->kaibanjihua_ds);
  fcDBTreeView1->setAccessibleName(QStringLiteral("班次"));

  DBEdit1 = bound<DBEdit>(this, "DBEdit1", QStringLiteral("班次名称"), {232, 48, 265, 21});
  DBDateTimePicker1 = bound<DBDateTimePicker>(this, "DBDateTimePicker1", QStringLiteral("开始时间"), {232, 80, 105, 21});
  DBDateTimePicker2 = bound<DBDateTimePicker>(this, "DBDateTimePicker2", QStringLiteral("结束日期"), {392, 80, 105, 21});
  sncDBCurrencyEdit1 = bound<DBCurrencyEdit>(this, "sncDBCurrencyEdit1", QStringLiteral("培训费"), {232, 112, 105, 21});
  sncDBCurrencyEdit2 = bound<DBCurrencyEdit>(this, "sncDBCurrencyEdit2", QStringLiteral("资料费"), {392, 112, 105, 21});
  DBEdit2 = bound<DBEdit>(this, "DBEdit2", QStringLiteral("总人数"), {232, 148, 105, 21});
  Label1 = caption(this, "Label1", QStringLiteral("班次名称"), 176, 53, DBEdit1);
  Label2 = caption(this, "Label2", QStringLiteral("开课时间"), 176, 86, DBDateTimePicker1);
  Label3 = caption(this, "Label3", QStringLiteral("结束时间"), 341, 84, DBDateTimePicker2);
  Label4 = caption(this, "Label4", QStringLiteral("培 训 费"), 176, 118, sncDBCurrencyEdit1);
  Label5 = caption(this, "Label5", QStringLiteral("资 料 费"), 342, 118, sncDBCurrencyEdit2);
  Label6 = caption(this, "Label6", QStringLiteral("总招人数"), 176, 151, DBEdit2);

  setTabOrder(DBEdit1, DBEdit2);
  setTabOrder(DBEdit2, DBDateTimePicker1->lineEdit());
  setTabOrder(DBDateTimePicker1->lineEdit(), DBDateTimePicker2->lineEdit());
  setTabOrder(DBDateTimePicker2->lineEdit(), fcDBTreeView1);
  setTabOrder(fcDBTreeView1, sncDBCurrencyEdit1);
  setTabOrder(sncDBCurrencyEdit1, sncDBCurrencyEdit2);

  QFrame *panel = bottomStrip(25);
  Panel1 = panel;
  wwDBNavigator1 = new DBNavigator(QStringLiteral("wwDBNavigator1"), DBNavigator::moveButtons({43, 42, 42, 42}), panel);
  wwDBNavigator1->setButtonHeight(21);
  wwDBNavigator1->setGeometry(2, 2, 169, 21);
  wwDBNavigator1->setDataSource(DM->kaibanjihua_ds);
  Label7 = new QLabel(panel);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label7->setStyleSheet(QStringLiteral("color: green"));
  Label7->setGeometry(240, 6, 140, 14);
  time_label = new QLabel(panel);
  time_label->setObjectName(QStringLiteral("time_label"));
  time_label->setGeometry(385, 5, 120, 14);
  Timer1 = startClock(time_label);

  // After every post of a class plan the data module announces the count.
  connect(DM, &TDM::classCountChanged, Label7, &QLabel::setText);
}

Tkaibanjihua_form::~Tkaibanjihua_form() {
  if (kaibanjihua_form == this)
    kaibanjihua_form = nullptr;
}

void Tkaibanjihua_form::FormShow() { Label7->setText(DM->classCountText()); }

void Tkaibanjihua_form::SpeedButton4Click() { close(); }

void Tkaibanjihua_form::showEvent(QShowEvent *e) {
  FormBase::showEvent(e);
  if (!e->spontaneous())
    guarded(this, [this] { FormShow(); });
}
