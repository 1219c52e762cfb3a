#pragma once
// Shared fixtures: a delivered database in a temporary folder, a script of
// answers for the message boxes, and a fixed clock.
#include "data/connection.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <deque>

struct TempDb {
  TempDb(); // creates the delivered file
  QTemporaryDir dir;
  QString path;
  // Runs statements on a connection of its own (another "program").
  void exec(const QString &sql) const;
  QVariant scalar(const QString &sql) const;
};

// Answers every message box while it lives: queued answers first, then the
// default (the box's only or first button).
class DialogScript {
public:
  DialogScript();
  ~DialogScript();
  void answer(Dialogs::Button b) { m_queue.push_back(b); }
  const std::vector<Dialogs::Request> &asked() const { return Dialogs::asked(); }
  QStringList texts() const;
  void clearAsked() { Dialogs::clearAsked(); }

private:
  std::deque<Dialogs::Button> m_queue;
};

// Sets the clock while it lives.
class FixedClock {
public:
  explicit FixedClock(const QDateTime &t) { Clock::setFixed(t); }
  void set(const QDateTime &t) { Clock::setFixed(t); }
  ~FixedClock() { Clock::setFixed({}); }
};

class QWidget;
// Types text into a widget key by key, Chinese characters included (Qt Test's
// keyClicks takes ASCII only).
void typeText(QWidget *w, const QString &text);
