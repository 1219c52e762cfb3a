#include "mainwindow.h"

#include "data/datamodule.h"
#include "data/statustext.h"
#include "platform/clickablelabel.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/outlookbar.h"
#include "platform/pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TForm1 *Form1 = nullptr;

namespace {
const QColor kClassColour(214, 120, 40), kEnrolColour(60, 140, 70), kQueryColour(50, 110, 180),
    kSheetColour(150, 70, 150), kHelpColour(90, 90, 160), kExitColour(170, 60, 60), kSchoolColour(40, 130, 140),
    kExpenseColour(180, 140, 30);
} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("TessalyV2.5"));
  setFont(Fonts::sans(8));
  if (!Form1)
    Form1 = this;

  buildMenu();
  buildToolBar();

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  fcOutlookBar1 = new OutlookBar(Splitter1);
  fcOutlookBar1->setObjectName(QStringLiteral("fcOutlookBar1"));
  fcOutlookBar1OutlookList1 = fcOutlookBar1->addGroup(QStringLiteral("业务操作"), QStringLiteral("fcOutlookBar1OutlookList1"));
  auto *schools = new QListWidgetItem(Pictures::icon(QStringLiteral("校"), kSchoolColour), QStringLiteral("院校设置"));
  auto *expenses = new QListWidgetItem(Pictures::icon(QStringLiteral("支"), kExpenseColour), QStringLiteral("费用支出"));
  fcOutlookBar1OutlookList1->addItem(schools);
  fcOutlookBar1OutlookList1->addItem(expenses);
  connect(fcOutlookBar1OutlookList1, &QListWidget::itemClicked, this, [this, schools](QListWidgetItem *item) {
    if (!(item->flags() & Qt::ItemIsEnabled))
      return;
    if (item == schools)
      fcOutlookBar1OutlookList1Items0Click();
    else
      fcOutlookBar1OutlookList1Items1Click();
  });
  m_controls[Command::Schools] << fcOutlookBar1OutlookList1;
  m_controls[Command::Expenses] << fcOutlookBar1OutlookList1;

  PageControl1 = new QStackedWidget(Splitter1);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->addWidget(buildHomePage());
  Splitter1->addWidget(fcOutlookBar1);
  Splitter1->addWidget(PageControl1);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({145, 1000});
  Splitter1->setChildrenCollapsible(false);
  fcOutlookBar1->setMinimumWidth(60);
  setCentralWidget(Splitter1);

  buildStatusBar();

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  Timer1->start();
  Timer1Timer();

  // Until their windows exist, the commands that open them are disabled.
  for (Command c : m_controls.keys())
    setCommandEnabled(c, c == Command::Exit);
}

TForm1::~TForm1() {
  if (Form1 == this)
    Form1 = nullptr;
}

void TForm1::bind(QObject *sender, Command c) {
  m_controls[c] << sender;
  if (auto *a = qobject_cast<QAction *>(sender)) {
    connect(a, &QAction::triggered, this, [this, c] { run(c); });
  } else if (auto *l = qobject_cast<ClickableLabel *>(sender)) {
    connect(l, &ClickableLabel::clicked, this, [this, c] { run(c); });
  }
}

void TForm1::run(Command c) {
  guarded(this, [&] {
    switch (c) {
    case Command::ClassPlan: Image4Click(); break;
    case Command::Enrol: Image5Click(); break;
    case Command::StudentQuery: Image7Click(); break;
    case Command::Sheet: Image2Click(); break;
    case Command::Schools: N6Click(); break;
    case Command::Expenses: fcOutlookBar1OutlookList1Items1Click(); break;
    case Command::Backup: N11Click(); break;
    case Command::Help: N21Click(); break;
    case Command::OnlineHelp: N22Click(); break;
    case Command::About: N25Click(); break;
    case Command::Exit: N8Click(); break;
    }
  });
}

QAction *TForm1::menuAction(QMenu *menu, const char *name, const QString &text, Command c) {
  QAction *a = menu->addAction(text);
  a->setObjectName(QString::fromLatin1(name));
  bind(a, c);
  return a;
}

