#pragma once
// The main window: menu, captioned tool bar, side bar, home page of pictures
// and the status bar with the current class, student and a clock.
#include <QMainWindow>
#include <QMap>

class ClickableLabel;
class OutlookBar;
class QAction;
class QLabel;
class QListWidget;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;

class TForm1 : public QMainWindow {
  Q_OBJECT
public:
  // The commands of the window; each menu item, tool button, side-bar item
  // and picture that names the same command runs the same handler.
  enum class Command { ClassPlan, Enrol, StudentQuery, Sheet, Schools, Expenses, Backup, Help, OnlineHelp, About, Exit };

  explicit TForm1(QWidget *parent = nullptr);
  ~TForm1() override;

  // A command is enabled once the window it opens exists.
  void setCommandEnabled(Command c, bool on);
  // What a command runs; the windows that arrive later plug in here.
  void setCommandHandler(Command c, std::function<void()> handler);

  // Status bar panels 0 (class), 1 (student) and 2 (clock).
  QLabel *statusPanel(int i) const { return m_panels[i]; }
  // Writes panels 0 and 1 from the current class plan and student.
  void updateStatusText();
  // Panel 0, and panel 1 unless `panel1` is empty (it then keeps its text).
  void setStatusTexts(const QString &panel0, const QString &panel1);

  // Handlers.
  void Image4Click();
  void Image5Click();
  void Image7Click();
  void Image2Click();
  void N6Click();
  void fcOutlookBar1OutlookList1Items0Click();
  void fcOutlookBar1OutlookList1Items1Click();
  void N11Click();
  void N8Click();
  void ToolButton7Click();
  void N21Click();
  void N22Click();
  void N25Click();
  void FormShow();
  void Timer1Timer();
  bool FormCloseQuery();

protected:
  void showEvent(QShowEvent *e) override;
  void closeEvent(QCloseEvent *e) override;

private:
  void buildMenu();
  void buildToolBar();
  QWidget *buildHomePage();
  void buildStatusBar();
  QAction *menuAction(QMenu *menu, const char *name, const QString &text, Command c);
  void run(Command c);
  void bind(QObject *sender, Command c);

  QMap<Command, QList<QObject *>> m_controls;
  QMap<Command, std::function<void()>> m_handlers;
  QToolBar *ToolBar1 = nullptr;
  OutlookBar *fcOutlookBar1 = nullptr;
  QListWidget *fcOutlookBar1OutlookList1 = nullptr;
  QSplitter *Splitter1 = nullptr;
  QStackedWidget *PageControl1 = nullptr;
  QLabel *m_panels[3] = {};
  QTimer *Timer1 = nullptr;
};

extern TForm1 *Form1;
