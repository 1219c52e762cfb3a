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

// -------------------------------------------------- MasterDetailTreeModel

namespace {
// Child indexes carry their master row + 1; top-level indexes carry 0.
quintptr childId(int masterRow) { return quintptr(masterRow) + 1; }
} // namespace

MasterDetailTreeModel::MasterDetailTreeModel(DataSource *master, DataSource *detail, QObject *parent)
    : QAbstractItemModel(parent), m_master(master), m_detail(detail) {}

DataSet *MasterDetailTreeModel::master() const { return m_master ? m_master->dataSet() : nullptr; }
TableDataSet *MasterDetailTreeModel::detail() const {
  return m_detail ? qobject_cast<TableDataSet *>(m_detail->dataSet()) : nullptr;
}

int MasterDetailTreeModel::currentMasterRow() const {
  DataSet *m = master();
  if (!m || !m->active())
    return -1;
  return m->state() == DataSetState::Insert ? m->insertPosition() : m->recNo();
}

int MasterDetailTreeModel::currentDetailRow() const {
  DataSet *d = detail();
  if (!d || !d->active())
    return -1;
  return d->state() == DataSetState::Insert ? d->insertPosition() : d->recNo();
}

QString MasterDetailTreeModel::linkValueAt(int masterRow) const {
  DataSet *m = master();
  TableDataSet *d = detail();
  if (!m || !d)
    return {};
  const int col = m->fieldIndex(d->masterField());
  return col < 0 ? QString() : FieldValue::toText(m->valueAt(masterRow, col));
}

void MasterDetailTreeModel::reload() {
  beginResetModel();
  m_children.clear();
  m_fetched.clear();
  endResetModel();
}

QModelIndex MasterDetailTreeModel::index(int row, int column, const QModelIndex &parent) const {
  if (column != 0 || row < 0)
    return {};
  if (!parent.isValid())
    return createIndex(row, 0, quintptr(0));
  if (parent.internalId() != 0)
    return {};
  return createIndex(row, 0, childId(parent.row()));
}

QModelIndex MasterDetailTreeModel::parent(const QModelIndex &child) const {
  if (!child.isValid() || child.internalId() == 0)
    return {};
  return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int MasterDetailTreeModel::rowCount(const QModelIndex &parent) const {
  DataSet *m = master();
  if (!m || !m->active())
    return 0;
  if (!parent.isValid()) {
    int n = m->fetchedCount();
    if (m->state() == DataSetState::Insert)
      ++n;
    return n;
  }
  if (parent.internalId() != 0)
    return 0;
  const int r = parent.row();
  if (r == currentMasterRow()) {
    DataSet *d = detail();
    if (!d || !d->active())
      return 0;
    return d->fetchedCount() + (d->state() == DataSetState::Insert ? 1 : 0);
  }
  if (!m_fetched.contains(r))
    return 0;
  const QString link = linkValueAt(r);
  auto it = m_children.find(link);
  if (it == m_children.end())
    it = m_children.insert(link, detail()->firstColumnFor(link));
  return int(it->size());
}

bool MasterDetailTreeModel::hasChildren(const QModelIndex &parent) const {
  if (!parent.isValid())
    return true;
  if (parent.internalId() != 0)
    return false;
  // Not yet read: offer the expand button; once read, only when there are children.
  if (parent.row() != currentMasterRow() && !m_fetched.contains(parent.row()))
    return true;
  return rowCount(parent) > 0;
}

bool MasterDetailTreeModel::canFetchMore(const QModelIndex &parent) const {
  if (!parent.isValid()) {
    DataSet *m = master();
    return m && m->canFetchMore();
  }
  return parent.internalId() == 0 && parent.row() != currentMasterRow() && !m_fetched.contains(parent.row());
}

void MasterDetailTreeModel::fetchMore(const QModelIndex &parent) {
  if (!parent.isValid()) {
    DataSet *m = master();
    const int before = rowCount();
    m->fetchMore();
    const int after = rowCount();
    if (after > before) {
      beginInsertRows({}, before, after - 1);
      endInsertRows();
    }
    return;
  }
  const int r = parent.row();
  const QString link = linkValueAt(r);
  const QStringList kids = m_children.contains(link) ? m_children.value(link) : detail()->firstColumnFor(link);
  m_children.insert(link, kids);
  if (kids.isEmpty()) {
    m_fetched.insert(r);
    return;
  }
  beginInsertRows(parent, 0, int(kids.size()) - 1);
  m_fetched.insert(r);
  endInsertRows();
}

QVariant MasterDetailTreeModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
    return {};
  if (index.internalId() == 0)
    return FieldValue::toText(master()->valueAt(index.row(), 0));
  const int r = int(index.internalId() - 1);
  if (r == currentMasterRow())
    return FieldValue::toText(detail()->valueAt(index.row(), 0));
  return m_children.value(linkValueAt(r)).value(index.row());
}