void TForm1::buildMenu() {
  QMenuBar *bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  bar->setFont(Fonts::songPixels(12));
  QMenu *work = bar->addMenu(QStringLiteral("业务操作"));
  work->setObjectName(QStringLiteral("N1"));
  menuAction(work, "N2", QStringLiteral("开班计划"), Command::ClassPlan);
  menuAction(work, "N3", QStringLiteral("招收学员"), Command::Enrol);
  menuAction(work, "N4", QStringLiteral("学员查询"), Command::StudentQuery);
  work->addSeparator();
  menuAction(work, "N6", QStringLiteral("院校设置"), Command::Schools);
  work->addSeparator();
  menuAction(work, "N8", QStringLiteral("退出"), Command::Exit);

  QMenu *reports = bar->addMenu(QStringLiteral("报表统计"));
  reports->setObjectName(QStringLiteral("N9"));
  menuAction(reports, "N10", QStringLiteral("学员信息打印"), Command::Sheet);
  reports->addSeparator();
  // "支出明细" opens the expenses ledger, like the side bar's "费用支出".
  menuAction(reports, "N13", QStringLiteral("支出明细"), Command::Expenses);
  reports->addSeparator();

  QAction *backup = bar->addAction(QStringLiteral("数据备份"));
  backup->setObjectName(QStringLiteral("N11"));
  bind(backup, Command::Backup);

  QMenu *about = bar->addMenu(QStringLiteral("关于"));
  about->setObjectName(QStringLiteral("N20"));
  menuAction(about, "N21", QStringLiteral("帮助"), Command::Help);
  menuAction(about, "N22", QStringLiteral("在线帮助"), Command::OnlineHelp);
  about->addSeparator();
  menuAction(about, "N25", QStringLiteral("关于"), Command::About);
  for (QMenu *m : {work, reports, about})
    m->setFont(Fonts::songPixels(12));
}

void TForm1::buildToolBar() {
  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  ToolBar1->setIconSize(QSize(20, 20));
  auto add = [this](const char *name, const QString &caption, const QString &glyph, const QColor &colour, Command c) {
    QAction *a = ToolBar1->addAction(Pictures::icon(glyph, colour), caption);
    a->setObjectName(QString::fromLatin1(name));
    if (QWidget *w = ToolBar1->widgetForAction(a)) {
      w->setObjectName(QString::fromLatin1(name));
      w->setFixedSize(55, 36);
    }
    bind(a, c);
  };
  add("ToolButton1", QStringLiteral("开班"), QStringLiteral("班"), kClassColour, Command::ClassPlan);
  add("ToolButton2", QStringLiteral("招收学员"), QStringLiteral("招"), kEnrolColour, Command::Enrol);
  add("ToolButton5", QStringLiteral("学员查询"), QStringLiteral("查"), kQueryColour, Command::StudentQuery);
  ToolBar1->addSeparator();
  add("ToolButton4", QStringLiteral("打印收据"), QStringLiteral("印"), kSheetColour, Command::Sheet);
  ToolBar1->addSeparator();
  add("ToolButton8", QStringLiteral("帮助"), QStringLiteral("?"), kHelpColour, Command::Help);
  add("ToolButton7", QStringLiteral("退出"), QStringLiteral("出"), kExitColour, Command::Exit);
}

QWidget *TForm1::buildHomePage() {
  auto *page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet1"));
  page->setAutoFillBackground(true);
  QPalette pal = page->palette();
  pal.setColor(QPalette::Window, QColor(252, 255, 240));
  page->setPalette(pal);

  auto *grid = new QGridLayout(page);
  grid->setContentsMargins(40, 40, 40, 40);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(12);
  auto picture = [this, grid](const char *name, const QString &caption, const QString &glyph, const QColor &colour,
                              int row, int col, Qt::CursorShape cursor, Command c) {
    auto *img = new ClickableLabel;
    img->setObjectName(QString::fromLatin1(name));
    img->setPixmap(Pictures::tile(glyph, colour, 90));
    img->setFixedSize(90, 90);
    img->setCursor(cursor);
    img->setAccessibleName(caption);
    auto *label = new QLabel(caption);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
    label->setFont(Fonts::songPixels(14));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setBuddy(img);
    grid->addWidget(img, row, col, Qt::AlignCenter);
    grid->addWidget(label, row + 1, col, Qt::AlignHCenter | Qt::AlignTop);
    bind(img, c);
  };
  auto arrow = [grid](const char *name, Pictures::Direction d, int row, int col) {
    auto *a = new QLabel;
    a->setObjectName(QString::fromLatin1(name));
    a->setPixmap(Pictures::arrow(d, d == Pictures::Direction::Right ? 80 : 60, 8));
    grid->addWidget(a, row, col, Qt::AlignCenter);
  };
  picture("Image4", QStringLiteral("开班计划"), QStringLiteral("班"), kClassColour, 0, 0, Qt::ArrowCursor,
          Command::ClassPlan);
  arrow("Image1", Pictures::Direction::Right, 0, 1);
  picture("Image5", QStringLiteral("招收学员"), QStringLiteral("招"), kEnrolColour, 0, 2, Qt::PointingHandCursor,
          Command::Enrol);
  arrow("Image3", Pictures::Direction::Right, 0, 3);
  picture("Image2", QStringLiteral("打印收据"), QStringLiteral("印"), kSheetColour, 0, 4, Qt::PointingHandCursor,
          Command::Sheet);
  arrow("Image6", Pictures::Direction::Down, 2, 4);
  picture("Image7", QStringLiteral("学员查询"), QStringLiteral("查"), kQueryColour, 3, 4, Qt::PointingHandCursor,
          Command::StudentQuery);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(5, 1);
  return page;
}

