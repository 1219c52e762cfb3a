#include "dataset.h"

#include "datasource.h"

#include <QScopeGuard>
#include <algorithm>
#include <limits>

namespace {
const int kChunk = 1024;     // keys read at once from a table
const int kWindow = 256;     // rows of a query result held at once

QString quoteIdent(const QString &s) { return u'"' + QString(s).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

[[noreturn]] void fail(const QString &text) { throw EDatabaseError(text); }
} // namespace

// ---------------------------------------------------------------- DataSet

DataSet::DataSet(Connection &connection, const QString &name, QObject *parent) : QObject(parent), m_conn(connection) {
  setObjectName(name);
}

DataSet::~DataSet() = default;

void DataSet::checkActive() const {
  if (m_state == DataSetState::Inactive)
    fail(QStringLiteral("%1: 数据集未打开").arg(objectName()));
}

void DataSet::open() {
  if (active())
    return;
  doOpen();
  m_index.clear();
  for (int i = 0; i < m_fields.size(); ++i)
    m_index.insert(m_fields[i].name, i);
  m_state = DataSetState::Browse;
  m_modified = false;
  resetCursor();
  emit stateChanged();
  emit rowsChanged();
  emit dataChanged();
  if (afterOpen)
    afterOpen(*this);
}

void DataSet::close() {
  if (!active())
    return;
  doClose();
  m_state = DataSetState::Inactive;
  m_fields.clear();
  m_index.clear();
  m_buffer.clear();
  m_recNo = -1;
  m_bof = m_eof = true;
  m_modified = false;
  emit stateChanged();
  emit rowsChanged();
  emit dataChanged();
}

void DataSet::resetCursor() {
  if (doHasRow(0)) {
    m_recNo = 0;
    m_eof = false;
  } else {
    m_recNo = -1;
    m_eof = true;
  }
  m_bof = true;
  loadCurrent();
}

void DataSet::loadCurrent() {
  m_buffer = QVector<QVariant>(m_fields.size());
  m_changed = QVector<bool>(m_fields.size(), false);
  if (m_recNo < 0)
    return;
  const QVector<QVariant> stored = doReadRow(m_recNo);
  for (int i = 0; i < m_fields.size() && i < stored.size(); ++i)
    m_buffer[i] = FieldValue::fromStorage(m_fields[i], stored[i]);
}

void DataSet::setCurrent(int recNo) {
  m_recNo = recNo;
  loadCurrent();
  emit dataChanged();
  if (afterScroll)
    afterScroll(*this);
}

void DataSet::first() {
  checkActive();
  checkBrowseMode();
  m_bof = true;
  if (doHasRow(0)) {
    m_eof = false;
    setCurrent(0);
  } else {
    m_eof = true;
    setCurrent(-1);
  }
}

void DataSet::last() {
  checkActive();
  checkBrowseMode();
  const int n = doRowCount();
  m_eof = true;
  m_bof = n == 0;
  setCurrent(n - 1);
}

void DataSet::next() {
  checkActive();
  checkBrowseMode();
  if (m_recNo >= 0 && doHasRow(m_recNo + 1)) {
    m_bof = m_eof = false;
    setCurrent(m_recNo + 1);
  } else {
    m_eof = true;
  }
}

void DataSet::prior() {
  checkActive();
  checkBrowseMode();
  if (m_recNo > 0) {
    m_bof = m_eof = false;
    setCurrent(m_recNo - 1);
  } else {
    m_bof = true;
  }
}

void DataSet::moveTo(int recNo) {
  checkActive();
  checkBrowseMode();
  if (recNo < 0 || !doHasRow(recNo))
    return;
  m_bof = recNo == 0;
  m_eof = false;
  if (recNo != m_recNo)
    setCurrent(recNo);
}

bool DataSet::isEmpty() {
  if (!active())
    return true;
  return !doHasRow(0) && m_state != DataSetState::Insert;
}

bool DataSet::hasRows() { return active() && doHasRow(0); }

int DataSet::recordCount() {
  if (!active())
    return 0;
  return doRowCount();
}

bool DataSet::isLastRow() {
  return m_recNo < 0 || !doHasRow(m_recNo + 1);
}

int DataSet::fieldIndex(const QString &name) const { return m_index.value(name, -1); }

int DataSet::checkedField(const QString &name) const {
  const int i = fieldIndex(name);
  if (i < 0)
    fail(QStringLiteral("%1: 找不到字段“%2”").arg(objectName(), name));
  return i;
}

QVariant DataSet::value(int index) const {
  if (index < 0 || index >= m_buffer.size())
    return {};
  return m_buffer[index];
}

QVariant DataSet::value(const QString &name) const { return value(checkedField(name)); }
QString DataSet::asString(const QString &name) const { return FieldValue::toText(value(name)); }
qint64 DataSet::asInteger(const QString &name) const { return value(name).toLongLong(); }
double DataSet::asFloat(const QString &name) const { return value(name).toDouble(); }
bool DataSet::asBoolean(const QString &name) const { return value(name).toBool(); }

void DataSet::setValue(const QString &name, const QVariant &v) { setValue(checkedField(name), v); }

void DataSet::setValue(int index, const QVariant &v) {
  if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
    fail(QStringLiteral("%1: 数据集不在编辑或插入状态").arg(objectName()));
  const Field &f = m_fields.at(index);
  setBuffer(index, FieldValue::toStorage(f, v));
}

void DataSet::setBuffer(int index, const QVariant &stored) {
  const QVariant typed = FieldValue::fromStorage(m_fields[index], stored);
  if (typed == m_buffer[index] && typed.isNull() == m_buffer[index].isNull())
    return;
  m_buffer[index] = typed;
  m_changed[index] = true;
  m_modified = true;
  emit fieldChanged(index);
}

void DataSet::insert() {
  checkActive();
  if (!canModify())
    fail(QStringLiteral("%1: 数据集是只读的").arg(objectName()));
  checkBrowseMode();
  if (beforeInsert)
    beforeInsert(*this);
  m_savedRecNo = m_recNo;
  m_insertAt = std::max(m_recNo, 0);
  m_state = DataSetState::Insert;
  m_buffer = QVector<QVariant>(m_fields.size());
  m_changed = QVector<bool>(m_fields.size(), false);
  initNewRow();
  m_modified = false;
  m_bof = m_eof = false;
  emit stateChanged();
  emit dataChanged();
  if (afterInsert)
    afterInsert(*this);
  // What the insert rules filled in belongs to the new row, but does not
  // count as entered: a new row the user left untouched is dropped on moving.
  m_modified = false;
}

void DataSet::append() {
  checkActive();
  if (!canModify())
    fail(QStringLiteral("%1: 数据集是只读的").arg(objectName()));
  checkBrowseMode();
  const int n = doRowCount();
  insert();
  m_insertAt = n;
  emit dataChanged();
}

void DataSet::edit() {
  checkActive();
  if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
    return;
  if (!canModify())
    fail(QStringLiteral("%1: 数据集是只读的").arg(objectName()));
  if (m_recNo < 0) {
    append();
    return;
  }
  if (beforeEdit)
    beforeEdit(*this);
  m_state = DataSetState::Edit;
  m_modified = false;
  m_changed = QVector<bool>(m_fields.size(), false);
  emit stateChanged();
}

void DataSet::addRecordWriter(QObject *owner, std::function<void()> write) {
  m_writers.push_back({QPointer<QObject>(owner), std::move(write)});
}

void DataSet::writeRecord() {
  emit updateRecord();
  for (qsizetype i = 0; i < m_writers.size();) {
    if (!m_writers[i].first) {
      m_writers.removeAt(i);
      continue;
    }
    const auto write = m_writers[i].second;
    write();
    ++i;
  }
}

void DataSet::post() {
  checkActive();
  if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
    return;
  writeRecord();
  if (beforePost)
    beforePost(*this);
  QVector<QVariant> stored(m_fields.size());
  for (int i = 0; i < m_fields.size(); ++i)
    stored[i] = FieldValue::toStorage(m_fields[i], m_buffer[i]);
  int pos;
  if (m_state == DataSetState::Insert) {
    pos = doInsertRow(stored, m_changed);
    if (pos < 0)
      pos = std::min(m_savedRecNo, doRowCount() - 1);
  } else {
    pos = doUpdateRow(m_recNo, stored, m_changed);
    if (pos < 0)
      pos = std::min(m_recNo, doRowCount() - 1);
  }
  m_state = DataSetState::Browse;
  m_modified = false;
  m_recNo = pos;
  m_bof = m_eof = pos < 0;
  loadCurrent();
  emit stateChanged();
  emit rowsChanged();
  emit dataChanged();
  if (afterPost)
    afterPost(*this);
}

void DataSet::cancel() {
  checkActive();
  if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
    return;
  if (beforeCancel)
    beforeCancel(*this);
  const bool wasInsert = m_state == DataSetState::Insert;
  m_state = DataSetState::Browse;
  m_modified = false;
  if (wasInsert) {
    m_recNo = m_savedRecNo;
    if (m_recNo >= 0 && !doHasRow(m_recNo))
      m_recNo = doRowCount() - 1;
  }
  m_bof = m_eof = m_recNo < 0;
  loadCurrent();
  emit stateChanged();
  emit dataChanged();
  if (afterCancel)
    afterCancel(*this);
}

void DataSet::remove() {
  checkActive();
  if (!canModify())
    fail(QStringLiteral("%1: 数据集是只读的").arg(objectName()));
  if (m_state == DataSetState::Insert) {
    cancel();
    return;
  }
  if (m_state == DataSetState::Edit)
    cancel();
  if (m_recNo < 0)
    fail(QStringLiteral("%1: 无法在空数据集上执行此操作").arg(objectName()));
  if (beforeDelete)
    beforeDelete(*this);
  doDeleteRow(m_recNo);
  if (!doHasRow(m_recNo))
    m_recNo = doRowCount() - 1;
  m_bof = m_recNo <= 0;
  m_eof = m_recNo < 0;
  loadCurrent();
  emit rowsChanged();
  emit dataChanged();
  if (afterDelete)
    afterDelete(*this);
  if (afterScroll)
    afterScroll(*this);
}

void DataSet::addDetail(DataSet *detail) { m_details.push_back(detail); }

void DataSet::checkBrowseMode() {
  for (const QPointer<DataSet> &d : m_details)
    if (d && d->active())
      d->checkBrowseMode();
  if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
    return;
  writeRecord();
  if (m_modified)
    post();
  else
    cancel();
}

void DataSet::refresh() {
  checkActive();
  checkBrowseMode();
  const int keep = m_recNo;
  doRefresh();
  if (keep >= 0 && doHasRow(keep))
    m_recNo = keep;
  else
    m_recNo = doRowCount() - 1;
  m_bof = m_recNo <= 0;
  m_eof = m_recNo < 0;
  loadCurrent();
  emit rowsChanged();
  emit dataChanged();
}

int DataSet::fetchedCount() const { return active() ? doFetchedCount() : 0; }
bool DataSet::canFetchMore() const { return active() && doCanFetchMore(); }
void DataSet::fetchMore() {
  if (canFetchMore())
    doFetchMore();
}

QVariant DataSet::valueAt(int row, int column) {
  if (!active() || column < 0 || column >= m_fields.size())
    return {};
  if (m_state == DataSetState::Insert) {
    if (row == m_insertAt)
      return m_buffer[column];
    if (row > m_insertAt)
      --row;
  } else if (row == m_recNo) {
    return m_buffer[column];
  }
  if (row < 0 || !doHasRow(row))
    return {};
  return FieldValue::fromStorage(m_fields[column], doReadRow(row).value(column));
}

// ----------------------------------------------------------- TableDataSet

TableDataSet::TableDataSet(Connection &connection, const QString &name, QObject *parent)
    : DataSet(connection, name, parent) {}

TableDataSet::~TableDataSet() = default;

QString TableDataSet::quotedTable() const { return quoteIdent(m_table); }

void TableDataSet::setTableName(const QString &t) {
  if (active())
    fail(QStringLiteral("%1: 数据集打开时不能更换表").arg(objectName()));
  m_table = t;
}

void TableDataSet::setMaster(DataSource *master, const QString &masterField, const QString &detailField) {
  if (m_master)
    disconnect(m_master, nullptr, this, nullptr);
  m_master = master;
  m_masterField = masterField;
  m_detailField = detailField;
  if (m_master) {
    connect(m_master, &DataSource::dataChanged, this, &TableDataSet::masterMoved);
    m_master->dataSet()->addDetail(this);
  }
}

QString TableDataSet::masterValue() const {
  if (!m_master || !m_master->dataSet() || !m_master->dataSet()->active())
    return {};
  DataSet *md = m_master->dataSet();
  const int i = md->fieldIndex(m_masterField);
  return i < 0 ? QString() : FieldValue::toText(md->value(i));
}

void TableDataSet::masterMoved() {
  if (!active())
    return;
  const QString v = masterValue();
  if (v == m_linkValue)
    return;
  checkBrowseMode();
  m_linkValue = v;
  loadKeys();
  resetCursor();
  emit rowsChanged();
  emit dataChanged();
  if (afterScroll)
    afterScroll(*this);
}

void TableDataSet::doOpen() {
  if (m_table.isEmpty())
    fail(QStringLiteral("%1: 没有指定表名").arg(objectName()));
  m_fields.clear();
  {
    Statement info(m_conn, QStringLiteral("PRAGMA table_info(%1)").arg(quotedTable()));
    while (info.step())
      m_fields.push_back({info.column(1).toString(), FieldValue::typeFromDeclaration(info.column(2).toString())});
  }
  if (m_fields.isEmpty())
    fail(QStringLiteral("找不到表“%1”").arg(m_table));
  if (m_master) {
    bool found = false;
    for (const Field &f : m_fields)
      found = found || f.name == m_detailField;
    if (!found)
      fail(QStringLiteral("%1: 找不到字段“%2”").arg(objectName(), m_detailField));
  }
  QStringList cols;
  for (const Field &f : m_fields)
    cols << quoteIdent(f.name);
  m_readRow = std::make_unique<Statement>(
      m_conn, QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(cols.join(u','), quotedTable()));
  m_linkValue = masterValue();
  loadKeys();
}

void TableDataSet::doClose() {
  m_readRow.reset();
  m_keys.clear();
  m_cache.clear();
  m_complete = false;
}

void TableDataSet::loadKeys() {
  m_keys.clear();
  m_cache.clear();
  m_complete = false;
  if (!m_master) {
    doFetchMore();
    return;
  }
  // A detail holds one master row's rows: read all its keys at once, through
  // the index on the detail column.
  auto s = linkQuery(QStringLiteral("rowid"), m_linkValue);
  while (s->step())
    m_keys.push_back(s->column(0).toLongLong());
  m_complete = true;
}

std::unique_ptr<Statement> TableDataSet::linkQuery(const QString &columns, const QString &value) {
  const QString d = quoteIdent(m_detailField);
  if (value.isEmpty())
    return std::make_unique<Statement>(m_conn, QStringLiteral("SELECT %3 FROM %1 WHERE %2 IS NULL UNION ALL "
                                                              "SELECT %3 FROM %1 WHERE %2='' ORDER BY 1")
                                                   .arg(quotedTable(), d, columns));
  auto s = std::make_unique<Statement>(
      m_conn, QStringLiteral("SELECT %3 FROM %1 WHERE %2=? ORDER BY rowid").arg(quotedTable(), d, columns));
  s->bind(1, value);
  return s;
}

QStringList TableDataSet::firstColumnFor(const QString &linkValue) {
  checkActive();
  QStringList l;
  if (m_fields.isEmpty())
    return l;
  auto s = linkQuery(QStringLiteral("rowid, ") + quoteIdent(m_fields[0].name), linkValue);
  while (s->step())
    l << FieldValue::toText(FieldValue::fromStorage(m_fields[0], s->column(1)));
  return l;
}

void TableDataSet::doFetchMore() {
  if (m_complete)
    return;
  Statement s(m_conn, QStringLiteral("SELECT rowid FROM %1 WHERE rowid>? ORDER BY rowid LIMIT %2")
                          .arg(quotedTable())
                          .arg(kChunk));
  s.bind(1, m_keys.isEmpty() ? std::numeric_limits<qint64>::min() : m_keys.back());
  int n = 0;
  while (s.step()) {
    m_keys.push_back(s.column(0).toLongLong());
    ++n;
  }
  if (n < kChunk)
    m_complete = true;
}

bool TableDataSet::doHasRow(int i) {
  if (i < 0)
    return false;
  while (i >= m_keys.size() && !m_complete)
    doFetchMore();
  return i < m_keys.size();
}

int TableDataSet::doRowCount() {
  while (!m_complete)
    doFetchMore();
  return int(m_keys.size());
}

QVector<QVariant> TableDataSet::doReadRow(int i) {
  const qint64 key = m_keys.at(i);
  auto it = m_cache.constFind(key);
  if (it != m_cache.constEnd())
    return *it;
  m_readRow->reset();
  m_readRow->bind(1, key);
  QVector<QVariant> row(m_fields.size());
  if (m_readRow->step()) {
    for (int c = 0; c < m_fields.size(); ++c)
      row[c] = m_readRow->column(c);
  }
  m_readRow->reset();
  if (m_cache.size() > 4096)
    m_cache.clear();
  m_cache.insert(key, row);
  return row;
}

void TableDataSet::initNewRow() {
  if (!m_master)
    return;
  const int i = fieldIndex(m_detailField);
  if (i >= 0 && !m_linkValue.isEmpty())
    setBuffer(i, m_linkValue);
}

bool TableDataSet::visibleHere(const QVector<QVariant> &row) const {
  if (!m_master)
    return true;
  const QString v = FieldValue::toText(row.value(fieldIndex(m_detailField)));
  return v == m_linkValue;
}

int TableDataSet::doInsertRow(const QVector<QVariant> &row, const QVector<bool> &set) {
  QStringList cols, marks;
  QVector<QVariant> values;
  for (int c = 0; c < m_fields.size(); ++c) {
    if (!set[c] && row[c].isNull())
      continue;
    cols << quoteIdent(m_fields[c].name);
    marks << QStringLiteral("?");
    values << row[c];
  }
  const QString sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable())
                                     : QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                                           .arg(quotedTable(), cols.join(u','), marks.join(u','));
  Statement s(m_conn, sql);
  for (int i = 0; i < values.size(); ++i)
    s.bind(i + 1, values[i]);
  s.step();
  const qint64 key = m_conn.lastInsertRowId();
  if (!visibleHere(row))
    return -1;
  while (!m_complete)
    doFetchMore();
  if (m_keys.isEmpty() || m_keys.back() < key) {
    m_keys.push_back(key);
    return int(m_keys.size()) - 1;
  }
  auto it = std::lower_bound(m_keys.begin(), m_keys.end(), key);
  if (it == m_keys.end() || *it != key)
    it = m_keys.insert(it, key);
  return int(it - m_keys.begin());
}

