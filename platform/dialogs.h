#pragma once
// Every modal message box of the program goes through here, so that a test
// can answer it without a screen.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace Dialogs {

enum class Icon { None, Information, Warning, Critical, Question };

enum Button {
  NoButton = 0,
  Ok = 0x1,
  Cancel = 0x2,
  Yes = 0x4,
  No = 0x8,
};

struct Request {
  Icon icon = Icon::None;
  QString title;
  QString text;
  int buttons = Ok;
};

// Shows a modal box and returns the button pressed (Cancel when the box is
// closed without choosing, or the only button if there is one).
Button message(QWidget *parent, const Request &request);

// Convenience forms of the boxes the program uses.
Button warning(QWidget *parent, const QString &text, int buttons);
void information(QWidget *parent, const QString &title, const QString &text);

// The application's error box: title "CorvaneTessaly", error icon, one OK
// button; a full stop is added unless the text already ends in a character
// that sorts at or below ".".
void error(QWidget *parent, const QString &text);
QString errorText(const QString &text);

// The save-file dialog: returns the chosen path, empty on Cancel.
struct FileRequest {
  QString title;
  QString directory; // where it starts (a folder or a file name in it)
  QString filter;    // "Backup archives (*.bck)"
  QString defaultSuffix;
  bool confirmOverwrite = true;
};
QString saveFileName(QWidget *parent, const FileRequest &request);

// Shows a window modally and returns its result (QDialog::exec).
int execModal(QDialog *dialog);

// The system's message beep (counted, and silent, while a test answers).
void beep();
int beeps();

// --- the seam for tests -------------------------------------------------
// While an answerer is installed no box is shown: every request is recorded
// and the answerer's result is returned instead.
using Answerer = std::function<Button(const Request &)>;
void setAnswerer(Answerer answerer);
bool hasAnswerer();
// Every request seen while an answerer was installed, oldest first.
const std::vector<Request> &asked();
void clearAsked();
// Save-file dialogs and modal windows: while set, the function runs instead.
void setFileAnswerer(std::function<QString(const FileRequest &)> answerer);
void setModalRunner(std::function<int(QDialog *)> runner);

} // namespace Dialogs
