#include "table.h"

namespace pg {

Storage storageOf(FieldKind kind) {
    switch (kind) {
        case FieldKind::Integer:
        case FieldKind::SmallInt:
        case FieldKind::Word:
        case FieldKind::AutoInc:
        case FieldKind::ShortInt:
        case FieldKind::Byte:
        case FieldKind::LargeInt:
        case FieldKind::LongWord:
            return Storage::Integer;
        case FieldKind::Float:
        case FieldKind::Currency:
        case FieldKind::Single:
        case FieldKind::BCD:
        case FieldKind::FMTBcd:
        case FieldKind::Extended:
            return Storage::Float;
        case FieldKind::Date:
            return Storage::Date;
        case FieldKind::Time:
            return Storage::Time;
        case FieldKind::DateTime:
        case FieldKind::TimeStamp:
        case FieldKind::OraTimeStamp:
            return Storage::DateTime;
        case FieldKind::Boolean:
            return Storage::Boolean;
        default:
            return Storage::Text;
    }
}

bool Column::isNullVariant(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return true;
    switch (value.typeId()) {
        case QMetaType::QString:
            return value.toString().isNull();
        case QMetaType::QDate:
            return !value.toDate().isValid();
        case QMetaType::QTime:
            return !value.toTime().isValid();
        case QMetaType::QDateTime:
            return !value.toDateTime().isValid();
        default:
            return false;
    }
}

QVariant Column::value(int row) const {
    if (isNull(row)) return {};
    switch (storage_) {
        case Storage::Text:
            return asText(row);
        case Storage::Integer:
            return asInteger(row);
        case Storage::Float:
            return asFloat(row);
        case Storage::Date:
            return QDate::fromJulianDay(asJulianDay(row));
        case Storage::DateTime:
            return QDateTime::fromMSecsSinceEpoch(asMSecs(row), Qt::UTC);
        case Storage::Time:
            return QTime::fromMSecsSinceStartOfDay(int(asMSecs(row)));
        case Storage::Boolean:
            return asBoolean(row);
    }
    return {};
}

std::uint32_t Column::textId(int) const { return 0; }
std::uint32_t Column::textIdCount() const { return 1; }
QString Column::textOfId(std::uint32_t) const { return {}; }

Table::Table() = default;
Table::~Table() = default;
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&&) noexcept = default;

int Table::rowCount() const { return columns_.empty() ? 0 : columns_.front()->rowCount(); }

int Table::indexOf(const QString& name) const {
    for (int i = 0; i < columnCount(); ++i)
        if (columns_[size_t(i)]->name().compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

std::size_t Table::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + columns_.capacity() * sizeof(columns_[0]);
    for (const auto& column : columns_) bytes += column->memoryBytes();
    return bytes;
}

void Table::setValue(int row, int column, const QVariant& value) {
    columns_[size_t(column)]->setVariant(row, value);
}

int Table::appendRow() {
    for (auto& column : columns_) column->appendNull();
    return rowCount() - 1;
}

void Table::insertRow(int row) {
    for (auto& column : columns_) column->insertNull(row);
}

void Table::removeRow(int row) {
    for (auto& column : columns_) column->remove(row);
}

void Table::addColumn(std::unique_ptr<Column> column) { columns_.push_back(std::move(column)); }

void Table::squeeze() {
    for (auto& column : columns_) column->squeeze();
}

}  // namespace pg
