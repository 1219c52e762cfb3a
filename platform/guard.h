#pragma once
// Runs a command and shows any error it raises in the application's error
// box; the window that ran it stays usable.
#include "dialogs.h"

#include <exception>

class QWidget;

template <class F> bool guarded(QWidget *parent, F &&f) {
  try {
    f();
    return true;
  } catch (const std::exception &e) {
    Dialogs::error(parent, QString::fromUtf8(e.what()));
    return false;
  }
}
