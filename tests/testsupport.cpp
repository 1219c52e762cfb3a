#include "testsupport.h"

#include "data/schema.h"

TempDb::TempDb() : path(dir.filePath(QStringLiteral("Tessadb/vindero.mdb"))) { Schema::createDatabase(path); }

void TempDb::exec(const QString &sql) const {
  Connection c;
  c.open(path);
  c.exec(sql);
}

QVariant TempDb::scalar(const QString &sql) const {
  Connection c;
  c.open(path);
  Statement s(c, sql);
  return s.step() ? s.column(0) : QVariant();
}

DialogScript::DialogScript() {
  Dialogs::setAnswerer([this](const Dialogs::Request &r) {
    if (!m_queue.empty()) {
      const Dialogs::Button b = m_queue.front();
      m_queue.pop_front();
      return b;
    }
    for (Dialogs::Button b : {Dialogs::Ok, Dialogs::Yes, Dialogs::Cancel, Dialogs::No})
      if (r.buttons & b)
        return b;
    return Dialogs::NoButton;
  });
}

DialogScript::~DialogScript() { Dialogs::setAnswerer(nullptr); }

QStringList DialogScript::texts() const {
  QStringList l;
  for (const auto &r : Dialogs::asked())
    l << r.text;
  return l;
}

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void typeText(QWidget *w, const QString &text) {
  for (const QChar ch : text) {
    const int key = ch.isDigit() || (ch.unicode() < 128 && ch.isLetter()) ? ch.toUpper().unicode() : Qt::Key_unknown;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &release);
  }
}
