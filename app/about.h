#pragma once
// The about box: the product's name, version and the maker's contact lines.
#include <QDialog>

class QLabel;
class QPushButton;

class Tabout_form : public QDialog {
  Q_OBJECT
public:
  explicit Tabout_form(QWidget *parent = nullptr);
  ~Tabout_form() override;
  QLabel *Image1, *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  QPushButton *Button1;

protected:
  void showEvent(QShowEvent *e) override;
};

extern Tabout_form *about_form;
