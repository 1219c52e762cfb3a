#include "outlookbar.h"

#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

OutlookBar::OutlookBar(QWidget *parent) : QWidget(parent), m_layout(new QVBoxLayout(this)) {
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
}

QListWidget *OutlookBar::addGroup(const QString &caption, const QString &objectName) {
  auto *button = new QToolButton(this);
  button->setText(caption);
  button->setCheckable(true);
  button->setChecked(true);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  button->setMinimumHeight(24);
  auto *list = new QListWidget(this);
  list->setObjectName(objectName);
  list->setViewMode(QListView::IconMode);
  list->setFlow(QListView::TopToBottom);
  list->setMovement(QListView::Static);
  list->setIconSize(QSize(32, 32));
  list->setSpacing(10); // items 20 pixels apart
  list->setWrapping(false);
  list->setFrameShape(QFrame::NoFrame);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setFocusPolicy(Qt::NoFocus);
  QPalette pal = list->palette();
  pal.setColor(QPalette::Base, pal.color(QPalette::Dark));
  pal.setColor(QPalette::Text, Qt::white);
  list->setPalette(pal);
  connect(button, &QToolButton::clicked, list, [button] { button->setChecked(true); });
  m_layout->addWidget(button);
  m_layout->addWidget(list, 1);
  m_buttons << button;
  return list;
}

QToolButton *OutlookBar::groupButton(int i) const { return m_buttons.value(i); }
