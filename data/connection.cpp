#include "connection.h"

#include <QDate>
#include <sqlite3.h>

Connection::~Connection() { close(); }

void Connection::openWith(const QString &path, int flags) {
  close();
  sqlite3 *db = nullptr;
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    sqlite3_close(db);
    throw EDatabaseError(msg);
  }
  m_db = db;
  m_path = path;
  // Another program (a second copy, the backup reader) may hold the file for
  // a moment; wait for it rather than failing at once.
  sqlite3_busy_timeout(m_db, 5000);
  sqlite3_extended_result_codes(m_db, 1);
}

void Connection::open(const QString &path) { openWith(path, SQLITE_OPEN_READWRITE); }
void Connection::create(const QString &path) { openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE); }

void Connection::close() {
  if (m_db) {
    sqlite3_close_v2(m_db);
    m_db = nullptr;
  }
}

QString Connection::lastError() const { return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString(); }

void Connection::exec(const QString &sql) {
  if (!m_db)
    throw EDatabaseError(QStringLiteral("数据库未连接"));
  char *err = nullptr;
  if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
    const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(m_db));
    sqlite3_free(err);
    throw EDatabaseError(msg);
  }
}

bool Connection::inTransaction() const { return m_db && !sqlite3_get_autocommit(m_db); }
qint64 Connection::lastInsertRowId() const { return sqlite3_last_insert_rowid(m_db); }
int Connection::changes() const { return sqlite3_changes(m_db); }

Statement::Statement(Connection &c, const QString &sql) : m_conn(c) {
  if (!c.handle())
    throw EDatabaseError(QStringLiteral("数据库未连接"));
  const QByteArray utf8 = sql.toUtf8();
  const char *tail = nullptr;
  if (sqlite3_prepare_v2(c.handle(), utf8.constData(), int(utf8.size()), &m_stmt, &tail) != SQLITE_OK) {
    const QString msg = c.lastError();
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    throw EDatabaseError(msg);
  }
  if (!m_stmt)
    throw EDatabaseError(QStringLiteral("语句为空"));
  QString rest = QString::fromUtf8(tail);
  while (!rest.isEmpty() && (rest.front().isSpace() || rest.front() == u';'))
    rest.remove(0, 1);
  m_tail = rest;
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

bool Statement::readOnly() const { return sqlite3_stmt_readonly(m_stmt) != 0; }

void Statement::bind(int index, const QVariant &v) {
  int rc;
  if (!v.isValid() || v.isNull()) {
    rc = sqlite3_bind_null(m_stmt, index);
  } else {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
      rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
      break;
    case QMetaType::Double:
      rc = sqlite3_bind_double(m_stmt, index, v.toDouble());
      break;
    case QMetaType::QDate:
      rc = sqlite3_bind_text(m_stmt, index, v.toDate().toString(u"yyyy-MM-dd").toUtf8().constData(), -1,
                             SQLITE_TRANSIENT);
      break;
    default: {
      const QByteArray t = v.toString().toUtf8();
      rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
  }
  if (rc != SQLITE_OK)
    throw EDatabaseError(m_conn.lastError());
}

bool Statement::step() {
  const int rc = sqlite3_step(m_stmt);
  if (rc == SQLITE_ROW)
    return true;
  if (rc == SQLITE_DONE)
    return false;
  const QString msg = m_conn.lastError();
  sqlite3_reset(m_stmt);
  throw EDatabaseError(msg);
}

void Statement::reset() {
  sqlite3_reset(m_stmt);
  sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }
QString Statement::columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(m_stmt, i)); }
QString Statement::declaredType(int i) const {
  const char *t = sqlite3_column_decltype(m_stmt, i);
  return t ? QString::fromUtf8(t) : QString();
}

QVariant Statement::column(int i) const {
  switch (sqlite3_column_type(m_stmt, i)) {
  case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
  case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, i));
  case SQLITE_NULL: return QVariant();
  case SQLITE_BLOB:
    return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, i)), sqlite3_column_bytes(m_stmt, i));
  default:
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i)),
                             sqlite3_column_bytes(m_stmt, i));
  }
}

Transaction::Transaction(Connection &c) : m_conn(c) {
  if (!c.inTransaction()) {
    c.exec(QStringLiteral("BEGIN IMMEDIATE"));
    m_owner = true;
  }
}

Transaction::~Transaction() {
  if (m_owner && !m_done && m_conn.inTransaction()) {
    try {
      m_conn.exec(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
  }
}

void Transaction::commit() {
  if (m_owner && !m_done)
    m_conn.exec(QStringLiteral("COMMIT"));
  m_done = true;
}
