#pragma once
// Help: the program's help file opened at an index keyword in the help
// viewer, and the maker's web site in the desktop's browser.
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <stdexcept>

class QWidget;

// What the help viewer offers the loader; a test puts its own in its place.
class HelpEngine {
public:
  virtual ~HelpEngine() = default;
  // The viewer can be started.
  virtual bool loadLibrary() = 0;
  // The help file is there and has its index.
  virtual bool findEntryPoint(const QString &helpFile) = 0;
  // Once, before the first display.
  virtual void initialize() = 0;
  // Opens the help file's index at `keyword`, owned by `owner`.
  virtual int display(QWidget *owner, const QString &helpFile, int command, const QString &keyword) = 0;
};

class EHelpError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The loader: the engine found once and kept for the run, initialised once,
// each request opening the index.
class HelpLoader {
public:
  explicit HelpLoader(std::function<std::unique_ptr<HelpEngine>()> makeEngine);
  // Command 2 opens the index at the keyword. Throws EHelpError with
  // "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!" when the viewer
  // cannot be started, "Function HTMLHELP cannot loaded!" when the help file
  // or its index is missing.
  int HtmlHelp(QWidget *owner, const QString &helpFile, int command, const QString &keyword);

  static constexpr int HH_DISPLAY_INDEX = 2;
  static constexpr int HH_INITIALIZE = 28;

private:
  std::function<std::unique_ptr<HelpEngine>()> m_make;
  std::unique_ptr<HelpEngine> m_library;
  bool m_entryPoint = false;
};

namespace Help {
// The help file built with the program (next to the program, or installed
// under share/).
QString helpFile();
// The program's own viewer over the compiled help file.
std::unique_ptr<HelpEngine> makeViewerEngine();
// The maker's web site, opened with the desktop's URL opener; the result is
// ignored. Tests replace the opener.
inline const QUrl kMakerSite{QStringLiteral("https://www.corvane.example/")};
void openMakerSite();
void setUrlOpener(std::function<bool(const QUrl &)> opener);
} // namespace Help
