#pragma once
// Datasets: named cursors over a table or a select statement, each with a
// current row, a state and the events that record rules hang on.
#include "connection.h"
#include "fieldvalue.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

enum class DataSetState { Inactive, Browse, Edit, Insert };

class DataSource;

class DataSet : public QObject {
  Q_OBJECT
public:
  using Event = std::function<void(DataSet &)>;
  // Events, in the order they run: BeforeInsert, (link values copied),
  // AfterInsert; (controls write their text) BeforePost, write, AfterPost.
  Event beforeInsert, afterInsert, beforeEdit, beforePost, afterPost, beforeCancel, afterCancel, beforeDelete,
      afterDelete, afterScroll, afterOpen;

  DataSet(Connection &connection, const QString &name, QObject *parent = nullptr);
  ~DataSet() override;

  Connection &connection() const { return m_conn; }

  void open(); // opening an open dataset does nothing
  void close();
  bool active() const { return m_state != DataSetState::Inactive; }
  DataSetState state() const { return m_state; }

  void first();
  void prior();
  void next();
  void last();
  void moveTo(int recNo); // 0-based position among the visible rows
  bool eof() const { return m_eof; }
  bool bof() const { return m_bof; }
  bool isEmpty();
  bool hasRows(); // stored rows are visible (a row being inserted does not count)
  int recordCount();
  int recNo() const { return m_recNo; } // -1 when there is no current row
  bool isFirstRow() const { return m_recNo <= 0; }
  bool isLastRow();

  const QVector<Field> &fields() const { return m_fields; }
  int fieldIndex(const QString &name) const; // -1 when missing
  int checkedField(const QString &name) const; // throws when missing
  bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

  // The current row (or the row being edited); null when empty.
  QVariant value(const QString &name) const;
  QVariant value(int index) const;
  QString asString(const QString &name) const;
  qint64 asInteger(const QString &name) const;
  double asFloat(const QString &name) const;
  bool asBoolean(const QString &name) const;
  // Write a column of the row being inserted or edited; text converts to the
  // column's type.
  void setValue(const QString &name, const QVariant &v);
  void setValue(int index, const QVariant &v);

  virtual bool canModify() const { return false; }
  void insert();
  void append();
  void edit(); // on an empty dataset starts an insert instead
  void post();
  void cancel();
  void remove(); // deletes the current row; the next becomes current
  bool modified() const { return m_modified; }
  // Posts a changed pending row, drops an unchanged one.
  void checkBrowseMode();
  // Reads the rows again, staying on the same position where possible.
  void refresh();

  // For grids: rows known so far, and more on demand.
  int fetchedCount() const;
  bool canFetchMore() const;
  void fetchMore();
  QVariant valueAt(int row, int column); // a visible row's value (row being inserted: the buffer)
  // Position the new row takes in the list while it is being inserted.
  int insertPosition() const { return m_state == DataSetState::Insert ? m_insertAt : -1; }

  // Bound controls register how they write their text into the row; every
  // writer runs before BeforePost and before a pending row is judged changed.
  // A writer may throw (a value that does not fit): the post then stops.
  void addRecordWriter(QObject *owner, std::function<void()> write);
  // A detail following this dataset: its pending row is posted (or dropped)
  // before this dataset moves, so a refused post leaves both where they were.
  void addDetail(DataSet *detail);

signals:
  void stateChanged();
  void dataChanged();        // moved to another row, or the current row's content changed
  void fieldChanged(int index);
  void updateRecord();       // bound controls: write your text into the row now
  void rowsChanged();        // the set of visible rows changed

protected:
  // Storage: implemented by the table and query datasets.
  virtual void doOpen() = 0; // fills m_fields
  virtual void doClose() = 0;
  virtual bool doHasRow(int i) = 0; // loads rows as needed
  virtual int doRowCount() = 0;
  virtual int doFetchedCount() const = 0;
  virtual bool doCanFetchMore() const = 0;
  virtual void doFetchMore() = 0;
  virtual QVector<QVariant> doReadRow(int i) = 0; // stored form
  // Returns the new row's position, or -1 if it is not visible here.
  virtual int doInsertRow(const QVector<QVariant> &row, const QVector<bool> &set) { Q_UNUSED(row) Q_UNUSED(set) return -1; }
  virtual int doUpdateRow(int i, const QVector<QVariant> &row, const QVector<bool> &changed) { Q_UNUSED(row) Q_UNUSED(changed) return i; }
  virtual void doDeleteRow(int i) { Q_UNUSED(i) }
  virtual void initNewRow() {} // link values into m_buffer
  virtual void doRefresh() = 0;

