#pragma once
// How values show as text in cells, group rows and the filter box, and how
// typed filter values are read back.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <optional>

#include "datasource.h"

namespace grid {

// Empty for a null value; numbers without thousands separators.
QString formatValue(FieldType type, const QVariant& value, const QLocale& locale);
// A date typed in the display format (or the locale's short format).
std::optional<QDate> readDate(const QString& text, const QLocale& locale);

}  // namespace grid
