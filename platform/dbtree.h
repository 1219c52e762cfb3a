#pragma once
// A data-bound tree of one level: a node per row, its text the row's first
// column, the highlighted node following the current row.
#include <QTreeView>

class DataSource;
class DataSetModel;

class DBTreeView : public QTreeView {
  Q_OBJECT
public:
  explicit DBTreeView(QWidget *parent = nullptr);
  void setDataSource(DataSource *source);
  DataSetModel *dataModel() const { return m_model; }

signals:
  // After every change of the current node.
  void nodeChanged();

protected:
  void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
  void followDataSet();
  DataSetModel *m_model;
  bool m_following = false;
};
