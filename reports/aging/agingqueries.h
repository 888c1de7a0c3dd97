#pragma once
// The texts and declared result columns of the aging window's and the
// currency picker's queries.
#include <QStringList>

#include "pg/fields.h"

namespace aging {

// The one-row parameter table the report's view reads its dates from.
QStringList dataListText();
pg::FieldDefs dataListColumns();

// The report: the view joined with the parameter row and the partner table.
QStringList reportText();
pg::FieldDefs reportColumns();

// The currency list of the picker, in code order.
QStringList monedaText();
pg::FieldDefs monedaColumns();

}  // namespace aging
