#pragma once
// A window of the program: a fixed dialog frame of a given client size,
// centred on the main window when shown, and shown modally.
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include "platform/clock.h"

class FormBase : public QDialog {
  Q_OBJECT
public:
  FormBase(const QString &name, const QString &caption, QSize client, QWidget *parent);
  // Shows the window modally; returns when it is closed.
  void showModal();

protected:
  void showEvent(QShowEvent *e) override;
  // A clock label rewritten every second ("yyyy-mm-dd  hh:mm:ss").
  QTimer *startClock(QLabel *label);
};
