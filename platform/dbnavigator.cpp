#include "dbnavigator.h"

#include "data/datasource.h"
#include "platform/dialogs.h"
#include "platform/guard.h"

#include <QEvent>
#include <QHBoxLayout>

DBNavigator::DBNavigator(const QString &name, const QList<ButtonDef> &buttons, QWidget *parent) : QWidget(parent) {
  setObjectName(name);
  auto *lay = new QHBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  for (const ButtonDef &d : buttons) {
    auto *b = new QPushButton(d.caption, this);
    b->setObjectName(name + QString::fromLatin1(d.suffix));
    b->setFocusPolicy(Qt::NoFocus); // a navigator button never takes the focus from the edit boxes
    if (d.width > 0)
      b->setFixedWidth(d.width);
    lay->addWidget(b);
    m_buttons.insert(d.kind, b);
    connect(b, &QPushButton::clicked, this, [this, k = d.kind] { click(k); });
  }
  updateButtons();
}

QList<DBNavigator::ButtonDef> DBNavigator::editButtons(int width) {
  return {{Insert, "Insert", QStringLiteral("增加"), width},
          {Delete, "Delete", QStringLiteral("删除"), width},
          {Edit, "Edit", QStringLiteral("修改"), width},
          {Post, "Post", QStringLiteral("保存"), width},
          {Cancel, "Cancel", QStringLiteral("取消"), width > 0 ? width - 1 : width}};
}

QList<DBNavigator::ButtonDef> DBNavigator::moveButtons(const QList<int> &widths) {
  return {{First, "First", QStringLiteral("头记录"), widths.value(0)},
          {Prior, "Prior", QStringLiteral("前一条"), widths.value(1)},
          {Next, "Next", QStringLiteral("后一条"), widths.value(2)},
          {Last, "Last", QStringLiteral("尾记录"), widths.value(3)}};
}

void DBNavigator::setDataSource(DataSource *source) {
  if (m_source)
    disconnect(m_source, nullptr, this, nullptr);
  m_source = source;
  if (source) {
    connect(source, &DataSource::stateChanged, this, &DBNavigator::updateButtons);
    connect(source, &DataSource::dataChanged, this, &DBNavigator::updateButtons);
    connect(source, &DataSource::rowsChanged, this, &DBNavigator::updateButtons);
  }
  updateButtons();
}

void DBNavigator::setRepeating(bool on) {
  for (QPushButton *b : m_buttons) {
    b->setAutoRepeat(on);
    b->setAutoRepeatDelay(500);
    b->setAutoRepeatInterval(100);
  }
}

void DBNavigator::setButtonHeight(int h) {
  for (QPushButton *b : m_buttons)
    b->setFixedHeight(h);
}

void DBNavigator::forceDisabled(Button b, bool on) {
  m_forced[b] = on;
  updateButtons();
}

void DBNavigator::changeEvent(QEvent *e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::EnabledChange)
    updateButtons();
}

void DBNavigator::updateButtons() {
  DataSet *ds = m_source ? m_source->dataSet() : nullptr;
  const bool active = ds && ds->active();
  const bool editing = active && (ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert);
  const bool modifiable = active && ds->canModify();
  const bool empty = !active || ds->isEmpty();
  const bool atFirst = empty || ds->isFirstRow();
  const bool atLast = empty || ds->isLastRow();
  for (auto it = m_buttons.begin(); it != m_buttons.end(); ++it) {
    bool on = false;
    switch (it.key()) {
    case First:
    case Prior: on = active && !atFirst; break;
    case Next:
    case Last: on = active && !atLast; break;
    case Insert: on = modifiable; break;
    case Delete: on = modifiable && ds->hasRows(); break;
    case Edit: on = modifiable && !editing; break;
    case Post:
    case Cancel: on = editing; break;
    }
    if (m_forced.value(it.key()))
      on = false;
    it.value()->setEnabled(on);
  }
}

void DBNavigator::click(Button b) {
  guarded(this, [&] { run(b); });
  updateButtons();
}

void DBNavigator::run(Button b) {
  DataSet *ds = m_source ? m_source->dataSet() : nullptr;
  if (!ds)
    return;
  switch (b) {
  case First: ds->first(); break;
  case Prior: ds->prior(); break;
  case Next: ds->next(); break;
  case Last: ds->last(); break;
  case Insert: ds->insert(); break;
  case Edit: ds->edit(); break;
  case Post: ds->post(); break;
  case Cancel: ds->cancel(); break;
  case Delete:
    if (Dialogs::message(this, {Dialogs::Icon::Question, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                                Dialogs::Ok | Dialogs::Cancel}) == Dialogs::Ok)
      ds->remove();
    break;
  }
}
