#pragma once
// The expenses ledger: an editable grid over 支出 with a record navigator.
#include "platform/formbase.h"

class DBGrid;
class DBNavigator;
class QStatusBar;
class QToolBar;
class QToolButton;

class Tzhichu_Form : public FormBase {
  Q_OBJECT
public:
  explicit Tzhichu_Form(QWidget *parent = nullptr);
  ~Tzhichu_Form() override;

  QToolBar *ToolBar1;
  DBNavigator *dbn1;
  QToolButton *SpeedButton4;
  DBGrid *zhichu_dbgrid;
  QStatusBar *StatusBar1;

  void SpeedButton4Click();
};

extern Tzhichu_Form *zhichu_Form;
