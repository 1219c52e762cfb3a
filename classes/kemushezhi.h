#pragma once
// The subject settings window: a grid bound to no data. Created with the
// other windows; no command opens it.
#include "platform/formbase.h"

class QTableWidget;

class Tkemushezhi_form : public FormBase {
  Q_OBJECT
public:
  explicit Tkemushezhi_form(QWidget *parent = nullptr);
  ~Tkemushezhi_form() override;
  QTableWidget *DBGrid1;
};

extern Tkemushezhi_form *kemushezhi_form;
