#pragma once
// The one place the program asks what day and time it is, so that a test
// can be "on" any day.
#include <QDateTime>

namespace Clock {
QDateTime now();
QDate today();
// Tests: fix the clock at `t`; an invalid QDateTime returns to the real clock.
void setFixed(const QDateTime &t);
}
