#pragma once
// A column's filter: the filter-row value and the values checked in the
// header drop-down, judged once per distinct value of the column.
#include <QLocale>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <vector>

#include "columnindex.h"

namespace grid {

struct ColumnFilter {
    QVariant value;  // filter row; null or empty text: no condition
    std::optional<std::vector<QVariant>> checked;

    bool hasValue() const;
    bool isActive() const { return hasValue() || checked.has_value(); }
};

// 1 for each id of the column whose value passes, 0 otherwise.
std::vector<std::uint8_t> judge(ColumnIndex& index, const ColumnFilter& filter,
                                const QLocale& locale);
// The value of an id as distinctValues gives it.
QVariant valueOfId(const ColumnIndex& index, std::uint32_t id);
// "[Partner] like 'abc%'", "[Curr.] in ('EUR', 'USD')"; empty when inactive.
QString describe(const QString& caption, FieldType type, const ColumnFilter& filter,
                 const QLocale& locale);

}  // namespace grid