  void setCurrent(int recNo);
  void loadCurrent();
  void setBuffer(int index, const QVariant &stored);
  void checkActive() const;
  void resetCursor(); // after the rows were read anew: first row, no events

  Connection &m_conn;
  QVector<Field> m_fields;
  QHash<QString, int> m_index;
  QVector<QVariant> m_buffer; // current row (typed values), or the pending row
  QVector<bool> m_changed;
  DataSetState m_state = DataSetState::Inactive;
  int m_recNo = -1;
  int m_insertAt = -1;
  int m_savedRecNo = -1;
  bool m_bof = true, m_eof = true, m_modified = false;
  QVector<QPair<QPointer<QObject>, std::function<void()>>> m_writers;
  QVector<QPointer<DataSet>> m_details;
  void writeRecord();
};

// A table dataset: every row of one table in table order, or, as the detail
// of a master data source, the rows whose detail column equals the master's
// current value.
class TableDataSet : public DataSet {
  Q_OBJECT
public:
  TableDataSet(Connection &connection, const QString &name, QObject *parent = nullptr);
  ~TableDataSet() override;
  void setTableName(const QString &t); // only while closed
  const QString &tableName() const { return m_table; }
  void setMaster(DataSource *master, const QString &masterField, const QString &detailField);
  DataSource *masterSource() const { return m_master; }
  const QString &masterField() const { return m_masterField; }
  bool canModify() const override { return true; }
  // The first column, as text, of the rows a master value selects, in table
  // order: what this detail would show for that master row.
  QStringList firstColumnFor(const QString &linkValue);

protected:
  void doOpen() override;
  void doClose() override;
  bool doHasRow(int i) override;
  int doRowCount() override;
  int doFetchedCount() const override { return int(m_keys.size()); }
  bool doCanFetchMore() const override { return !m_complete; }
  void doFetchMore() override;
  QVector<QVariant> doReadRow(int i) override;
  int doInsertRow(const QVector<QVariant> &row, const QVector<bool> &set) override;
  int doUpdateRow(int i, const QVector<QVariant> &row, const QVector<bool> &changed) override;
  void doDeleteRow(int i) override;
  void initNewRow() override;
  void doRefresh() override;

private:
  void masterMoved();
  QString masterValue() const;
  bool visibleHere(const QVector<QVariant> &row) const;
  void loadKeys();
  QString quotedTable() const;
  std::unique_ptr<Statement> linkQuery(const QString &columns, const QString &value);

  QString m_table;
  DataSource *m_master = nullptr;
  QString m_masterField, m_detailField;
  QString m_linkValue; // master value the rows were selected by
  QVector<qint64> m_keys;
  bool m_complete = false;
  std::unique_ptr<Statement> m_readRow;
  QHash<qint64, QVector<QVariant>> m_cache;
};

// A dataset over a select statement. Its statement is replaced only while it
// is closed; it reads the result in windows of rows, so that a result of a
// million rows shows its first rows without being read to its end and holds
// no lock on the file between calls.
class QueryDataSet : public DataSet {
  Q_OBJECT
public:
  QueryDataSet(Connection &connection, const QString &name, QObject *parent = nullptr);
  ~QueryDataSet() override;
  // The statement as lines (each followed by CR LF in its text).
  void clearSql();
  void addSql(const QString &line);
  QString sqlText() const;
  // Runs the statement once, for its effect (the result is not used). Only
  // a single statement that reads is accepted.
  void execSql();

protected:
  void doOpen() override;
  void doClose() override;
  bool doHasRow(int i) override;
  int doRowCount() override;
  int doFetchedCount() const override;
  bool doCanFetchMore() const override { return m_knownCount < 0; }
  void doFetchMore() override;
  QVector<QVariant> doReadRow(int i) override;
  void doRefresh() override;

private:
  std::unique_ptr<Statement> prepareChecked();
  void fetchWindow(int start);

  QStringList m_sql;
  std::unique_ptr<Statement> m_stmt;
  int m_windowStart = 0;
  QVector<QVector<QVariant>> m_window;
  int m_knownCount = -1; // -1 until the end of the result has been seen
  int m_seen = 0;        // rows known to exist
};