int TableDataSet::doUpdateRow(int i, const QVector<QVariant> &row, const QVector<bool> &changed) {
  const qint64 key = m_keys.at(i);
  QStringList sets;
  QVector<QVariant> values;
  for (int c = 0; c < m_fields.size(); ++c) {
    if (!changed[c])
      continue;
    sets << quoteIdent(m_fields[c].name) + QStringLiteral("=?");
    values << row[c];
  }
  m_cache.remove(key);
  if (!sets.isEmpty()) {
    Statement s(m_conn, QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(quotedTable(), sets.join(u',')));
    for (int k = 0; k < values.size(); ++k)
      s.bind(k + 1, values[k]);
    s.bind(int(values.size()) + 1, key);
    s.step();
    if (m_conn.changes() == 0)
      fail(QStringLiteral("%1: 要修改的记录已不存在（可能已被另一程序删除）").arg(objectName()));
  }
  if (!visibleHere(row)) {
    m_keys.removeAt(i);
    return -1;
  }
  return i;
}

void TableDataSet::doDeleteRow(int i) {
  const qint64 key = m_keys.at(i);
  Statement s(m_conn, QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quotedTable()));
  s.bind(1, key);
  s.step();
  m_cache.remove(key);
  m_keys.removeAt(i);
}

