#include "startup.h"

#include "data/datamodule.h"
#include "data/schema.h"
#include "mainwindow.h"
#include "platform/dialogs.h"

#include <QDir>

Program::~Program() {
  // Windows go before the data module they are bound to.
  form1.reset();
  dm.reset();
}

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
  if (show)
    p->form1->showMaximized();
  return p;
}
