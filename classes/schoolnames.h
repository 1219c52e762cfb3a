#pragma once
// The school names offered by the students' 毕业院校 box, read from 学校列表.
#include <QStringList>
#include <optional>

class DataSet;

// With rows: moves to the first row (posting a pending change, dropping an
// unchanged new row), then returns every non-empty 学校 in table order, no
// sorting, no removal of duplicates; the table is left on its last row.
// Without rows: nothing, and the box keeps the items it had.
std::optional<QStringList> schoolNames(DataSet &schools);
