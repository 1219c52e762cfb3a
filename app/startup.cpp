#include "startup.h"

#include "data/datamodule.h"
#include "data/schema.h"
#include "backup/backupform.h"
#include "classes/kaibanjihua.h"
#include "classes/kemushezhi.h"
#include "classes/xuexiaoliebiao.h"
#include "classes/zhichu.h"
#include "about.h"
#include "help.h"
#include "mainwindow.h"
#include "printing/printshouj.h"
#include "students/jiaofeipeixun.h"
#include "students/stuinf.h"
#include "platform/dbnavigator.h"

#include <QStackedWidget>
#include "platform/dialogs.h"

#include <QDir>
#include <QFileInfo>

Program::~Program() {
  // Windows go before the data module they are bound to.
  form1.reset();
  dm.reset();
}

namespace {
// The windows in their order of creation; each is owned by the main window,
// lives until the program ends and is shown modally by its commands.
void createWindows(TForm1 &form, const QString &databasePath) {
  using C = TForm1::Command;
  auto *students = new Tstuinf_form(&form);
  auto *schools = new Txuexiao_form(&form);
  schools->setSchoolBox(students->DBComboBox3);
  auto *query = new Tchaxun_form(&form);
  new Tkemushezhi_form(&form);
  auto *sheet = new Tprintshouj_form(&form);
  auto *plans = new Tkaibanjihua_form(&form);
  auto *expenses = new Tzhichu_Form(&form);
  auto *backup = new Tbackup_form(QFileInfo(databasePath).absoluteFilePath(), &form);
  QObject::connect(students, &Tstuinf_form::statusTextChanged, &form, &TForm1::setStatusTexts);
  form.setCommandHandler(C::Enrol, [students] {
    students->PageControl1->setCurrentWidget(students->edit_sheet);
    students->dbn1->setEnabled(true);
    students->showModal();
  });
  form.setCommandHandler(C::StudentQuery, [query] { query->showModal(); });
  form.setCommandHandler(C::Sheet, [sheet, &form] { sheet->preview(&form); });
  form.setCommandHandler(C::Schools, [schools] { schools->showModal(); });
  form.setCommandHandler(C::ClassPlan, [plans] { plans->showModal(); });
  form.setCommandHandler(C::Expenses, [expenses] { expenses->showModal(); });
  form.setCommandHandler(C::Backup, [backup] { backup->showModal(); });
  auto *about = new Tabout_form(&form);
  form.setCommandHandler(C::About, [about] { Dialogs::execModal(about); });
  form.setCommandHandler(C::OnlineHelp, [] { Help::openMakerSite(); });
  auto loader = std::make_shared<HelpLoader>(&Help::makeViewerEngine);
  form.setCommandHandler(C::Help, [loader, &form] {
    loader->HtmlHelp(&form, Help::helpFile(), HelpLoader::HH_DISPLAY_INDEX, QStringLiteral("目录"));
  });
}
} // namespace

std::unique_ptr<Program> startProgram(const QString &path, bool show) {
  auto p = std::make_unique<Program>();
  try {
    if (Schema::ensureDatabase(path))
      Dialogs::information(nullptr, QStringLiteral("CorvaneTessaly"),
                           QStringLiteral("首次启动：已建立数据库文件 %1。").arg(QDir::toNativeSeparators(path)));
  } catch (const EDatabaseError &e) {
    Dialogs::error(nullptr, e.message());
    return nullptr;
  }
  p->form1 = std::make_unique<TForm1>();
  try {
    p->dm = std::make_unique<TDM>(path);
  } catch (const EDatabaseError &e) {
    p->form1.reset();
    Dialogs::error(nullptr, e.message());
    return nullptr;
  }
  createWindows(*p->form1, path);
  if (show)
    p->form1->showMaximized();
  return p;
}
