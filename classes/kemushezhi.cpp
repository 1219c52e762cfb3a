#include "kemushezhi.h"

#include <QTableWidget>
#include <QVBoxLayout>

Tkemushezhi_form *kemushezhi_form = nullptr;

Tkemushezhi_form::Tkemushezhi_form(QWidget *parent)
    : FormBase(QStringLiteral("kemushezhi_form"), QStringLiteral("科目设置"), QSize(179, 258), parent) {
  if (!kemushezhi_form)
    kemushezhi_form = this;
  auto *lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  DBGrid1 = new QTableWidget(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lay->addWidget(DBGrid1);
}

Tkemushezhi_form::~Tkemushezhi_form() {
  if (kemushezhi_form == this)
    kemushezhi_form = nullptr;
}
