#pragma once
// The school list: a plain editable grid over 学校列表; every closing reloads
// the students' school box.
#include "platform/formbase.h"

#include <QPointer>

#include "platform/dbcontrols.h"
class DBGrid;

class Txuexiao_form : public FormBase {
  Q_OBJECT
public:
  explicit Txuexiao_form(QWidget *parent = nullptr);
  ~Txuexiao_form() override;

  DBGrid *DBGrid1;

  // The box the names go into (the student window's 毕业院校 box).
  void setSchoolBox(DBComboBox *box) { m_schoolBox = box; }
  DBComboBox *schoolBox() const { return m_schoolBox; }

  void FormClose();

protected:
  void hideEvent(QHideEvent *e) override;

private:
  QPointer<DBComboBox> m_schoolBox;
};

// Refills `box` from 学校列表 (the box keeps its items when the table is empty).
void reloadSchoolBox(DBComboBox *box);

extern Txuexiao_form *xuexiao_form;
