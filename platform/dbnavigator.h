#pragma once
// A record navigator: captioned buttons that move through and change the
// rows of a data source's dataset, each enabled by the dataset's state.
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "data/datasource.h"

class DataSource;

class DBNavigator : public QWidget {
  Q_OBJECT
public:
  enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel };
  struct ButtonDef {
    Button kind;
    const char *suffix; // object name = navigator name + suffix
    QString caption;
    int width;
  };

  DBNavigator(const QString &name, const QList<ButtonDef> &buttons, QWidget *parent = nullptr);
  void setDataSource(DataSource *source);
  DataSource *dataSource() const { return m_source; }
  QPushButton *button(Button b) const { return m_buttons.value(b); }
  // Held buttons repeat (500 ms, then every 100 ms).
  void setRepeating(bool on);
  void setButtonHeight(int h);
  // Keeps a button disabled whatever the dataset's state gives.
  void forceDisabled(Button b, bool on);
  void click(Button b); // as the button does, through the error box
  void updateButtons();

  static QList<ButtonDef> editButtons(int width = 40);
  static QList<ButtonDef> moveButtons(const QList<int> &widths = {43, 42, 42, 42});

protected:
  void changeEvent(QEvent *e) override;

private:
  void run(Button b);
  QPointer<DataSource> m_source;
  QMap<Button, QPushButton *> m_buttons;
  QMap<Button, bool> m_forced;
};
