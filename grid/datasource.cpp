#include "datasource.h"

#include <QDate>
#include <QDateTime>

#include "core/errors.h"

namespace grid {

namespace {

[[noreturn]] void refuseChange() {
    throw wt::Error(QStringLiteral("Cannot modify a read-only dataset"));
}

}  // namespace

int DataSource::indexOf(const QString& name) const {
    for (int column = 0; column < columnCount(); ++column)
        if (columnName(column).compare(name, Qt::CaseInsensitive) == 0) return column;
    return -1;
}

QVariant DataSource::value(int row, int column) const {
    if (isNull(row, column)) return {};
    switch (columnType(column)) {
        case FieldType::Text:
            return text(row, column);
        case FieldType::Integer:
            return integer(row, column);
        case FieldType::Float:
            return number(row, column);
        case FieldType::Date:
            return QDate::fromJulianDay(julianDay(row, column));
        case FieldType::DateTime:
            return QDateTime::fromMSecsSinceEpoch(msecs(row, column));
        case FieldType::Boolean:
            return boolean(row, column);
    }
    return {};
}

bool DataSource::hasTextIds(int) const { return false; }
std::uint32_t DataSource::textId(int, int) const { return 0; }
std::uint32_t DataSource::textIdCount(int) const { return 0; }
QString DataSource::textOfId(int, std::uint32_t) const { return {}; }

bool DataSource::isReadOnly() const { return true; }
EditState DataSource::editState() const { return EditState::Browse; }
int DataSource::editRow() const { return -1; }
void DataSource::edit(int) { refuseChange(); }
void DataSource::setValue(int, const QVariant&) { refuseChange(); }
void DataSource::post() {}
void DataSource::cancel() {}
void DataSource::insert(int) { refuseChange(); }
void DataSource::append() { refuseChange(); }
void DataSource::remove(int) { refuseChange(); }
void DataSource::refresh() { emit rowsReset(); }

}  // namespace grid
