#pragma once
// What the sheet prints, read from the current rows at the start of the page.
#include "sheet.h"

class TDM;

// The page-start rule: the payment item 参加"班次名称"培训, the fee (培训费,
// plus 资料费 unless the student brings the materials) in capitals, and the
// fields of the current student and class plan. Without a current class plan
// or with one that has no name there is nothing to charge for: refused with
// EDatabaseError and a message that says so.
SheetData QuickRep1StartPage(TDM &dm);

// The fee the receipt charges for the current rows.
double sheetFee(TDM &dm);
