#include "dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
Dialogs::Answerer g_answerer;
std::vector<Dialogs::Request> g_asked;
std::function<QString(const Dialogs::FileRequest &)> g_fileAnswerer;
std::function<int(QDialog *)> g_modalRunner;

QMessageBox::Icon toQt(Dialogs::Icon icon) {
  switch (icon) {
  case Dialogs::Icon::Information: return QMessageBox::Information;
  case Dialogs::Icon::Warning: return QMessageBox::Warning;
  case Dialogs::Icon::Critical: return QMessageBox::Critical;
  case Dialogs::Icon::Question: return QMessageBox::Question;
  case Dialogs::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}
} // namespace

namespace Dialogs {

Button message(QWidget *parent, const Request &request) {
  if (g_answerer) {
    g_asked.push_back(request);
    return g_answerer(request);
  }
  QMessageBox box(toQt(request.icon), request.title, request.text, QMessageBox::NoButton, parent);
  const std::pair<int, QMessageBox::StandardButton> map[] = {
      {Yes, QMessageBox::Yes}, {No, QMessageBox::No}, {Ok, QMessageBox::Ok}, {Cancel, QMessageBox::Cancel}};
  for (const auto &[ours, qt] : map)
    if (request.buttons & ours)
      box.addButton(qt);
  const int r = box.exec();
  for (const auto &[ours, qt] : map)
    if (r == qt)
      return Button(ours);
  // Closed by Escape or the frame: the box's escape button, else Cancel.
  if (request.buttons & Cancel)
    return Cancel;
  if (request.buttons & No)
    return No;
  return Button(request.buttons & Ok ? Ok : NoButton);
}

Button warning(QWidget *parent, const QString &text, int buttons) {
  return message(parent, {Icon::Warning, QStringLiteral("Warning"), text, buttons});
}

void information(QWidget *parent, const QString &title, const QString &text) {
  message(parent, {Icon::Information, title, text, Ok});
}

QString errorText(const QString &text) {
  if (!text.isEmpty() && text.back() <= QChar(u'.'))
    return text;
  return text + QLatin1Char('.');
}

void error(QWidget *parent, const QString &text) {
  message(parent, {Icon::Critical, QStringLiteral("CorvaneTessaly"), errorText(text), Ok});
}

QString saveFileName(QWidget *parent, const FileRequest &r) {
  if (g_fileAnswerer)
    return g_fileAnswerer(r);
  QFileDialog dlg(parent, r.title, r.directory, r.filter);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  dlg.setDefaultSuffix(r.defaultSuffix);
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
  if (QFileInfo(r.directory).isDir())
    dlg.setDirectory(r.directory);
  else if (!r.directory.isEmpty())
    dlg.selectFile(r.directory);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
    return {};
  return dlg.selectedFiles().first();
}

int execModal(QDialog *dialog) {
  if (g_modalRunner)
    return g_modalRunner(dialog);
  return dialog->exec();
}

void setFileAnswerer(std::function<QString(const FileRequest &)> answerer) { g_fileAnswerer = std::move(answerer); }
void setModalRunner(std::function<int(QDialog *)> runner) { g_modalRunner = std::move(runner); }

namespace {
int g_beeps = 0;
}

void beep() {
  ++g_beeps;
  if (!g_answerer)
    QApplication::beep();
}
int beeps() { return g_beeps; }

void setAnswerer(Answerer answerer) {
  g_answerer = std::move(answerer);
  g_asked.clear();
}
bool hasAnswerer() { return bool(g_answerer); }
const std::vector<Request> &asked() { return g_asked; }
void clearAsked() { g_asked.clear(); }

} // namespace Dialogs
