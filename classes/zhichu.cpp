#include "zhichu.h"

#include "data/datamodule.h"
#include "platform/dbgrid.h"
#include "platform/dbnavigator.h"
#include "platform/fonts.h"

#include <QFrame>
#include <QHeaderView>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

Tzhichu_Form *zhichu_Form = nullptr;

Tzhichu_Form::Tzhichu_Form(QWidget *parent)
    : FormBase(QStringLiteral("zhichu_Form"), QStringLiteral("费用支出明细"), QSize(523, 337), parent) {
  if (!zhichu_Form)
    zhichu_Form = this;
  ToolBar1 = toolStrip(37);
  dbn1 = new DBNavigator(QStringLiteral("dbn1"), DBNavigator::editButtons(40));
  dbn1->setButtonHeight(30);
  dbn1->setDataSource(DM->zhichu_ds);
  ToolBar1->addWidget(dbn1);
  SpeedButton4 = flatButton("SpeedButton4", QStringLiteral("退出"), 54, 30);
  ToolBar1->addWidget(SpeedButton4);
  connect(SpeedButton4, &QToolButton::clicked, this, &Tzhichu_Form::SpeedButton4Click);

  zhichu_dbgrid = new DBGrid(this);
  zhichu_dbgrid->setObjectName(QStringLiteral("zhichu_dbgrid"));
  zhichu_dbgrid->setGeometry(0, 37, 523, 337 - 37 - 19);
  zhichu_dbgrid->setFrameShape(QFrame::Box); // flat, not 3-D
  zhichu_dbgrid->horizontalHeader()->setFont(Fonts::songPoints(9));
  zhichu_dbgrid->horizontalHeader()->setSectionsClickable(false);
  zhichu_dbgrid->verticalHeader()->hide(); // no fixed column
  zhichu_dbgrid->setRowKeys(true);
  zhichu_dbgrid->setColumns({{QStringLiteral("支出项目"), 27, QStringLiteral("支出项目")},
                             {QStringLiteral("金额"), 20, QStringLiteral("金额")},
                             {QStringLiteral("日期"), 18, QStringLiteral("日期")},
                             {QStringLiteral("经手人"), 13, QStringLiteral("经手人")}});
  zhichu_dbgrid->setDataSource(DM->zhichu_ds);
  zhichu_dbgrid->setAccessibleName(QStringLiteral("费用支出明细"));

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setGeometry(0, 337 - 19, 523, 19);
  StatusBar1->setSizeGripEnabled(false);
}

Tzhichu_Form::~Tzhichu_Form() {
  if (zhichu_Form == this)
    zhichu_Form = nullptr;
}

void Tzhichu_Form::SpeedButton4Click() { close(); }
