#pragma once
// The student records window: the class tree with the students of each
// class, and the edit, browse and query pages over the current student.
#include "platform/formbase.h"

class ConditionGroup;
class DBCheckBox;
class DBComboBox;
class DBDateTimePicker;
class DBEdit;
class DBGrid;
class DBMasterDetailTree;
class DBNavigator;
class QPushButton;
class QStackedWidget;
class QToolBar;
class QToolButton;

class Tstuinf_form : public FormBase {
  Q_OBJECT
public:
  explicit Tstuinf_form(QWidget *parent = nullptr);
  ~Tstuinf_form() override;

  QToolBar *ToolBar1;
  DBNavigator *dbn1;
  QToolButton *SpeedButton3, *SpeedButton1, *SpeedButton2, *SpeedButton5, *SpeedButton4;
  DBMasterDetailTree *fcDBTreeView1;
  QStackedWidget *PageControl1;
  QWidget *edit_sheet, *liulan_sheet, *find_sheet;
  // edit page
  DBEdit *DBEdit1, *DBEdit2, *DBEdit3, *DBEdit4, *DBEdit5, *DBEdit6, *DBEdit7, *DBEdit8;
  DBDateTimePicker *DBDateTimePicker1;
  DBComboBox *DBComboBox1, *DBComboBox2, *DBComboBox3;
  QToolButton *SpeedButton6;
  DBCheckBox *DBCheckBox1;
  // browse page
  DBGrid *wwDBGrid1;
  // query page
  ConditionGroup *conditions;
  QStackedWidget *PageControl2;
  QWidget *findsheet_sheet, *editzhiduan_sheet;
  DBGrid *DBGrid3;
  DBGrid *DBGrid1, *DBGrid2;
  QPushButton *Button1, *BitBtn4, *BitBtn5, *BitBtn6;
  // bottom strip
  QWidget *Panel1;
  DBNavigator *dbn2edit;
  QLabel *banji_label, *time_label;
  QTimer *Timer1;

  // Shows a page as the tool bar does, running its show and hide handlers.
  void showPage(QWidget *page);

  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void edit_sheetShow();
  void find_sheetHide();
  void fcDBTreeView1Change();
  void BitBtn3Click();
  void Button2Click();
  void DBGrid1DblClick();
  void DBGrid2DblClick();
  void BitBtn7Click();
  void BitBtn6Click();

signals:
  void statusTextChanged(const QString &panel0, const QString &panel1);

protected:
  void showEvent(QShowEvent *e) override;
  void hideEvent(QHideEvent *e) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QWidget *buildEditPage();
  QWidget *buildBrowsePage();
  QWidget *buildQueryPage();
};

extern Tstuinf_form *stuinf_form;
