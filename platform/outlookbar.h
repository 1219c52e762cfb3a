#pragma once
// The outlook-style side bar: group buttons, each with a list of large icons
// above their texts, chosen by a single click.
#include <QWidget>

class QListWidget;
class QToolButton;
class QVBoxLayout;

class OutlookBar : public QWidget {
  Q_OBJECT
public:
  explicit OutlookBar(QWidget *parent = nullptr);
  // Adds a group with its button caption; returns the group's list.
  QListWidget *addGroup(const QString &caption, const QString &objectName);
  QToolButton *groupButton(int i) const;

private:
  QVBoxLayout *m_layout;
  QList<QToolButton *> m_buttons;
};
