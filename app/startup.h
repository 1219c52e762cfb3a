#pragma once
// Program start: the database file, the windows in their order, the main
// window shown maximized.
#include <QString>
#include <memory>

class TForm1;
class TDM;

struct Program {
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TDM> dm;
  ~Program();
};

// Creates the delivered database at `path` on the first start (and says so),
// then the main window and the data module. On a refused file the reason is
// shown and nullptr returned: the main window is never shown.
std::unique_ptr<Program> startProgram(const QString &path, bool show = true);
