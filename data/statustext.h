#pragma once
// The main window's status texts for the current class plan and student.
#include <QString>

class TDM;

namespace StatusText {
// "当前班次:" name "    共有学员:" count; a missing or empty class name shows
// as "（无）".
QString classPanel(TDM &dm);
// "当前学员:" name, or empty when the current student has no name (the panel
// then keeps its text).
QString studentPanel(TDM &dm);
} // namespace StatusText
