#pragma once
// A data source binds controls (edit boxes, grids, trees, navigators, report
// fields) to a dataset: it tells them of every change of state and data, and
// starts an edit when a control is typed into (auto-edit).
#include "dataset.h"

#include <QObject>

class DataSource : public QObject {
  Q_OBJECT
public:
  DataSource(DataSet *dataSet, const QString &name, QObject *parent = nullptr) : QObject(parent), m_ds(dataSet) {
    setObjectName(name);
    connect(m_ds, &DataSet::stateChanged, this, &DataSource::stateChanged);
    connect(m_ds, &DataSet::dataChanged, this, &DataSource::dataChanged);
    connect(m_ds, &DataSet::fieldChanged, this, &DataSource::fieldChanged);
    connect(m_ds, &DataSet::updateRecord, this, &DataSource::updateRecord);
    connect(m_ds, &DataSet::rowsChanged, this, &DataSource::rowsChanged);
  }
  DataSet *dataSet() const { return m_ds; }
  bool autoEdit() const { return m_autoEdit; }
  void setAutoEdit(bool on) { m_autoEdit = on; }
  // A control was typed into: put the row into edit (or insert, when empty).
  // Returns whether the row can now take the control's value.
  bool beginEdit() {
    if (!m_ds->active() || !m_ds->canModify())
      return false;
    if (m_ds->state() == DataSetState::Edit || m_ds->state() == DataSetState::Insert)
      return true;
    if (!m_autoEdit)
      return false;
    m_ds->edit();
    return true;
  }

signals:
  void stateChanged();
  void dataChanged();
  void fieldChanged(int index);
  void updateRecord();
  void rowsChanged();

private:
  DataSet *m_ds;
  bool m_autoEdit = true;
};
