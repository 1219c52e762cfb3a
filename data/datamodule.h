#pragma once
// The data module: the connection to the database file and every dataset and
// data source the windows bind to, by the names the windows use.
#include "connection.h"
#include "dataset.h"
#include "datasource.h"

#include <QObject>

class TDM : public QObject {
  Q_OBJECT
public:
  // Connects to the file at `path` and opens every dataset; throws
  // EDatabaseError (naming the file and the reason) if it cannot.
  explicit TDM(const QString &path, QObject *parent = nullptr);
  ~TDM() override;

  // Components, in the order they are created.
  Connection ADOConnection1;
  TableDataSet *stuinf_table;
  DataSource *stuinf_ds;
  TableDataSet *jishu_table;
  TableDataSet *xuexiaoliebiao_table;
  DataSource *xuexiao_ds;
  TableDataSet *kexuanfield_table;
  TableDataSet *xianshifield_table;
  DataSource *xianshifield_ds;
  DataSource *kexuanfield_ds;
  QueryDataSet *stuinf_query;
  DataSource *stuinfquery_ds;
  QueryDataSet *jiaofeistuinf_query;
  DataSource *jiaofeistuinf_ds;
  TableDataSet *kaibanjihua_table;
  DataSource *kaibanjihua_ds;
  TableDataSet *zhichu_table;
  DataSource *zhichu_ds;

  // Event handlers (the record rules).
  void stuinf_tableAfterInsert(DataSet &);
  void stuinf_tableBeforePost(DataSet &);
  void stuinf_tableAfterPost(DataSet &);
  void kaibanjihua_tableAfterInsert(DataSet &);
  void kaibanjihua_tableBeforePost(DataSet &);
  void kaibanjihua_tableAfterPost(DataSet &);

  // "共开了N个班次" for the current number of class plans.
  QString classCountText();

  // Every dataset, in creation order.
  QList<DataSet *> dataSets() const;

signals:
  // After every post of a class plan: the class plan window's Label7 shows it.
  void classCountChanged(const QString &text);
};

// The single instance, reachable from every window.
extern TDM *DM;
