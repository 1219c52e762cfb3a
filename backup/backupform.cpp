#include "backupform.h"

#include "backup.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/guard.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

Tbackup_form *backup_form = nullptr;

namespace {
const char *kTip = "background: #ffffe1";

QGroupBox *radioGroup(QWidget *parent, const char *name, const QString &caption, const QStringList &items,
                      int columns, QButtonGroup *&group) {
  auto *box = new QGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  auto *grid = new QGridLayout(box);
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setVerticalSpacing(0);
  group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto *r = new QRadioButton(items[i], box);
    group->addButton(r, i);
    grid->addWidget(r, i / columns, i % columns);
  }
  group->button(0)->setChecked(true);
  return box;
}

void plainMessage(QWidget *parent, const QString &text) {
  Dialogs::message(parent, {Dialogs::Icon::None, QStringLiteral("CorvaneTessaly"), text, Dialogs::Ok});
}
} // namespace

bool Tbackup_form::onRemovableMedia(const QString &path) {
  // The device that holds the target's folder, as the kernel lists it: a
  // floppy, or a block device marked removable (USB sticks, card readers).
  const QStorageInfo storage(QFileInfo(path).absolutePath());
  if (!storage.isValid())
    return false;
  QString dev = QString::fromLocal8Bit(storage.device());
  if (!dev.startsWith(u"/dev/"))
    return false;
  dev = QFileInfo(dev).canonicalFilePath().mid(5);
  if (dev.startsWith(u"fd"))
    return true;
  // A partition's removable flag stands on its disk: sdb1 → sdb, mmcblk0p1 → mmcblk0.
  for (QString disk = dev; !disk.isEmpty(); disk.chop(1)) {
    QFile f(QStringLiteral("/sys/block/%1/removable").arg(disk));
    if (f.open(QIODevice::ReadOnly))
      return f.readAll().trimmed() == "1";
  }
  return false;
}

