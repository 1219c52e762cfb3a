#include "stuinf.h"

#include "classes/xuexiaoliebiao.h"
#include "conditiongroup.h"
#include "conditions.h"
#include "data/datamodule.h"
#include "data/statustext.h"
#include "fieldchooser.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dbnavigator.h"
#include "platform/dbtree.h"
#include "platform/dialogs.h"
#include "platform/guard.h"
#include "printing/printshouj.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

Tstuinf_form *stuinf_form = nullptr;

namespace {
const int kTreeWidth = 163, kToolBarHeight = 32, kStripHeight = 23;

void caption(QWidget *page, const QString &text, int x, int y, QWidget *buddy) {
  auto *l = new QLabel(text, page);
  l->move(x, y + 3);
  l->adjustSize();
  l->setBuddy(buddy);
  buddy->setAccessibleName(text.simplified().remove(u' '));
}

template <class W> W *bound(QWidget *page, const char *name, const char16_t *field, QRect g) {
  auto *w = new W(page);
  w->setObjectName(QString::fromLatin1(name));
  w->bind(DM->stuinf_ds, QString::fromUtf16(field));
  w->setGeometry(g);
  return w;
}
} // namespace

Tstuinf_form::Tstuinf_form(QWidget *parent)
    : FormBase(QStringLiteral("stuinf_form"), QStringLiteral("学员信息"), QSize(594, 370), parent) {
  if (!stuinf_form)
    stuinf_form = this;

  // Tool bar.
  ToolBar1 = toolStrip(kToolBarHeight);
  dbn1 = new DBNavigator(QStringLiteral("dbn1"), DBNavigator::editButtons(40));
  dbn1->setButtonHeight(28);
  dbn1->setDataSource(DM->stuinf_ds);
  ToolBar1->addWidget(dbn1);
  SpeedButton3 = flatButton("SpeedButton3", QStringLiteral("编辑"), 0, 30);
  SpeedButton1 = flatButton("SpeedButton1", QStringLiteral("浏览"), 0, 30);
  SpeedButton2 = flatButton("SpeedButton2", QStringLiteral("查询"), 0, 30);
  SpeedButton5 = flatButton("SpeedButton5", QStringLiteral("打印收据"), 0, 30);
  SpeedButton4 = flatButton("SpeedButton4", QStringLiteral("退出"), 0, 30);
  ToolBar1->addWidget(SpeedButton3);
  ToolBar1->addSeparator();
  ToolBar1->addWidget(SpeedButton1);
  ToolBar1->addWidget(SpeedButton2);
  ToolBar1->addWidget(SpeedButton5);
  ToolBar1->addSeparator();
  ToolBar1->addWidget(SpeedButton4);
  connect(SpeedButton3, &QToolButton::clicked, this, &Tstuinf_form::SpeedButton3Click);
  connect(SpeedButton1, &QToolButton::clicked, this, &Tstuinf_form::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &Tstuinf_form::SpeedButton2Click);
  connect(SpeedButton5, &QToolButton::clicked, this, [this] { guarded(this, [this] { SpeedButton5Click(); }); });
  connect(SpeedButton4, &QToolButton::clicked, this, &Tstuinf_form::SpeedButton4Click);

  // Class tree.
  fcDBTreeView1 = new DBMasterDetailTree(DM->kaibanjihua_ds, DM->stuinf_ds, this);
  fcDBTreeView1->setObjectName(QStringLiteral("fcDBTreeView1"));
  fcDBTreeView1->setGeometry(0, kToolBarHeight, kTreeWidth, 370 - kToolBarHeight - kStripHeight);
  fcDBTreeView1->setAccessibleName(QStringLiteral("班次和学员"));
  connect(fcDBTreeView1, &DBMasterDetailTree::nodeChanged, this,
          [this] { guarded(this, [this] { fcDBTreeView1Change(); }); });

  // Pages.
  PageControl1 = new QStackedWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(kTreeWidth + 4, kToolBarHeight + 4, 424, 304);
  edit_sheet = buildEditPage();
  liulan_sheet = buildBrowsePage();
  find_sheet = buildQueryPage();
  PageControl1->addWidget(edit_sheet);
  PageControl1->addWidget(liulan_sheet);
  PageControl1->addWidget(find_sheet);
  PageControl1->setCurrentWidget(edit_sheet);

  // Bottom strip.
  QFrame *panel = bottomStrip(kStripHeight);
  Panel1 = panel;
  dbn2edit = new DBNavigator(QStringLiteral("dbn2edit"), DBNavigator::moveButtons({44, 44, 44, 44}), panel);
  dbn2edit->setButtonHeight(19);
  dbn2edit->setGeometry(2, 2, 176, 19);
  dbn2edit->setRepeating(true);
  dbn2edit->setDataSource(DM->stuinf_ds);
  banji_label = new QLabel(panel);
  banji_label->setObjectName(QStringLiteral("banji_label"));
  banji_label->setStyleSheet(QStringLiteral("color: maroon"));
  banji_label->setGeometry(186, 4, 250, 15);
  time_label = new QLabel(panel);
  time_label->setObjectName(QStringLiteral("time_label"));
  time_label->setGeometry(450, 4, 140, 15);
  Timer1 = startClock(time_label);

  if (xuexiao_form)
    xuexiao_form->setSchoolBox(DBComboBox3);
  fcDBTreeView1->setFocus();
}

