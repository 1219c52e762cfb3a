#pragma once
// Data-aware controls bound through a data source to one column: they show
// the current row, start an edit when typed into (auto-edit), and write their
// text into the row before it is posted.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "data/datasource.h"

class DataSource;
class DataSet;
class QCalendarWidget;
class QToolButton;

// What every bound control shares: its source and column, and the rule that
// what the user typed is written into the row when the row is posted.
class FieldLink : public QObject {
  Q_OBJECT
public:
  FieldLink(QWidget *control, std::function<QString()> read, std::function<void(const QVariant &)> show);
  void bind(DataSource *source, const QString &field);
  DataSource *source() const { return m_source; }
  const QString &field() const { return m_field; }
  DataSet *dataSet() const;
  // The user changed the control: start the edit; false if the row cannot
  // take a value (the control then shows the row's value again).
  bool userChanged();
  // Writes the control's text into the row now (throws on a refused value).
  void write();
  bool dirty() const { return m_dirty; }
  void redisplay();
  QVariant currentValue() const;

private:
  QWidget *m_control;
  QPointer<DataSource> m_source;
  QString m_field;
  std::function<QString()> m_read;
  std::function<void(const QVariant &)> m_show;
  bool m_dirty = false;
  bool m_starting = false;
};

class DBEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit DBEdit(QWidget *parent = nullptr);
  void bind(DataSource *source, const QString &field) { m_link.bind(source, field); }
  FieldLink &link() { return m_link; }

private:
  FieldLink m_link;
};

// An edit box for money: shows the amount with the currency symbol and
// takes only what can be an amount.
class DBCurrencyEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit DBCurrencyEdit(QWidget *parent = nullptr);
  void bind(DataSource *source, const QString &field) { m_link.bind(source, field); }
  void setCurrencySymbol(const QString &s) { m_symbol = s; m_link.redisplay(); }
  const QString &currencySymbol() const { return m_symbol; }
  static QString format(const QString &symbol, const QVariant &v);
  FieldLink &link() { return m_link; }

private:
  QString m_symbol = QStringLiteral("￥");
  FieldLink m_link;
};

// A drop-down list that also takes typed text.
class DBComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit DBComboBox(QWidget *parent = nullptr);
  void bind(DataSource *source, const QString &field) { m_link.bind(source, field); }
  // Replaces the offered items; the shown text is the row's value.
  void setItems(const QStringList &items);
  QStringList items() const;
  FieldLink &link() { return m_link; }

private:
  FieldLink m_link;
  bool m_filling = false;
};

// Ticked stores True, cleared stores False.
class DBCheckBox : public QCheckBox {
  Q_OBJECT
public:
  explicit DBCheckBox(const QString &caption, QWidget *parent = nullptr);
  void bind(DataSource *source, const QString &field) { m_link.bind(source, field); }
  FieldLink &link() { return m_link; }

private:
  FieldLink m_link;
};

// A date picker that can also show and store an empty date: a box for the
// date as yyyy-mm-dd (empty for none) and a calendar button.
class DBDateTimePicker : public QWidget {
  Q_OBJECT
public:
  explicit DBDateTimePicker(QWidget *parent = nullptr);
  void bind(DataSource *source, const QString &field) { m_link.bind(source, field); }
  QString text() const;
  void setText(const QString &t);
  QLineEdit *lineEdit() const { return m_edit; }
  QToolButton *calendarButton() const { return m_button; }
  // Chooses a day as if picked in the calendar.
  void pick(const QDate &d);
  FieldLink &link() { return m_link; }

private:
  void showCalendar();
  QLineEdit *m_edit;
  QToolButton *m_button;
  FieldLink m_link;
};
