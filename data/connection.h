#pragma once
// A thin RAII layer over one SQLite connection: statements, transactions and
// errors raised as EDatabaseError.
#include "errors.h"

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

class Connection {
public:
  Connection() = default;
  ~Connection();
  Connection(const Connection &) = delete;
  Connection &operator=(const Connection &) = delete;

  // Opens an existing file for reading and writing (never creates one).
  void open(const QString &path);
  // Creates a new, empty database file (fails if it cannot).
  void create(const QString &path);
  void close();
  bool connected() const { return m_db != nullptr; }
  const QString &path() const { return m_path; }
  sqlite3 *handle() const { return m_db; }

  void exec(const QString &sql);
  bool inTransaction() const;
  qint64 lastInsertRowId() const;
  int changes() const; // rows changed by the last statement
  QString lastError() const;

private:
  void openWith(const QString &path, int flags);
  sqlite3 *m_db = nullptr;
  QString m_path;
};

class Statement {
public:
  Statement(Connection &c, const QString &sql);
  ~Statement();
  Statement(const Statement &) = delete;
  Statement &operator=(const Statement &) = delete;

  // Text that followed the first statement (other than blanks and ';').
  const QString &tail() const { return m_tail; }
  bool readOnly() const;

  void bind(int index, const QVariant &value); // 1-based
  bool step();                                 // true while a row is ready
  void reset();
  int columnCount() const;
  QString columnName(int i) const;
  QString declaredType(int i) const;
  QVariant column(int i) const;
  sqlite3_stmt *handle() const { return m_stmt; }

private:
  Connection &m_conn;
  sqlite3_stmt *m_stmt = nullptr;
  QString m_tail;
};

// Begins an immediate transaction unless one is already running; commits on
// commit(), rolls back if destroyed before that.
class Transaction {
public:
  explicit Transaction(Connection &c);
  ~Transaction();
  void commit();

private:
  Connection &m_conn;
  bool m_owner = false;
  bool m_done = false;
};