Tstuinf_form::~Tstuinf_form() {
  if (stuinf_form == this)
    stuinf_form = nullptr;
}

QWidget *Tstuinf_form::buildEditPage() {
  auto *page = new QWidget(PageControl1); // made inside the window, so its captions measure in its font
  page->setObjectName(QStringLiteral("edit_sheet"));
  const int lx = 8, cx = 66, rx = 214, rcx = 272, w = 128, h = 21;
  auto row = [](int i) { return 10 + i * 32; };
  DBEdit1 = bound<DBEdit>(page, "DBEdit1", u"编号", {cx, row(0), w, h});
  DBEdit1->setReadOnly(true);
  DBEdit1->setStyleSheet(QStringLiteral("background: silver; color: red"));
  DBEdit2 = bound<DBEdit>(page, "DBEdit2", u"姓名", {rcx, row(0), w, h});
  DBComboBox1 = bound<DBComboBox>(page, "DBComboBox1", u"性别", {cx, row(1), w, h});
  DBComboBox1->setItems({QStringLiteral("男"), QStringLiteral("女")});
  DBDateTimePicker1 = bound<DBDateTimePicker>(page, "DBDateTimePicker1", u"出生年月", {rcx, row(1), w, h});
  DBComboBox2 = bound<DBComboBox>(page, "DBComboBox2", u"教育程度", {cx, row(2), w, h});
  DBComboBox2->setItems(QString::fromUtf16(u"学前班 小学 初中 高中 大学 硕士 博士 中专 大专").split(u' ') << QString());
  DBComboBox3 = bound<DBComboBox>(page, "DBComboBox3", u"毕业院校", {rcx, row(2), w - 22, h});
  SpeedButton6 = new QToolButton(page);
  SpeedButton6->setObjectName(QStringLiteral("SpeedButton6"));
  SpeedButton6->setText(QStringLiteral("+"));
  QFont bold = SpeedButton6->font();
  bold.setBold(true);
  SpeedButton6->setFont(bold);
  SpeedButton6->setAutoRaise(true);
  SpeedButton6->setGeometry(rcx + w - 20, row(2), 20, h);
  SpeedButton6->setAccessibleName(QStringLiteral("学校列表"));
  connect(SpeedButton6, &QToolButton::clicked, this, [this] { guarded(this, [this] { SpeedButton6Click(); }); });
  DBEdit3 = bound<DBEdit>(page, "DBEdit3", u"身份证号", {cx, row(3), w, h});
  DBEdit4 = bound<DBEdit>(page, "DBEdit4", u"电话", {rcx, row(3), w, h});
  DBEdit7 = bound<DBEdit>(page, "DBEdit7", u"手机", {cx, row(4), w, h});
  DBEdit6 = bound<DBEdit>(page, "DBEdit6", u"邮编", {rcx, row(4), w, h});
  DBEdit5 = bound<DBEdit>(page, "DBEdit5", u"住址", {cx, row(5), rcx + w - cx, h});
  DBEdit8 = bound<DBEdit>(page, "DBEdit8", u"备注", {cx, row(6), w, h});
  DBCheckBox1 = new DBCheckBox(QStringLiteral("自购培训资料"), page);
  DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
  DBCheckBox1->bind(DM->stuinf_ds, QStringLiteral("是否自备资料"));
  DBCheckBox1->setGeometry(rx, row(6), 180, h);

  caption(page, QStringLiteral("编    号"), lx, row(0), DBEdit1);
  caption(page, QStringLiteral("姓    名"), rx, row(0), DBEdit2);
  caption(page, QStringLiteral("性    别"), lx, row(1), DBComboBox1);
  caption(page, QStringLiteral("出生年月"), rx, row(1), DBDateTimePicker1);
  caption(page, QStringLiteral("教育程度"), lx, row(2), DBComboBox2);
  caption(page, QStringLiteral("毕业院校"), rx, row(2), DBComboBox3);
  caption(page, QStringLiteral("身份证号"), lx, row(3), DBEdit3);
  caption(page, QStringLiteral("联系电话"), rx, row(3), DBEdit4);
  caption(page, QStringLiteral("手    机"), lx, row(4), DBEdit7);
  caption(page, QStringLiteral("邮    编"), rx, row(4), DBEdit6);
  caption(page, QStringLiteral("家庭住址"), lx, row(5), DBEdit5);
  caption(page, QStringLiteral("备    注"), lx, row(6), DBEdit8);

  const QList<QWidget *> order{DBEdit1,     DBEdit2, DBDateTimePicker1->lineEdit(), DBComboBox3, DBComboBox2,
                               DBComboBox1, DBEdit3, DBEdit5,                       DBEdit6,     DBEdit4,
                               DBEdit7,     DBEdit8, DBCheckBox1};
  for (int i = 1; i < order.size(); ++i)
    setTabOrder(order[i - 1], order[i]);
  // 身份证号, 邮编, 联系电话 and 手机 take digits only.
  for (QWidget *digits : {static_cast<QWidget *>(DBEdit3), static_cast<QWidget *>(DBEdit6),
                          static_cast<QWidget *>(DBEdit4), static_cast<QWidget *>(DBEdit7)})
    digits->installEventFilter(this);
  return page;
}

