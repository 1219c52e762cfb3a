#include "dbgrid.h"

#include "data/datasource.h"
#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "platform/guard.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

// ----------------------------------------------------------- DataSetModel

DataSetModel::DataSetModel(QObject *parent) : QAbstractTableModel(parent) {}

DataSet *DataSetModel::dataSet() const { return m_source ? m_source->dataSet() : nullptr; }

void DataSetModel::setDataSource(DataSource *source) {
  if (m_source)
    disconnect(m_source, nullptr, this, nullptr);
  m_source = source;
  if (source) {
    auto changed = [this] {
      DataSet *ds = dataSet();
      const bool sameShape = ds && ds->active() && m_rows == rowCount() &&
                             (m_columns.isEmpty() ? columnCount() == ds->fields().size() : true);
      if (!sameShape) {
        reset();
      } else if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
      }
    };
    connect(source, &DataSource::rowsChanged, this, &DataSetModel::reset);
    connect(source, &DataSource::stateChanged, this, changed);
    connect(source, &DataSource::dataChanged, this, changed);
    connect(source, &DataSource::fieldChanged, this, changed);
  }
  reset();
}

void DataSetModel::setColumns(const QList<GridColumn> &columns) {
  beginResetModel();
  m_columns = columns;
  endResetModel();
}

void DataSetModel::reset() {
  beginResetModel();
  endResetModel();
  m_rows = rowCount();
}

QString DataSetModel::fieldOf(int column) const {
  if (!m_columns.isEmpty())
    return m_columns.value(column).field;
  DataSet *ds = dataSet();
  return ds && column >= 0 && column < ds->fields().size() ? ds->fields()[column].name : QString();
}

int DataSetModel::rowCount(const QModelIndex &parent) const {
  DataSet *ds = dataSet();
  if (parent.isValid() || !ds || !ds->active())
    return 0;
  int n = ds->fetchedCount();
  if (ds->state() == DataSetState::Insert)
    ++n;
  // An empty table that can take rows shows one blank row to type into.
  if (n == 0 && !m_readOnly && ds->canModify())
    n = 1;
  return n;
}

int DataSetModel::columnCount(const QModelIndex &parent) const {
  if (parent.isValid())
    return 0;
  if (!m_columns.isEmpty())
    return int(m_columns.size());
  DataSet *ds = dataSet();
  return ds && ds->active() ? int(ds->fields().size()) : 0;
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const {
  DataSet *ds = dataSet();
  if (!ds || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
    return {};
  const int col = ds->fieldIndex(fieldOf(index.column()));
  if (col < 0)
    return {};
  const QVariant v = ds->valueAt(index.row(), col);
  if (ds->fields()[col].type == FieldType::Currency)
    return role == Qt::DisplayRole ? DBCurrencyEdit::format(m_symbol, v)
                                   : (v.isNull() ? QString() : QString::number(v.toDouble(), 'f', 2));
  return FieldValue::toText(v);
}

QVariant DataSetModel::headerData(int section, Qt::Orientation o, int role) const {
  if (role == Qt::TextAlignmentRole && o == Qt::Horizontal)
    return int(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole)
    return {};
  if (o == Qt::Vertical)
    return {};
  if (!m_columns.isEmpty() && !m_columns.value(section).title.isEmpty())
    return m_columns.value(section).title;
  return fieldOf(section);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  DataSet *ds = dataSet();
  if (!m_readOnly && ds && ds->canModify())
    f |= Qt::ItemIsEditable;
  return f;
}

bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role) {
  DataSet *ds = dataSet();
  if (role != Qt::EditRole || !ds || !m_source)
    return false;
  const bool onCurrent = ds->state() == DataSetState::Insert ? index.row() == ds->insertPosition()
                                                              : index.row() == ds->recNo() || ds->isEmpty();
  if (!onCurrent)
    ds->moveTo(index.row());
  const QString field = fieldOf(index.column());
  if (data(index, Qt::EditRole).toString() == value.toString() && ds->state() == DataSetState::Browse)
    return true; // nothing changed: no edit is started
  if (!m_source->beginEdit())
    return false;
  ds->setValue(field, value);
  return true;
}

bool DataSetModel::canFetchMore(const QModelIndex &parent) const {
  DataSet *ds = dataSet();
  return !parent.isValid() && ds && ds->canFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex &parent) {
  DataSet *ds = dataSet();
  if (parent.isValid() || !ds)
    return;
  const int before = rowCount();
  ds->fetchMore();
  const int after = rowCount();
  if (after > before) {
    beginInsertRows({}, before, after - 1);
    endInsertRows();
  }
  m_rows = after;
}

// ---------------------------------------------------------------- DBGrid

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_model(new DataSetModel(this)) {
  setModel(m_model);
  setItemDelegate(new DBGridDelegate(this));
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
    applyWidths();
    followDataSet();
  });
}

void DBGrid::setDataSource(DataSource *source) {
  m_model->setDataSource(source);
  if (source)
    connect(source, &DataSource::dataChanged, this, &DBGrid::followDataSet);
  applyWidths();
  followDataSet();
}

void DBGrid::setColumns(const QList<GridColumn> &columns) {
  m_model->setColumns(columns);
  applyWidths();
}

void DBGrid::setReadOnly(bool on) {
  m_model->setReadOnly(on);
  setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                     : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
}