void TForm1::buildStatusBar() {
  QStatusBar *bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  const int widths[] = {400, 150, 0};
  const Qt::Alignment align[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  for (int i = 0; i < 3; ++i) {
    auto *l = new QLabel(bar);
    l->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
    l->setAlignment(align[i] | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    if (widths[i]) {
      l->setFixedWidth(widths[i]);
      bar->addWidget(l);
    } else {
      bar->addWidget(l, 1); // the last panel reaches the right end
    }
    m_panels[i] = l;
  }
}

void TForm1::setCommandEnabled(Command c, bool on) {
  for (QObject *o : m_controls.value(c)) {
    if (auto *a = qobject_cast<QAction *>(o))
      a->setEnabled(on);
    else if (auto *list = qobject_cast<QListWidget *>(o)) {
      QListWidgetItem *item = list->item(c == Command::Schools ? 0 : 1);
      item->setFlags(on ? item->flags() | Qt::ItemIsEnabled : item->flags() & ~Qt::ItemIsEnabled);
    } else if (auto *w = qobject_cast<QWidget *>(o))
      w->setEnabled(on);
  }
}

void TForm1::setCommandHandler(Command c, std::function<void()> handler) {
  m_handlers[c] = std::move(handler);
  setCommandEnabled(c, bool(m_handlers[c]));
}

namespace {
void callHandler(const QMap<TForm1::Command, std::function<void()>> &handlers, TForm1::Command c) {
  if (auto h = handlers.value(c))
    h();
}
} // namespace

void TForm1::Image4Click() { callHandler(m_handlers, Command::ClassPlan); }
void TForm1::Image5Click() { callHandler(m_handlers, Command::Enrol); }
void TForm1::Image7Click() { callHandler(m_handlers, Command::StudentQuery); }
void TForm1::Image2Click() { callHandler(m_handlers, Command::Sheet); }
void TForm1::N6Click() { callHandler(m_handlers, Command::Schools); }
void TForm1::fcOutlookBar1OutlookList1Items0Click() { N6Click(); }
void TForm1::fcOutlookBar1OutlookList1Items1Click() { callHandler(m_handlers, Command::Expenses); }
void TForm1::N11Click() { callHandler(m_handlers, Command::Backup); }
void TForm1::N21Click() { callHandler(m_handlers, Command::Help); }
void TForm1::N22Click() { callHandler(m_handlers, Command::OnlineHelp); }
void TForm1::N25Click() { callHandler(m_handlers, Command::About); }
void TForm1::N8Click() { close(); }
void TForm1::ToolButton7Click() { close(); }

void TForm1::updateStatusText() {
  if (!DM)
    return;
  setStatusTexts(StatusText::classPanel(*DM), StatusText::studentPanel(*DM));
}

void TForm1::setStatusTexts(const QString &panel0, const QString &panel1) {
  m_panels[0]->setText(panel0);
  if (!panel1.isEmpty())
    m_panels[1]->setText(panel1);
}

void TForm1::FormShow() { updateStatusText(); }

void TForm1::Timer1Timer() { m_panels[2]->setText(Clock::now().toString(u"yyyy年MM月dd日  hh:mm:ss")); }

bool TForm1::FormCloseQuery() {
  return Dialogs::warning(this, QStringLiteral("确实要退出本系统!"), Dialogs::Yes | Dialogs::No) == Dialogs::Yes;
}

void TForm1::showEvent(QShowEvent *e) {
  QMainWindow::showEvent(e);
  if (!e->spontaneous())
    guarded(this, [this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent *e) {
  if (FormCloseQuery())
    e->accept();
  else
    e->ignore();
}