void TableDataSet::doRefresh() {
  m_linkValue = masterValue();
  loadKeys();
}

// ----------------------------------------------------------- QueryDataSet

QueryDataSet::QueryDataSet(Connection &connection, const QString &name, QObject *parent)
    : DataSet(connection, name, parent) {}

QueryDataSet::~QueryDataSet() = default;

void QueryDataSet::clearSql() {
  if (active())
    fail(QStringLiteral("%1: 查询打开时不能更换语句").arg(objectName()));
  m_sql.clear();
}

void QueryDataSet::addSql(const QString &line) {
  if (active())
    fail(QStringLiteral("%1: 查询打开时不能更换语句").arg(objectName()));
  m_sql << line;
}

QString QueryDataSet::sqlText() const {
  QString t;
  for (const QString &l : m_sql)
    t += l + QStringLiteral("\r\n");
  return t;
}

std::unique_ptr<Statement> QueryDataSet::prepareChecked() {
  auto s = std::make_unique<Statement>(m_conn, sqlText());
  // The statement may come from what a user typed: it must be one statement
  // and it must only read.
  if (!s->tail().isEmpty())
    fail(QStringLiteral("查询只能包含一条语句"));
  if (!s->readOnly())
    fail(QStringLiteral("查询只能读取数据，不能修改数据"));
  return s;
}

