#pragma once
// Fills a delivered database with realistic students and classes.
#include <QString>

namespace BenchData {
// Creates `path` (which must not exist) with `students` students spread
// evenly over `classes` classes, plus schools and some expenses.
void generate(const QString &path, int students, int classes);
QString className(int i);
} // namespace BenchData