void DBGrid::setResultGrid(DataSource *source) {
  setReadOnly(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  setDataSource(source);
}

void DBGrid::applyWidths() {
  const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  for (int c = 0; c < m_model->columnCount(); ++c) {
    const int chars = m_model->columns().isEmpty() ? 0 : m_model->columns()[c].widthChars;
    if (chars > 0)
      setColumnWidth(c, chars * digit + 8);
    else
      setColumnWidth(c, std::max(64, horizontalHeader()->fontMetrics().horizontalAdvance(
                                         m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 16));
  }
}

void DBGrid::commitPendingEdit() {
  if (state() != EditingState)
    return;
  QWidget *w = QApplication::focusWidget();
  while (w && w->parentWidget() != viewport())
    w = w->parentWidget();
  if (w) {
    commitData(w);
    closeEditor(w, QAbstractItemDelegate::NoHint);
  }
}

void DBGrid::followDataSet() {
  DataSet *ds = m_model->dataSet();
  if (!ds || !ds->active() || m_following)
    return;
  int row = ds->state() == DataSetState::Insert ? ds->insertPosition() : ds->recNo();
  if (row < 0)
    row = 0;
  while (row >= m_model->rowCount() && m_model->canFetchMore({}))
    m_model->fetchMore({});
  if (row >= m_model->rowCount())
    return;
  m_following = true;
  const int col = std::max(0, currentIndex().column());
  const QModelIndex target = m_model->index(row, col);
  if (currentIndex().row() != row)
    setCurrentIndex(target);
  scrollTo(target);
  m_following = false;
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
  QTableView::currentChanged(current, previous);
  if (m_following || !current.isValid() || current.row() == previous.row())
    return;
  DataSet *ds = m_model->dataSet();
  if (!ds || !ds->active())
    return;
  const int dsRow = ds->state() == DataSetState::Insert ? ds->insertPosition() : ds->recNo();
  if (current.row() == dsRow)
    return;
  const int target = ds->state() == DataSetState::Insert && current.row() > ds->insertPosition() ? current.row() - 1
                                                                                                  : current.row();
  m_following = true;
  guarded(this, [&] {
    ds->moveTo(target);
  });
  m_following = false;
  QTimer::singleShot(0, this, &DBGrid::followDataSet);
}

void DBGrid::keyPressEvent(QKeyEvent *e) {
  DataSet *ds = m_model->dataSet();
  if (ds && ds->active() && m_rowKeys && !m_model->readOnly() && ds->canModify() && state() != EditingState) {
    const bool editing = ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert;
    if (e->key() == Qt::Key_Insert && e->modifiers() == Qt::NoModifier) {
      guarded(this, [&] { ds->insert(); });
      return;
    }
    if (e->key() == Qt::Key_Down && currentIndex().row() == m_model->rowCount() - 1 && !m_model->canFetchMore({})) {
      // Down from the last row adds a row, unless that row is an untouched new one.
      if (!(ds->state() == DataSetState::Insert && !ds->modified()) && !ds->isEmpty())
        guarded(this, [&] { ds->append(); });
      return;
    }
    if (e->key() == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier)) {
      guarded(this, [&] {
        if (ds->isEmpty())
          return;
        if (Dialogs::message(this, {Dialogs::Icon::Question, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                                    Dialogs::Ok | Dialogs::Cancel}) == Dialogs::Ok)
          ds->remove();
      });
      return;
    }
    if (e->key() == Qt::Key_Escape && editing) {
      guarded(this, [&] { ds->cancel(); });
      return;
    }
  }
  QTableView::keyPressEvent(e);
}

void DBGrid::focusOutEvent(QFocusEvent *e) {
  QTableView::focusOutEvent(e);
  if (!m_dropOnLeave)
    return;
  QTimer::singleShot(0, this, [this] {
    QWidget *f = QApplication::focusWidget();
    if (f && (f == this || isAncestorOf(f)))
      return; // the in-cell editor has it
    DataSet *ds = m_model->dataSet();
    if (ds && ds->state() == DataSetState::Insert && !ds->modified())
      ds->cancel();
  });
}

// -------------------------------------------------------- DBGridDelegate

namespace {
// The refused text waiting to be shown again in the reopened editor.
QPersistentModelIndex g_pendingIndex;
QString g_pendingText;
} // namespace

QWidget *DBGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &o, const QModelIndex &index) const {
  auto *model = qobject_cast<const DataSetModel *>(index.model());
  DataSet *ds = model ? model->dataSet() : nullptr;
  const int col = ds ? ds->fieldIndex(model->fieldOf(index.column())) : -1;
  if (col >= 0 && ds->fields()[col].type == FieldType::Currency) {
    auto *e = new DBCurrencyEdit(parent);
    e->setObjectName(QStringLiteral("sncDBCurrencyEdit1"));
    e->setFrame(false);
    return e;
  }
  return QStyledItemDelegate::createEditor(parent, o, index);
}

void DBGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const {
  if (index == g_pendingIndex) {
    if (auto *l = qobject_cast<QLineEdit *>(editor)) {
      l->setText(g_pendingText);
      g_pendingIndex = QPersistentModelIndex();
      return;
    }
  }
  if (auto *c = qobject_cast<DBCurrencyEdit *>(editor)) {
    const QString t = index.data(Qt::EditRole).toString();
    c->setText(t.isEmpty() ? QString() : c->currencySymbol() + t);
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void DBGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const {
  auto *line = qobject_cast<QLineEdit *>(editor);
  const QString text = line ? line->text() : QString();
  QWidget *view = qobject_cast<QWidget *>(parent());
  const bool ok = guarded(view, [&] {
    if (line)
      model->setData(index, text, Qt::EditRole);
    else
      QStyledItemDelegate::setModelData(editor, model, index);
  });
  if (!ok && line) {
    g_pendingIndex = index;
    g_pendingText = text;
    if (auto *v = qobject_cast<QAbstractItemView *>(view)) {
      const QPersistentModelIndex again(index);
      QTimer::singleShot(0, v, [v, again] {
        if (again.isValid()) {
          v->setCurrentIndex(again);
          v->edit(again);
        }
      });
    }
  }
}
