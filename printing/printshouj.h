#pragma once
// The holder of the student information sheet, and its print preview.
#include <QWidget>

class QPrintPreviewDialog;

class Tprintshouj_form : public QWidget {
  Q_OBJECT
public:
  explicit Tprintshouj_form(QWidget *parent = nullptr);
  ~Tprintshouj_form() override;

  // Opens the print preview of the sheet for the current student and class
  // (normal size); returns when it is closed. From the preview the sheet is
  // printed on the printer chosen there, or saved as a PDF.
  void preview(QWidget *owner);
  // The preview's "保存PDF" command.
  void savePdf(QWidget *owner);
};

extern Tprintshouj_form *printshouj_form;
