#pragma once
// The class plan window: a tree of the class plans, bound boxes for the
// current one, two navigators, the class count and a clock.
#include "platform/formbase.h"

class DBCurrencyEdit;
class DBDateTimePicker;
class DBEdit;
class DBNavigator;
class DBTreeView;
class QToolBar;
class QToolButton;

class Tkaibanjihua_form : public FormBase {
  Q_OBJECT
public:
  explicit Tkaibanjihua_form(QWidget *parent = nullptr);
  ~Tkaibanjihua_form() override;

  QToolBar *ToolBar1;
  DBNavigator *dbn1;
  QToolButton *SpeedButton4;
  DBTreeView *fcDBTreeView1;
  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  DBEdit *DBEdit1, *DBEdit2;
  DBDateTimePicker *DBDateTimePicker1, *DBDateTimePicker2;
  DBCurrencyEdit *sncDBCurrencyEdit1, *sncDBCurrencyEdit2;
  QWidget *Panel1;
  DBNavigator *wwDBNavigator1;
  QLabel *Label7, *time_label;
  QTimer *Timer1;

  void FormShow();
  void SpeedButton4Click();

protected:
  void showEvent(QShowEvent *e) override;
};

extern Tkaibanjihua_form *kaibanjihua_form;
