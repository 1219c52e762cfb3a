#include "conditiongroup.h"

#include "conditions.h"
#include "data/dataset.h"
#include "platform/clock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

ConditionGroup::ConditionGroup(const Sizes &sz, QWidget *parent) : QGroupBox(QStringLiteral("查询条件"), parent) {
  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);

  zhiduan_cb = new QComboBox(this);
  zhiduan_cb->setObjectName(QStringLiteral("zhiduan_cb"));
  zhiduan_cb->setEditable(true);
  zhiduan_cb->setInsertPolicy(QComboBox::NoInsert);
  zhiduan_cb->addItems(Conditions::captions());
  zhiduan_cb->setEditText(QStringLiteral("编号"));
  zhiduan_cb->setFixedWidth(sz.field);
  caozuofu_cb = new QComboBox(this);
  caozuofu_cb->setObjectName(QStringLiteral("caozuofu_cb"));
  caozuofu_cb->setEditable(true);
  caozuofu_cb->setInsertPolicy(QComboBox::NoInsert);
  caozuofu_cb->addItems(Conditions::operators());
  caozuofu_cb->setCurrentIndex(0);
  caozuofu_cb->setFixedWidth(sz.op);
  zhi_edit = new QLineEdit(this);
  zhi_edit->setObjectName(QStringLiteral("zhi_edit"));
  zhi_edit->setFixedWidth(sz.value);
  guanxi_gr = new QWidget(this);
  guanxi_gr->setObjectName(QStringLiteral("guanxi_gr"));
  guanxi_gr->setFixedWidth(sz.relation);
  auto *rel = new QHBoxLayout(guanxi_gr);
  rel->setContentsMargins(0, 0, 0, 0);
  relationAnd = new QRadioButton(QStringLiteral("并且"), guanxi_gr);
  relationOr = new QRadioButton(QStringLiteral("或者"), guanxi_gr);
  relationAnd->setChecked(true);
  rel->addWidget(relationAnd);
  rel->addWidget(relationOr);

  auto label = [this](const QString &t, QWidget *buddy) {
    auto *l = new QLabel(t, this);
    l->setBuddy(buddy);
    buddy->setAccessibleName(t);
    return l;
  };
  grid->addWidget(label(QStringLiteral("查询字段"), zhiduan_cb), 0, 0);
  grid->addWidget(label(QStringLiteral("操作符"), caozuofu_cb), 0, 1);
  grid->addWidget(label(QStringLiteral("值"), zhi_edit), 0, 2);
  grid->addWidget(label(QStringLiteral("关    系"), guanxi_gr), 0, 3);
  grid->addWidget(zhiduan_cb, 1, 0);
  grid->addWidget(caozuofu_cb, 1, 1);
  grid->addWidget(zhi_edit, 1, 2);
  grid->addWidget(guanxi_gr, 1, 3);

  auto *buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  auto button = [&](const char *name, const QString &text, int width) {
    auto *b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(width);
    b->setAutoDefault(false);
    b->setFixedHeight(22);
    buttons->addWidget(b);
    return b;
  };
  if (sz.addField > 0)
    Button2 = button("Button2", QStringLiteral("增加字段"), sz.addField);
  BitBtn1 = button("BitBtn1", QStringLiteral("增加"), sz.add);
  BitBtn2 = button("BitBtn2", QStringLiteral("删除"), sz.remove);
  BitBtn3 = button("BitBtn3", QStringLiteral("查询"), sz.run);
  BitBtn3->setDefault(true); // Enter in the boxes runs the query
  buttons->insertStretch(0, 1);
  grid->addLayout(buttons, 2, 1, 1, 4);

  tiaojian_listbox = new QListWidget(this);
  tiaojian_listbox->setObjectName(QStringLiteral("tiaojian_listbox"));
  tiaojian_listbox->setFixedSize(sz.list);
  grid->addWidget(label(QStringLiteral("条件列表"), tiaojian_listbox), 2, 0, Qt::AlignBottom);
  grid->addWidget(tiaojian_listbox, 3, 0, 1, 5, Qt::AlignLeft | Qt::AlignTop);
  grid->setColumnStretch(4, 1);

  connect(zhiduan_cb, &QComboBox::currentTextChanged, this, &ConditionGroup::zhiduan_cbChange);
  connect(BitBtn1, &QPushButton::clicked, this, &ConditionGroup::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &ConditionGroup::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &ConditionGroup::runRequested);
}

void ConditionGroup::zhiduan_cbChange() {
  zhi_edit->clear();
  if (zhiduan_cb->currentText() == QStringLiteral("出生年月"))
    zhi_edit->setText(Clock::today().toString(u"yyyy-MM-dd"));
}

void ConditionGroup::BitBtn1Click() {
  const bool first = tiaojian_listbox->count() == 0;
  tiaojian_listbox->addItem(Conditions::line(first,
                                             relationOr->isChecked() ? Conditions::Relation::Or
                                                                     : Conditions::Relation::And,
                                             zhiduan_cb->currentText(), caozuofu_cb->currentText(), zhi_edit->text()));
}

void ConditionGroup::BitBtn2Click() {
  const int row = tiaojian_listbox->currentRow();
  if (row >= 0 && tiaojian_listbox->item(row)->isSelected())
    delete tiaojian_listbox->takeItem(row);
}

QStringList ConditionGroup::lines() const {
  QStringList l;
  for (int i = 0; i < tiaojian_listbox->count(); ++i)
    l << tiaojian_listbox->item(i)->text();
  return l;
}

QString ConditionGroup::statementFor(const QString &selectList) const {
  const QString fallback =
      zhi_edit->text().isEmpty()
          ? QString()
          : Conditions::line(true, Conditions::Relation::And, zhiduan_cb->currentText(), caozuofu_cb->currentText(),
                             zhi_edit->text());
  return Conditions::statement(selectList, lines(), fallback);
}

void ConditionGroup::run(QueryDataSet &query, const QString &selectList) const {
  const QString sql = statementFor(selectList);
  query.close();
  query.clearSql();
  query.addSql(sql);
  query.execSql();
  query.open();
}