Tbackup_form::Tbackup_form(const QString &databasePath, QWidget *parent)
    : FormBase(QStringLiteral("backup_form"), QStringLiteral("备份当前数据库"), QSize(404, 235), parent),
      isRemovable(&Tbackup_form::onRemovableMedia), m_databasePath(databasePath) {
  if (!backup_form)
    backup_form = this;
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  press_rg = radioGroup(this, "press_rg", QStringLiteral("压缩"),
                        {QStringLiteral("最快速度"), QStringLiteral("默认"), QStringLiteral("最大压缩比"), QStringLiteral("不压缩")},
                        1, press_items);
  press_rg->setGeometry(6, 4, 96, 118);

  Label11 = new QLabel(QStringLiteral("当前数据库"), this);
  Label11->setObjectName(QStringLiteral("Label11"));
  Label11->setGeometry(110, 8, 70, 16);
  dbsource_listbox = new QListWidget(this);
  dbsource_listbox->setObjectName(QStringLiteral("dbsource_listbox"));
  dbsource_listbox->setGeometry(190, 6, 208, 20);
  dbsource_listbox->setFrameShape(QFrame::NoFrame);
  dbsource_listbox->setStyleSheet(QString::fromLatin1(kTip));
  dbsource_listbox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Label11->setBuddy(dbsource_listbox);

  Label2 = new QLabel(QStringLiteral("备份到:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(110, 44, 70, 16);
  backuppath_edit = new QLineEdit(this);
  backuppath_edit->setObjectName(QStringLiteral("backuppath_edit"));
  backuppath_edit->setReadOnly(true);
  backuppath_edit->setFrame(false);
  backuppath_edit->setGeometry(190, 42, 180, 20);
  Label2->setBuddy(backuppath_edit);
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(372, 38, 28, 28);
  ToolButton1 = new QToolButton;
  ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
  ToolButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  ToolButton1->setAutoRaise(true);
  ToolButton1->setAccessibleName(QStringLiteral("选择备份文件"));
  ToolBar1->addWidget(ToolButton1);
  connect(ToolButton1, &QToolButton::clicked, this, [this] { guarded(this, [this] { ToolButton1Click(); }); });

  Label3 = new QLabel(QStringLiteral("备份文件备注"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setGeometry(110, 80, 78, 16);
  beizhu_edit = new QLineEdit(this);
  beizhu_edit->setObjectName(QStringLiteral("beizhu_edit"));
  beizhu_edit->setReadOnly(true);
  beizhu_edit->setFrame(false);
  beizhu_edit->setStyleSheet(QString::fromLatin1(kTip));
  beizhu_edit->setGeometry(190, 78, 208, 20);
  Label3->setBuddy(beizhu_edit);

  mode_rg = radioGroup(this, "mode_rg", QStringLiteral("备份模式"),
                       {QStringLiteral("全部备份"), QStringLiteral("只备份增加的部分")}, 2, mode_items);
  mode_rg->setGeometry(6, 126, 392, 44);

  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DriveFDIcon), QStringLiteral("&B备份"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(230, 178, 80, 26);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded(this, [this] { BitBtn1Click(); }); });
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_BrowserStop), QStringLiteral("&C关闭"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(316, 178, 80, 26);
  BitBtn2->setAutoDefault(false);
  connect(BitBtn2, &QPushButton::clicked, this, &Tbackup_form::BitBtn2Click);

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(6, 194, 220, 14);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setGeometry(0, 235 - 16, 404, 16);
  ProgressBar1->hide();

  setTabOrder(backuppath_edit, ToolButton1);
  setTabOrder(ToolButton1, beizhu_edit);
  setTabOrder(beizhu_edit, press_items->button(0));
  setTabOrder(press_items->button(0), mode_items->button(0));
  setTabOrder(mode_items->button(0), BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  setTabOrder(BitBtn2, dbsource_listbox);

  Backupfile1 = new TBackupFile(this);
  Backupfile1->setObjectName(QStringLiteral("Backupfile1"));
  Backupfile1->setBackupMode(bmIncremental);
  Backupfile1->CompressionLevel = clFastest;
  Backupfile1->RestoreMode = rmAll;
  Backupfile1->MaxSize = 0;
  Backupfile1->SetArchiveFlag = true;
  Backupfile1->RestoreFullPath = false;
  Backupfile1->SaveFileID = false;
  Backupfile1->OnProgress = [this](TBackupFile &, const QString &f, TPercentage p, bool &) {
    Backupfile1Progress(f, p);
  };
}

Tbackup_form::~Tbackup_form() {
  if (backup_form == this)
    backup_form = nullptr;
}

void Tbackup_form::showEvent(QShowEvent *e) {
  FormBase::showEvent(e);
  if (!e->spontaneous())
    FormShow();
}

void Tbackup_form::FormShow() {
  dbsource_listbox->clear();
  dbsource_listbox->addItem(m_databasePath);
  beizhu_edit->setText(QStringLiteral("数据库备份日期:") + Clock::today().toString(u"yyyy-MM-dd"));
}

void Tbackup_form::ToolButton1Click() {
  const QString path = Dialogs::saveFileName(
      this, {QStringLiteral("备份到"), backup_filename, QStringLiteral("Backup archives (*.bck)"), QStringLiteral("bck"),
             false});
  if (path.isEmpty())
    return;
  if (isRemovable && isRemovable(path)) {
    plainMessage(this, QStringLiteral("请插入一张空白新磁盘!"));
    Backupfile1->MaxSize = 1400000;
  } else {
    Backupfile1->MaxSize = 0;
  }
  Backupfile1->BackupTitle = beizhu_edit->text();
  Backupfile1->setBackupMode(mode_items->checkedId() == 1 ? bmIncremental : bmAll);
  static const TCompressionLevel levels[] = {clFastest, clDefault, clMax, clNone};
  Backupfile1->CompressionLevel = levels[std::clamp(press_items->checkedId(), 0, 3)];
  Backupfile1->SaveFileID = false;
  backuppath_edit->setText(path);
  backup_filename = path;
}

void Tbackup_form::BitBtn1Click() {
  if (backuppath_edit->text().isEmpty()) {
    plainMessage(this, QStringLiteral("请选择备份路径与文件名!"));
    return;
  }
  if (Backupfile1->running())
    return; // a second backup never starts while one runs
  QStringList files;
  for (int i = 0; i < dbsource_listbox->count(); ++i)
    files << dbsource_listbox->item(i)->text();
  if (Backupfile1->Backup(files, backup_filename))
    plainMessage(this, QStringLiteral("数据备份成功!数据压缩率 = %1 %").arg(Backupfile1->CompressionRate()));
  else
    plainMessage(this, QStringLiteral("数据备份失败!"));
}

void Tbackup_form::BitBtn2Click() { close(); }

void Tbackup_form::Backupfile1Progress(const QString &, int Percent) {
  ProgressBar1->setVisible(Percent < 100);
  if (Percent < 100)
    ProgressBar1->setValue(Percent);
  Label1->setText(Percent < 100 ? backup_filename : QString());
}