// ----------------------------------------------------- DBMasterDetailTree

DBMasterDetailTree::DBMasterDetailTree(DataSource *master, DataSource *detail, QWidget *parent)
    : QTreeView(parent), m_model(new MasterDetailTreeModel(master, detail, this)) {
  setModel(m_model);
  setHeaderHidden(true);
  setIndentation(19);
  setRootIsDecorated(true);
  setEditTriggers(NoEditTriggers);
  setUniformRowHeights(true);
  setStyleSheet(QStringLiteral("QTreeView::item { min-height: 18px; }"));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto rows = [this] { sync(true); };
  auto moved = [this] { sync(false); };
  connect(master, &DataSource::rowsChanged, this, rows);
  connect(master, &DataSource::dataChanged, this, moved);
  connect(master, &DataSource::stateChanged, this, rows);
  connect(detail, &DataSource::rowsChanged, this, rows);
  connect(detail, &DataSource::dataChanged, this, moved);
  connect(detail, &DataSource::stateChanged, this, rows);
  sync(true);
}

void DBMasterDetailTree::sync(bool rowsChanged, bool fromUser) {
  if (m_following)
    return;
  const int mr = m_model->currentMasterRow();
  const int dr = m_model->currentDetailRow();
  // Another class is current: its children now come from the detail itself.
  if (rowsChanged || mr != m_lastMaster)
    m_model->reload();
  m_following = true;
  QModelIndex node;
  if (mr >= 0) {
    while (mr >= m_model->rowCount() && m_model->canFetchMore({}))
      m_model->fetchMore({});
    const QModelIndex top = m_model->index(mr, 0);
    node = top;
    // A move made elsewhere (a navigator) highlights the student again.
    if (!fromUser && (dr != m_lastDetail || mr != m_lastMaster))
      m_onClass = false;
    if (!m_onClass && dr >= 0 && dr < m_model->rowCount(top)) {
      expand(top);
      node = m_model->index(dr, 0, top);
    }
  }
  if (node.isValid()) {
    setCurrentIndex(node);
    scrollTo(node);
  }
  m_following = false;
  if (mr != m_lastMaster || dr != m_lastDetail || rowsChanged) {
    m_lastMaster = mr;
    m_lastDetail = dr;
    emit nodeChanged();
  }
}

void DBMasterDetailTree::selectNode(int masterRow, int child) {
  QModelIndex top = m_model->index(masterRow, 0);
  if (child < 0) {
    setCurrentIndex(top);
    return;
  }
  if (m_model->canFetchMore(top))
    m_model->fetchMore(top);
  expand(top);
  setCurrentIndex(m_model->index(child, 0, top));
}

void DBMasterDetailTree::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
  QTreeView::currentChanged(current, previous);
  if (m_following || !current.isValid())
    return;
  DataSet *m = m_model->master();
  TableDataSet *d = m_model->detail();
  const bool child = current.internalId() != 0;
  const int mr = child ? int(current.internalId() - 1) : current.row();
  const int dr = child ? current.row() : -1;
  m_onClass = !child;
  m_following = true;
  guarded(this, [&] {
    m->moveTo(mr);
    if (dr >= 0)
      d->moveTo(dr);
    else if (mr != m_lastMaster)
      d->first();
  });
  m_following = false;
  // The model is read anew after the view has finished with this change.
  QTimer::singleShot(0, this, [this] { sync(false, true); });
}