QWidget *Tstuinf_form::buildBrowsePage() {
  auto *page = new QWidget(PageControl1);
  page->setObjectName(QStringLiteral("liulan_sheet"));
  wwDBGrid1 = new DBGrid(page);
  wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
  wwDBGrid1->setGeometry(0, 0, 424, 304);
  wwDBGrid1->verticalHeader()->hide();
  wwDBGrid1->setColumns({{QStringLiteral("编号"), 10, QStringLiteral("编号")},
                         {QStringLiteral("姓名"), 10, QStringLiteral("姓名")},
                         {QStringLiteral("性别"), 2, QStringLiteral("性别")},
                         {QStringLiteral("教育程度"), 10, QStringLiteral("教育程度")},
                         {QStringLiteral("毕业院校"), 10, QStringLiteral("毕业院校")},
                         {QStringLiteral("住址"), 50, QStringLiteral("住址")},
                         {QStringLiteral("邮编"), 5, QStringLiteral("邮编")},
                         {QStringLiteral("电话"), 12, QStringLiteral("电话")},
                         {QStringLiteral("手机"), 12, QStringLiteral("手机")},
                         {QStringLiteral("身份证号"), 18, QStringLiteral("身份证号")}});
  wwDBGrid1->setDataSource(DM->stuinf_ds);
  wwDBGrid1->setAccessibleName(QStringLiteral("本班学员"));
  return page;
}

