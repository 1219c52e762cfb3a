#include "dbcontrols.h"

#include "data/datasource.h"
#include "platform/dialogs.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <cmath>

// ------------------------------------------------------------- FieldLink

FieldLink::FieldLink(QWidget *control, std::function<QString()> read, std::function<void(const QVariant &)> show)
    : QObject(control), m_control(control), m_read(std::move(read)), m_show(std::move(show)) {}

DataSet *FieldLink::dataSet() const { return m_source ? m_source->dataSet() : nullptr; }

void FieldLink::bind(DataSource *source, const QString &field) {
  if (m_source)
    disconnect(m_source, nullptr, this, nullptr);
  m_source = source;
  m_field = field;
  if (!source)
    return;
  connect(source, &DataSource::dataChanged, this, &FieldLink::redisplay);
  connect(source, &DataSource::stateChanged, this, &FieldLink::redisplay);
  connect(source, &DataSource::fieldChanged, this, [this](int index) {
    DataSet *ds = dataSet();
    if (ds && !m_dirty && ds->fieldIndex(m_field) == index)
      redisplay();
  });
  source->dataSet()->addRecordWriter(this, [this] { write(); });
  redisplay();
}

QVariant FieldLink::currentValue() const {
  DataSet *ds = dataSet();
  if (!ds || !ds->active() || ds->fieldIndex(m_field) < 0)
    return {};
  return ds->value(ds->fieldIndex(m_field));
}

void FieldLink::redisplay() {
  if (m_starting)
    return;
  m_dirty = false;
  m_show(currentValue());
}

bool FieldLink::userChanged() {
  if (m_starting || m_dirty)
    return true;
  if (!m_source)
    return false;
  m_starting = true;
  bool ok = false;
  try {
    ok = m_source->beginEdit();
  } catch (const std::exception &e) {
    // The row may have started all the same (an insert whose rule failed).
    ok = dataSet() && (dataSet()->state() == DataSetState::Edit || dataSet()->state() == DataSetState::Insert);
    m_starting = false;
    Dialogs::error(m_control, QString::fromUtf8(e.what()));
  }
  m_starting = false;
  if (ok)
    m_dirty = true;
  else
    redisplay();
  return ok;
}

void FieldLink::write() {
  DataSet *ds = dataSet();
  if (!m_dirty || !ds || (ds->state() != DataSetState::Edit && ds->state() != DataSetState::Insert))
    return;
  ds->setValue(m_field, m_read()); // throws on a value that does not fit; stays dirty
  m_dirty = false;
}

// ---------------------------------------------------------------- DBEdit

DBEdit::DBEdit(QWidget *parent)
    : QLineEdit(parent), m_link(
                             this, [this] { return text(); },
                             [this](const QVariant &v) { setText(FieldValue::toText(v)); }) {
  connect(this, &QLineEdit::textEdited, this, [this] {
    if (isReadOnly())
      return;
    const QString typed = text();
    if (m_link.userChanged() && text() != typed)
      setText(typed);
  });
}


// -------------------------------------------------------- DBCurrencyEdit

QString DBCurrencyEdit::format(const QString &symbol, const QVariant &v) {
  if (!v.isValid() || v.isNull())
    return {};
  bool ok = false;
  const double d = v.toDouble(&ok);
  if (!ok)
    return v.toString();
  return (d < 0 ? QStringLiteral("-") : QString()) + symbol + QString::number(std::fabs(d), 'f', 2);
}

DBCurrencyEdit::DBCurrencyEdit(QWidget *parent)
    : QLineEdit(parent), m_link(
                             this, [this] { return text(); },
                             [this](const QVariant &v) { setText(format(m_symbol, v)); }) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Only what can be an amount: an optional sign and symbol, digits with
  // group commas, and up to four decimals.
  setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral(R"(^-?[￥¥]?\s*-?[0-9,]*(\.[0-9]{0,4})?$)")), this));
  connect(this, &QLineEdit::textEdited, this, [this] {
    const QString typed = text();
    if (m_link.userChanged() && text() != typed)
      setText(typed);
  });
}


// ------------------------------------------------------------ DBComboBox

DBComboBox::DBComboBox(QWidget *parent)
    : QComboBox(parent), m_link(
                             this, [this] { return currentText(); },
                             [this](const QVariant &v) {
                               m_filling = true;
                               setEditText(FieldValue::toText(v));
                               m_filling = false;
                             }) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
    const QString typed = currentText();
    if (m_link.userChanged() && currentText() != typed)
      setEditText(typed);
  });
  connect(this, &QComboBox::activated, this, [this](int i) {
    if (m_filling)
      return;
    const QString chosen = itemText(i);
    if (m_link.userChanged())
      setEditText(chosen);
  });
}

void DBComboBox::setItems(const QStringList &items) {
  m_filling = true;
  const QString keep = currentText();
  clear();
  addItems(items);
  setEditText(keep);
  m_filling = false;
}

QStringList DBComboBox::items() const {
  QStringList l;
  for (int i = 0; i < count(); ++i)
    l << itemText(i);
  return l;
}


// ------------------------------------------------------------ DBCheckBox

DBCheckBox::DBCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent), m_link(
                                      this, [this] { return isChecked() ? QStringLiteral("True") : QStringLiteral("False"); },
                                      [this](const QVariant &v) { setChecked(v.isValid() && v.toBool()); }) {
  connect(this, &QCheckBox::clicked, this, [this](bool on) {
    if (m_link.userChanged())
      setChecked(on);
    else
      setChecked(!on);
  });
}

// ------------------------------------------------------ DBDateTimePicker

DBDateTimePicker::DBDateTimePicker(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this)),
      m_link(
          this, [this] { return m_edit->text(); },
          [this](const QVariant &v) { m_edit->setText(FieldValue::toText(v)); }) {
  auto *lay = new QHBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  lay->addWidget(m_edit, 1);
  lay->addWidget(m_button);
  m_edit->setPlaceholderText(QStringLiteral("    -  -  "));
  m_button->setArrowType(Qt::DownArrow);
  m_button->setFocusPolicy(Qt::NoFocus);
  m_button->setAccessibleName(QStringLiteral("选择日期"));
  setFocusProxy(m_edit);
  connect(m_edit, &QLineEdit::textEdited, this, [this] {
    const QString typed = m_edit->text();
    if (m_link.userChanged() && m_edit->text() != typed)
      m_edit->setText(typed);
  });
  connect(m_button, &QToolButton::clicked, this, &DBDateTimePicker::showCalendar);
}

QString DBDateTimePicker::text() const { return m_edit->text(); }
void DBDateTimePicker::setText(const QString &t) { m_edit->setText(t); }

void DBDateTimePicker::pick(const QDate &d) {
  if (m_link.userChanged())
    m_edit->setText(d.toString(u"yyyy-MM-dd"));
}

void DBDateTimePicker::showCalendar() {
  auto *cal = new QCalendarWidget;
  cal->setAttribute(Qt::WA_DeleteOnClose);
  cal->setWindowFlags(Qt::Popup);
  const QDate shown = FieldValue::parseDate(m_edit->text());
  cal->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
  connect(cal, &QCalendarWidget::clicked, this, [this, cal](const QDate &d) {
    pick(d);
    cal->close();
  });
  connect(cal, &QCalendarWidget::activated, this, [this, cal](const QDate &d) {
    pick(d);
    cal->close();
  });
  cal->move(mapToGlobal(QPoint(0, height())));
  cal->show();
}
