#pragma once
// The condition group "查询条件": field, operator and value boxes, the
// relation choice, the condition list and the add, remove and run buttons.
// Each window has its own group; they share no state.
#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QueryDataSet;

class ConditionGroup : public QGroupBox {
  Q_OBJECT
public:
  struct Sizes {
    int field, op, value, relation;
    int addField, add, remove, run; // addField 0: no "增加字段" button
    QSize list;
  };
  ConditionGroup(const Sizes &sizes, QWidget *parent = nullptr);

  QComboBox *zhiduan_cb;
  QComboBox *caozuofu_cb;
  QLineEdit *zhi_edit;
  QWidget *guanxi_gr;
  QRadioButton *relationAnd, *relationOr;
  QPushButton *Button2 = nullptr; // 增加字段
  QPushButton *BitBtn1, *BitBtn2, *BitBtn3;
  QListWidget *tiaojian_listbox;

  void zhiduan_cbChange();
  void BitBtn1Click();
  void BitBtn2Click();
  QStringList lines() const;
  // The statement for `selectList` from the list (or the boxes).
  QString statementFor(const QString &selectList) const;
  // Closes `query`, gives it the statement, runs it and opens the result.
  // An engine error leaves the query closed and the conditions unchanged.
  void run(QueryDataSet &query, const QString &selectList) const;

signals:
  void runRequested(); // 查询
};
