#pragma once
// Money amounts written in Chinese capital numerals, as on a receipt.
#include <QString>

// The amount in yuan as capitals ("壹仟零壹圆整"). A negative amount is
// written as "负" followed by the text of its magnitude.
QString AmountInCapitals(double amount);

// The amount as the "0.00" pattern writes it: two decimals, a value exactly
// half-way going away from zero, read to 15 significant digits as a double
// is. Without sign.
QString formatHundredths(double magnitude);
