#include "fieldchooser.h"

#include "data/dataset.h"

namespace FieldChooser {

namespace {
const QString kName = QStringLiteral("字段名");

void copyCurrent(DataSet &from, DataSet &to) {
  const QVariant name = from.value(kName);
  to.append();
  try {
    to.setValue(kName, name);
    to.post();
  } catch (...) {
    to.cancel();
    throw;
  }
}
} // namespace

void moveOne(DataSet &from, DataSet &to) {
  from.checkBrowseMode();
  if (from.isEmpty())
    return;
  copyCurrent(from, to);
  from.remove();
}

void moveAll(DataSet &from, DataSet &to) {
  from.checkBrowseMode();
  if (from.isEmpty())
    return;
  from.first();
  while (!from.eof()) {
    copyCurrent(from, to);
    from.next();
  }
  from.first();
  while (!from.isEmpty())
    from.remove();
}

} // namespace FieldChooser
