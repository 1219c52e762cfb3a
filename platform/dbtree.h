#pragma once
// A data-bound tree of one level: a node per row, its text the row's first
// column, the highlighted node following the current row.
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTreeView>

#include "data/datasource.h"

class DataSource;
class DataSetModel;

class DBTreeView : public QTreeView {
  Q_OBJECT
public:
  explicit DBTreeView(QWidget *parent = nullptr);
  void setDataSource(DataSource *source);
  DataSetModel *dataModel() const { return m_model; }

protected:
  void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
  void followDataSet();
  DataSetModel *m_model;
  bool m_following = false;
};

class TableDataSet;

// A data-bound tree of two levels: the rows of a master data source, and
// under each the rows its detail would show for it. The current master row's
// children are the detail dataset's own rows; other rows' children are read
// when they are expanded. Selecting a node moves the master (and, for a child,
// the detail) to it; the highlighted node follows both datasets.
class MasterDetailTreeModel : public QAbstractItemModel {
  Q_OBJECT
public:
  MasterDetailTreeModel(DataSource *master, DataSource *detail, QObject *parent = nullptr);
  DataSet *master() const;
  TableDataSet *detail() const;

  QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
  QModelIndex parent(const QModelIndex &child) const override;
  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override { Q_UNUSED(parent) return 1; }
  QVariant data(const QModelIndex &index, int role) const override;
  bool hasChildren(const QModelIndex &parent = {}) const override;
  bool canFetchMore(const QModelIndex &parent) const override;
  void fetchMore(const QModelIndex &parent) override;

  void reload();               // rows changed: read anew
  int currentMasterRow() const;
  int currentDetailRow() const;

private:
  QString linkValueAt(int masterRow) const;
  QPointer<DataSource> m_master, m_detail;
  mutable QHash<QString, QStringList> m_children; // by link value, for rows not current
  QSet<int> m_fetched;                            // master rows whose children were asked for
};

class DBMasterDetailTree : public QTreeView {
  Q_OBJECT
public:
  DBMasterDetailTree(DataSource *master, DataSource *detail, QWidget *parent = nullptr);
  MasterDetailTreeModel *treeModel() const { return m_model; }
  // Selects a node as a click does (a child when `child` >= 0).
  void selectNode(int masterRow, int child = -1);

signals:
  void nodeChanged(); // after every change of the current node

protected:
  void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
  void sync(bool rowsChanged, bool fromUser = false);
  MasterDetailTreeModel *m_model;
  bool m_following = false;
  QModelIndex m_lastNode;
  int m_lastMaster = -2, m_lastDetail = -2;
  bool m_onClass = false; // the user chose a class node: keep it highlighted
};
