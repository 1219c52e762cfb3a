#include "data/schema.h"
#include "mainwindow.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "startup.h"

#include <QApplication>

namespace {
// Errors that escape a handler still reach the user as the error box.
class TessalyApplication : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject *receiver, QEvent *event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
      Dialogs::error(activeWindow(), QString::fromUtf8(e.what()));
      return false;
    }
  }
};
} // namespace

int main(int argc, char **argv) {
  TessalyApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("CorvaneTessaly"));
  QApplication::setFont(Fonts::sans(9));
  auto program = startProgram(Schema::defaultPath());
  if (!program)
    return 1;
  return app.exec();
}
