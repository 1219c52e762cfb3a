#include "xuexiaoliebiao.h"

#include "data/datamodule.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "schoolnames.h"

#include <QHideEvent>
#include <QVBoxLayout>

Txuexiao_form *xuexiao_form = nullptr;

void reloadSchoolBox(DBComboBox *box) {
  const std::optional<QStringList> names = schoolNames(*DM->xuexiaoliebiao_table);
  if (names && box)
    box->setItems(*names);
}

Txuexiao_form::Txuexiao_form(QWidget *parent)
    : FormBase(QStringLiteral("xuexiao_form"), QStringLiteral("学校列表"), QSize(199, 237), parent) {
  if (!xuexiao_form)
    xuexiao_form = this;
  setFont(Fonts::sans(8));
  auto *lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  DBGrid1 = new DBGrid(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setRowKeys(true);
  DBGrid1->setDropUnchangedOnLeave(true);
  DBGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  DBGrid1->setDataSource(DM->xuexiao_ds);
  DBGrid1->setAccessibleName(QStringLiteral("学校列表"));
  lay->addWidget(DBGrid1);
}

Txuexiao_form::~Txuexiao_form() {
  if (xuexiao_form == this)
    xuexiao_form = nullptr;
}

void Txuexiao_form::FormClose() {
  DBGrid1->commitPendingEdit();
  reloadSchoolBox(m_schoolBox);
}

void Txuexiao_form::hideEvent(QHideEvent *e) {
  FormBase::hideEvent(e);
  // Every route that closes the window hides it.
  if (!e->spontaneous())
    guarded(this, [this] { FormClose(); });
}
