#include "jiaofeipeixun.h"

#include "conditiongroup.h"
#include "data/datamodule.h"
#include "platform/dbgrid.h"
#include "platform/dbnavigator.h"
#include "platform/guard.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

Tchaxun_form *chaxun_form = nullptr;

Tchaxun_form::Tchaxun_form(QWidget *parent)
    : FormBase(QStringLiteral("chaxun_form"), QStringLiteral("查询学员"), QSize(583, 370), parent) {
  if (!chaxun_form)
    chaxun_form = this;
  ToolBar1 = toolStrip(33);
  ToolBar1->addSeparator();
  // Bound to the result, so that it moves through the found students.
  wwDBNavigator2 = new DBNavigator(QStringLiteral("wwDBNavigator1"), DBNavigator::moveButtons({48, 48, 48, 48}));
  wwDBNavigator2->setObjectName(QStringLiteral("wwDBNavigator2"));
  wwDBNavigator2->setButtonHeight(29);
  wwDBNavigator2->setDataSource(DM->jiaofeistuinf_ds);
  ToolBar1->addWidget(wwDBNavigator2);
  SpeedButton5 = flatButton("SpeedButton5", QStringLiteral("退出"), 0, 29);
  ToolBar1->addWidget(SpeedButton5);
  connect(SpeedButton5, &QToolButton::clicked, this, &Tchaxun_form::SpeedButton5Click);

  find_sheet = new QWidget(this);
  find_sheet->setObjectName(QStringLiteral("find_sheet"));
  find_sheet->setGeometry(0, 34, 583, 160);
  GroupBox1 = new ConditionGroup({113, 115, 150, 121, 0, 76, 72, 77, QSize(513, 73)}, find_sheet);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(2, 0, 579, 160);
  connect(GroupBox1, &ConditionGroup::runRequested, this, [this] { guarded(this, [this] { BitBtn3Click(); }); });

  DBGrid1 = new DBGrid(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setGeometry(0, 196, 583, 148);
  DBGrid1->setResultGrid(DM->jiaofeistuinf_ds);
  DBGrid1->setAccessibleName(QStringLiteral("查询结果"));

  QFrame *panel = bottomStrip(24);
  Panel1 = panel;
  Label13 = new QLabel(QStringLiteral("CorvaneTessaly"), panel);
  Label13->setObjectName(QStringLiteral("Label13"));
  Label13->setGeometry(240, 4, 120, 16);
  time_label = new QLabel(panel);
  time_label->setObjectName(QStringLiteral("time_label"));
  time_label->setGeometry(440, 4, 140, 16);
  Timer1 = startClock(time_label);
}

Tchaxun_form::~Tchaxun_form() {
  if (chaxun_form == this)
    chaxun_form = nullptr;
}

void Tchaxun_form::BitBtn3Click() { GroupBox1->run(*DM->jiaofeistuinf_query, QStringLiteral("select *")); }

void Tchaxun_form::SpeedButton5Click() { close(); }
