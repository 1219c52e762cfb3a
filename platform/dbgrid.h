#pragma once
// A grid over a data source: declared columns (column, width in characters,
// title) or every column of the dataset, rows fetched as they are scrolled
// to, the current row following the dataset, and editing in place.
#include <QAbstractTableModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include "data/datasource.h"

class DataSource;
class DataSet;

struct GridColumn {
  QString field;
  int widthChars = 0; // 0: as wide as the title or value needs
  QString title;      // empty: the column name
};

class DataSetModel : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit DataSetModel(QObject *parent = nullptr);
  void setDataSource(DataSource *source);
  DataSource *dataSource() const { return m_source; }
  DataSet *dataSet() const;
  // Declared columns; an empty list shows every column of the dataset.
  void setColumns(const QList<GridColumn> &columns);
  const QList<GridColumn> &columns() const { return m_columns; }
  QString fieldOf(int column) const;
  void setReadOnly(bool on) { m_readOnly = on; }
  bool readOnly() const { return m_readOnly; }
  // What the 金额-like columns show: symbol and two decimals.
  void setCurrencySymbol(const QString &s) { m_symbol = s; }

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;
  // Writes into the row (starting its edit); throws on a refused value.
  bool setData(const QModelIndex &index, const QVariant &value, int role) override;
  bool canFetchMore(const QModelIndex &parent) const override;
  void fetchMore(const QModelIndex &parent) override;

  void reset();

private:
  QPointer<DataSource> m_source;
  QList<GridColumn> m_columns;
  bool m_readOnly = false;
  QString m_symbol = QStringLiteral("￥");
  int m_rows = 0;
};

class DBGrid : public QTableView {
  Q_OBJECT
public:
  explicit DBGrid(QWidget *parent = nullptr);
  void setDataSource(DataSource *source);
  void setColumns(const QList<GridColumn> &columns);
  DataSetModel *dataModel() const { return m_model; }
  void setReadOnly(bool on);
  // A read-only grid over a query result: whole rows selected, resizable columns.
  void setResultGrid(DataSource *source);
  // Grid keys add and delete rows: Insert, down from the last row, Ctrl+Delete.
  void setRowKeys(bool on) { m_rowKeys = on; }
  // A new row left unchanged is dropped when the grid loses the focus.
  void setDropUnchangedOnLeave(bool on) { m_dropOnLeave = on; }
  void applyWidths();
  // Commits what the in-cell editor holds into the row (closing the editor).
  void commitPendingEdit();

protected:
  void keyPressEvent(QKeyEvent *e) override;
  void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
  void focusOutEvent(QFocusEvent *e) override;

private:
  void followDataSet();
  DataSetModel *m_model;
  bool m_rowKeys = false;
  bool m_dropOnLeave = false;
  bool m_following = false;
};

// The in-cell editor: a plain line edit, or a currency box for money
// columns. A value the row refuses is reported and the editor opens again
// with the typed text, so nothing typed is lost.
class DBGridDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &o, const QModelIndex &index) const override;
  void setEditorData(QWidget *editor, const QModelIndex &index) const override;
  void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