QWidget *Tstuinf_form::buildQueryPage() {
  auto *page = new QWidget(PageControl1);
  page->setObjectName(QStringLiteral("find_sheet"));
  conditions = new ConditionGroup({89, 65, 129, 91, 67, 61, 57, 62, QSize(353, 81)}, page);
  conditions->setGeometry(4, 0, 416, 157);
  connect(conditions, &ConditionGroup::runRequested, this, [this] { guarded(this, [this] { BitBtn3Click(); }); });
  connect(conditions->Button2, &QPushButton::clicked, this, &Tstuinf_form::Button2Click);

  PageControl2 = new QStackedWidget(page);
  PageControl2->setObjectName(QStringLiteral("PageControl2"));
  PageControl2->setGeometry(4, 162, 416, 136);
  findsheet_sheet = new QWidget(PageControl2);
  findsheet_sheet->setObjectName(QStringLiteral("findsheet_sheet"));
  DBGrid3 = new DBGrid(findsheet_sheet);
  DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
  DBGrid3->setGeometry(0, 0, 416, 136);
  DBGrid3->setResultGrid(DM->stuinfquery_ds);
  DBGrid3->setAccessibleName(QStringLiteral("查询结果"));

  editzhiduan_sheet = new QWidget(PageControl2);
  editzhiduan_sheet->setObjectName(QStringLiteral("editzhiduan_sheet"));
  auto chooserGrid = [this](const char *name, DataSource *ds, int x, bool rows) {
    auto *g = new DBGrid(editzhiduan_sheet);
    g->setObjectName(QString::fromLatin1(name));
    g->setGeometry(x, 16, 120, 118);
    g->setReadOnly(true);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    g->horizontalHeader()->setStretchLastSection(true);
    g->setTabKeyNavigation(true);
    g->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    g->setDataSource(ds);
    return g;
  };
  auto *l19 = new QLabel(QStringLiteral("可选字段"), editzhiduan_sheet);
  l19->setObjectName(QStringLiteral("Label19"));
  l19->move(8, 0);
  DBGrid1 = chooserGrid("DBGrid1", DM->kexuanfield_ds, 8, true);
  l19->setBuddy(DBGrid1);
  DBGrid1->setAccessibleName(QStringLiteral("可选字段"));
  auto *l20 = new QLabel(QStringLiteral("显示字段"), editzhiduan_sheet);
  l20->setObjectName(QStringLiteral("Label20"));
  l20->move(216, 0);
  DBGrid2 = chooserGrid("DBGrid2", DM->xianshifield_ds, 216, false);
  l20->setBuddy(DBGrid2);
  DBGrid2->setAccessibleName(QStringLiteral("显示字段"));
  auto moveButton = [this](const char *name, const QString &text, int y) {
    auto *b = new QPushButton(text, editzhiduan_sheet);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(134, y, 75, 19);
    b->setAutoDefault(false);
    return b;
  };
  Button1 = moveButton("Button1", QStringLiteral("增加全部>>"), 24);
  BitBtn4 = moveButton("BitBtn4", QStringLiteral("增加&I>"), 50);
  BitBtn5 = moveButton("BitBtn5", QStringLiteral("<&D移去"), 76);
  BitBtn6 = moveButton("BitBtn6", QStringLiteral("<<全部移去"), 102);
  auto run = [this](void (Tstuinf_form::*f)()) { return [this, f] { guarded(this, [&] { (this->*f)(); }); }; };
  connect(Button1, &QPushButton::clicked, this, run(&Tstuinf_form::BitBtn7Click));
  connect(BitBtn4, &QPushButton::clicked, this, run(&Tstuinf_form::DBGrid1DblClick));
  connect(BitBtn5, &QPushButton::clicked, this, run(&Tstuinf_form::DBGrid2DblClick));
  connect(BitBtn6, &QPushButton::clicked, this, run(&Tstuinf_form::BitBtn6Click));
  connect(DBGrid1, &QAbstractItemView::doubleClicked, this, run(&Tstuinf_form::DBGrid1DblClick));
  connect(DBGrid2, &QAbstractItemView::doubleClicked, this, run(&Tstuinf_form::DBGrid2DblClick));

  PageControl2->addWidget(findsheet_sheet);
  PageControl2->addWidget(editzhiduan_sheet);
  PageControl2->setCurrentWidget(findsheet_sheet);
  return page;
}

void Tstuinf_form::showPage(QWidget *page) {
  QWidget *old = PageControl1->currentWidget();
  if (old == page)
    return;
  PageControl1->setCurrentWidget(page);
  if (!isVisible())
    return;
  if (old == find_sheet)
    find_sheetHide();
  if (page == edit_sheet)
    guarded(this, [this] { edit_sheetShow(); });
}

void Tstuinf_form::SpeedButton3Click() { showPage(edit_sheet); }
void Tstuinf_form::SpeedButton1Click() { showPage(liulan_sheet); }

void Tstuinf_form::SpeedButton2Click() {
  if (PageControl1->currentWidget() == find_sheet)
    return;
  showPage(find_sheet);
  // Stay disabled while the query page is shown, whatever the table does.
  dbn1->forceDisabled(DBNavigator::Edit, true);
  dbn2edit->setEnabled(false);
}

