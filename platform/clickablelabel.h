#pragma once
// A picture or text that acts on a click (the home page's pictures).
#include <QLabel>
#include <QMouseEvent>

class ClickableLabel : public QLabel {
  Q_OBJECT
public:
  using QLabel::QLabel;

signals:
  void clicked();

protected:
  void mouseReleaseEvent(QMouseEvent *e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      emit clicked();
    QLabel::mouseReleaseEvent(e);
  }
};
