#include "about.h"

#include "platform/fonts.h"
#include "platform/pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

Tabout_form *about_form = nullptr;

Tabout_form::Tabout_form(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("about_form"));
  if (!about_form)
    about_form = this;
  setFixedSize(437, 255);
  setFont(Fonts::songPixels(12));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Light)); // the button highlight: white
  setPalette(pal);
  auto *frame = new QFrame(this); // the thin black frame along the edge
  frame->setObjectName(QStringLiteral("Shape1"));
  frame->setGeometry(0, 0, 437, 255);
  frame->setStyleSheet(QStringLiteral("#Shape1 { border: 1px solid black; background: white; }"));

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(8, 8, 100, 80);
  Image1->setPixmap(Pictures::tile(QStringLiteral("CT"), QColor(60, 110, 180), 80));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setAccessibleName(QStringLiteral("CorvaneTessaly"));

  Label1 = new QLabel(QStringLiteral("CorvaneTessaly"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont title = Fonts::songPixels(21);
  title.setBold(true);
  Label1->setFont(title);
  Label1->setStyleSheet(QStringLiteral("color: fuchsia"));
  Label1->setGeometry(126, 30, 300, 28);

  const QString pad(9, u' ');
  auto line = [&](const char *name, const QString &caption, const QString &value, int y) {
    auto *l = new QLabel(caption + pad + value, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(126, y, 300, 18);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
  };
  Label2 = line("Label2", QStringLiteral("版本:"), QStringLiteral("2.5(Build in 20031111)"), 82);
  Label3 = line("Label3", QStringLiteral("网站:"), QStringLiteral("https://www.corvane.example/"), 106);
  Label4 = line("Label4", QStringLiteral("电话:"), QStringLiteral("000-0000-0000"), 130);
  Label5 = line("Label5", QStringLiteral("OICQ:"), QStringLiteral("00000000(时时在线)"), 154);
  Label6 = line("Label6", QStringLiteral("邮箱:"), QStringLiteral("support@corvane.example"), 178);

  Button1 = new QPushButton(QStringLiteral("确定&O"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(437 - 92, 255 - 36, 80, 26);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

Tabout_form::~Tabout_form() {
  if (about_form == this)
    about_form = nullptr;
}

void Tabout_form::showEvent(QShowEvent *e) {
  if (!e->spontaneous() && parentWidget())
    move(parentWidget()->window()->geometry().center() - rect().center());
  QDialog::showEvent(e);
}
