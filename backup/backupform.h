#pragma once
// The backup window: backs the database file up into an archive with the
// chosen compression and mode, and reports the compression rate.
#include "platform/formbase.h"

#include <functional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolBar;
class QToolButton;
class TBackupFile;

class Tbackup_form : public FormBase {
  Q_OBJECT
public:
  // `databasePath`: the program's database file, as it is on disk.
  Tbackup_form(const QString &databasePath, QWidget *parent = nullptr);
  ~Tbackup_form() override;

  QLabel *Label11, *Label2, *Label3, *Label1;
  QListWidget *dbsource_listbox;
  QLineEdit *backuppath_edit, *beizhu_edit;
  QToolBar *ToolBar1;
  QToolButton *ToolButton1;
  QGroupBox *press_rg, *mode_rg;
  QButtonGroup *press_items, *mode_items;
  QPushButton *BitBtn1, *BitBtn2;
  QProgressBar *ProgressBar1;
  TBackupFile *Backupfile1;
  QString backup_filename;

  // Whether a target lies on removable media (a diskette, a USB stick): the
  // archive then goes into volumes of 1400000 bytes. Replaceable for tests.
  std::function<bool(const QString &path)> isRemovable;
  static bool onRemovableMedia(const QString &path);

  void FormShow();
  void ToolButton1Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Backupfile1Progress(const QString &Filename, int Percent);

protected:
  void showEvent(QShowEvent *e) override;

private:
  QString m_databasePath;
};

extern Tbackup_form *backup_form;
