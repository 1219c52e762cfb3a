#include "schoolnames.h"

#include "data/dataset.h"

std::optional<QStringList> schoolNames(DataSet &schools) {
  if (schools.recordCount() == 0)
    return std::nullopt;
  schools.open();
  schools.first();
  QStringList names;
  while (!schools.eof()) {
    const QString name = schools.asString(QStringLiteral("学校"));
    if (!name.isEmpty())
      names << name;
    schools.next();
  }
  return names;
}