void QueryDataSet::execSql() {
  auto s = prepareChecked();
  s->step();
}

void QueryDataSet::doOpen() {
  m_stmt = prepareChecked();
  m_fields.clear();
  for (int c = 0; c < m_stmt->columnCount(); ++c)
    m_fields.push_back({m_stmt->columnName(c), FieldValue::typeFromDeclaration(m_stmt->declaredType(c))});
  m_knownCount = -1;
  m_seen = 0;
  m_window.clear();
  m_windowStart = 0;
  fetchWindow(0);
}

void QueryDataSet::doClose() {
  m_stmt.reset();
  m_window.clear();
  m_knownCount = -1;
  m_seen = 0;
}

void QueryDataSet::fetchWindow(int start) {
  // Each window is read by one run of the statement, reset at once so that
  // no read lock is held while the user looks at the rows.
  m_stmt->reset();
  auto done = qScopeGuard([this] { m_stmt->reset(); });
  int i = 0;
  while (i < start) {
    if (!m_stmt->step()) {
      m_knownCount = i;
      m_seen = std::max(m_seen, i);
      m_window.clear();
      m_windowStart = start;
      return;
    }
    ++i;
  }
  m_window.clear();
  m_windowStart = start;
  const int cols = m_stmt->columnCount();
  while (m_window.size() < kWindow) {
    if (!m_stmt->step()) {
      m_knownCount = start + int(m_window.size());
      break;
    }
    QVector<QVariant> row(cols);
    for (int c = 0; c < cols; ++c)
      row[c] = m_stmt->column(c);
    m_window.push_back(std::move(row));
  }
  m_seen = std::max(m_seen, start + int(m_window.size()));
}

bool QueryDataSet::doHasRow(int i) {
  if (i < 0)
    return false;
  if (i < m_seen)
    return true;
  if (m_knownCount >= 0)
    return i < m_knownCount;
  fetchWindow(i - i % kWindow);
  return i < m_seen;
}

int QueryDataSet::doRowCount() {
  if (m_knownCount < 0) {
    m_stmt->reset();
    int n = 0;
    while (m_stmt->step())
      ++n;
    m_stmt->reset();
    m_knownCount = n;
    m_seen = n;
  }
  return m_knownCount;
}

int QueryDataSet::doFetchedCount() const { return m_seen; }

void QueryDataSet::doFetchMore() {
  if (m_knownCount < 0)
    doHasRow(m_seen);
}

QVector<QVariant> QueryDataSet::doReadRow(int i) {
  if (i < m_windowStart || i >= m_windowStart + m_window.size())
    fetchWindow(i - i % kWindow);
  const int k = i - m_windowStart;
  return k >= 0 && k < m_window.size() ? m_window[k] : QVector<QVariant>(m_fields.size());
}

void QueryDataSet::doRefresh() {
  m_knownCount = -1;
  m_seen = 0;
  fetchWindow(0);
}