void Tstuinf_form::find_sheetHide() {
  dbn1->forceDisabled(DBNavigator::Edit, false);
  dbn2edit->setEnabled(true);
}

void Tstuinf_form::SpeedButton4Click() { close(); }

void Tstuinf_form::SpeedButton5Click() {
  if (printshouj_form)
    printshouj_form->preview(this);
}

void Tstuinf_form::SpeedButton6Click() {
  if (xuexiao_form)
    xuexiao_form->showModal();
}

void Tstuinf_form::edit_sheetShow() { reloadSchoolBox(DBComboBox3); }

void Tstuinf_form::fcDBTreeView1Change() {
  TableDataSet &plan = *DM->kaibanjihua_table;
  const QString name = plan.isEmpty() ? QString() : plan.asString(QStringLiteral("班次名称"));
  QueryDataSet &q = *DM->stuinf_query;
  q.close();
  q.clearSql();
  // The class name is quoted as a value (a quote in it doubled).
  q.addSql(QStringLiteral("select count(*) from 学员基本信息 where 参加班次='") +
           QString(name).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'"));
  q.open();
  const qint64 count = q.value(0).toLongLong();
  const QString places = plan.isEmpty() ? QString() : plan.asString(QStringLiteral("总人数"));
  banji_label->setText(QStringLiteral("操作班次:") + name + u'(' + QString::number(count) + u'/' + places + u')');
  emit statusTextChanged(StatusText::classPanel(*DM), StatusText::studentPanel(*DM));
}

void Tstuinf_form::BitBtn3Click() {
  TableDataSet &shown = *DM->xianshifield_table;
  shown.checkBrowseMode();
  if (shown.isEmpty()) {
    Dialogs::warning(this, QStringLiteral("您没有选择需要显示的字段!"), Dialogs::Ok | Dialogs::Cancel);
    return;
  }
  QStringList names;
  for (shown.first(); !shown.eof(); shown.next())
    names << shown.asString(QStringLiteral("字段名"));
  conditions->run(*DM->stuinf_query, Conditions::selectList(names));
  PageControl2->setCurrentWidget(findsheet_sheet);
}

void Tstuinf_form::Button2Click() { PageControl2->setCurrentWidget(editzhiduan_sheet); }

void Tstuinf_form::DBGrid1DblClick() { FieldChooser::moveOne(*DM->kexuanfield_table, *DM->xianshifield_table); }
void Tstuinf_form::DBGrid2DblClick() { FieldChooser::moveOne(*DM->xianshifield_table, *DM->kexuanfield_table); }
void Tstuinf_form::BitBtn7Click() { FieldChooser::moveAll(*DM->kexuanfield_table, *DM->xianshifield_table); }
void Tstuinf_form::BitBtn6Click() { FieldChooser::moveAll(*DM->xianshifield_table, *DM->kexuanfield_table); }

void Tstuinf_form::showEvent(QShowEvent *e) {
  FormBase::showEvent(e);
  if (e->spontaneous())
    return;
  if (PageControl1->currentWidget() == edit_sheet)
    guarded(this, [this] { edit_sheetShow(); });
  // The summary of the class the tree stands on, the first time it is seen.
  if (banji_label->text().isEmpty())
    guarded(this, [this] { fcDBTreeView1Change(); });
}

void Tstuinf_form::hideEvent(QHideEvent *e) {
  FormBase::hideEvent(e);
  if (!e->spontaneous() && PageControl1->currentWidget() == find_sheet)
    find_sheetHide();
}

bool Tstuinf_form::eventFilter(QObject *watched, QEvent *event) {
  // DBEdit4KeyPress: digits and backspace pass; any other typed character
  // is swallowed with the message beep. Keys that type nothing pass.
  if (event->type() == QEvent::KeyPress) {
    auto *k = static_cast<QKeyEvent *>(event);
    const QString t = k->text();
    if (!t.isEmpty() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const QChar c = t[0];
      const bool passes = (c >= u'0' && c <= u'9') || c == QChar(8);
      if (!passes) {
        Dialogs::beep();
        return true;
      }
    }
  }
  return FormBase::eventFilter(watched, event);
}
