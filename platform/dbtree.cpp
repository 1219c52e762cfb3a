#include "dbtree.h"

#include "data/datasource.h"
#include "platform/dbgrid.h"
#include "platform/guard.h"

#include <QHeaderView>
#include <QTimer>

DBTreeView::DBTreeView(QWidget *parent) : QTreeView(parent), m_model(new DataSetModel(this)) {
  m_model->setReadOnly(true);
  setModel(m_model);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(19);
  setEditTriggers(NoEditTriggers);
  setUniformRowHeights(true);
  setStyleSheet(QStringLiteral("QTreeView::item { min-height: 18px; }"));
  connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
    for (int c = 1; c < m_model->columnCount(); ++c)
      setColumnHidden(c, true);
    followDataSet();
  });
}

void DBTreeView::setDataSource(DataSource *source) {
  m_model->setDataSource(source);
  if (source)
    connect(source, &DataSource::dataChanged, this, &DBTreeView::followDataSet);
  for (int c = 1; c < m_model->columnCount(); ++c)
    setColumnHidden(c, true);
  followDataSet();
}

void DBTreeView::followDataSet() {
  DataSet *ds = m_model->dataSet();
  if (!ds || !ds->active() || m_following)
    return;
  const int row = ds->state() == DataSetState::Insert ? ds->insertPosition() : ds->recNo();
  if (row < 0)
    return;
  while (row >= m_model->rowCount() && m_model->canFetchMore({}))
    m_model->fetchMore({});
  m_following = true;
  const QModelIndex target = m_model->index(row, 0);
  if (currentIndex() != target)
    setCurrentIndex(target);
  scrollTo(target);
  m_following = false;
  emit nodeChanged();
}

void DBTreeView::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
  QTreeView::currentChanged(current, previous);
  if (m_following || !current.isValid())
    return;
  DataSet *ds = m_model->dataSet();
  if (!ds || !ds->active())
    return;
  m_following = true;
  guarded(this, [&] { ds->moveTo(current.row()); });
  m_following = false;
  QTimer::singleShot(0, this, &DBTreeView::followDataSet);
}
