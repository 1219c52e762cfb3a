#pragma once
// The student query window: the condition group over all students with
// every column, its own result, and a clock.
#include "platform/formbase.h"

class ConditionGroup;
class DBGrid;
class DBNavigator;
class QToolBar;
class QToolButton;

class Tchaxun_form : public FormBase {
  Q_OBJECT
public:
  explicit Tchaxun_form(QWidget *parent = nullptr);
  ~Tchaxun_form() override;

  QToolBar *ToolBar1;
  DBNavigator *wwDBNavigator2;
  QToolButton *SpeedButton5;
  QWidget *find_sheet;
  ConditionGroup *GroupBox1;
  DBGrid *DBGrid1;
  QWidget *Panel1;
  QLabel *Label13, *time_label;
  QTimer *Timer1;

  void BitBtn3Click();
  void SpeedButton5Click();
};

extern Tchaxun_form *chaxun_form;
