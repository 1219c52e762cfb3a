#pragma once
// A window of the program: a fixed dialog frame of a given client size,
// centred on the main window when shown, and shown modally.
#include <QDialog>
#include <QLabel>
#include <QTimer>

class QFrame;
class QToolBar;
class QToolButton;

#include "platform/clock.h"

class FormBase : public QDialog {
  Q_OBJECT
public:
  FormBase(const QString &name, const QString &caption, QSize client, QWidget *parent);
  // Shows the window modally; returns when it is closed.
  void showModal();

protected:
  void showEvent(QShowEvent *e) override;
  // The strip across the top ("CoolBar1") holding the tool bar ("ToolBar1").
  QToolBar *toolStrip(int height);
  // The lowered strip along the bottom ("Panel1").
  QFrame *bottomStrip(int height);
  // A flat button with its caption, as the tool bars carry them.
  static QToolButton *flatButton(const char *name, const QString &text, int width, int height);
  // A clock label rewritten every second ("yyyy-mm-dd  hh:mm:ss").
  QTimer *startClock(QLabel *label);
};
