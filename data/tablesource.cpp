#include "tablesource.h"

#include "core/errors.h"

namespace {

grid::FieldType fieldTypeOf(pg::FieldKind kind) {
    switch (pg::storageOf(kind)) {
        case pg::Storage::Integer:
            return grid::FieldType::Integer;
        case pg::Storage::Float:
            return grid::FieldType::Float;
        case pg::Storage::Date:
            return grid::FieldType::Date;
        case pg::Storage::DateTime:
            return grid::FieldType::DateTime;
        case pg::Storage::Boolean:
            return grid::FieldType::Boolean;
        case pg::Storage::Text:
        case pg::Storage::Time:
            return grid::FieldType::Text;
    }
    return grid::FieldType::Text;
}

}  // namespace

TableSource::TableSource(pg::Query& query, Access access, QObject* parent)
    : grid::DataSource(parent), query_(query), access_(access) {
    for (const pg::FieldDef& def : query_.declared()) fields_.push_back({def.name, def.kind});
    rebind();
    const auto reset = [this] {
        rebind();
        emit rowsReset();
    };
    connect(&query_, &pg::Query::opened, this, reset);
    connect(&query_, &pg::Query::closed, this, reset);
    connect(&query_, &pg::Query::rowsChanged, this, reset);
    connect(&query_, &pg::Query::rowChanged, this, &TableSource::rowChanged);
    connect(&query_, &pg::Query::stateChanged, this, &TableSource::editStateChanged);
}

// A query that declares its columns shows them whether open or not, so a
// grid's columns stay bound across a close; otherwise the result's columns.
void TableSource::rebind() {
    const pg::Table& table = query_.table();
    if (query_.declared().empty()) {
        fields_.clear();
        for (int i = 0; i < table.columnCount(); ++i)
            fields_.push_back({table.column(i).name(), table.column(i).kind()});
    }
    tableIndex_.clear();
    for (const Field& field : fields_) tableIndex_.push_back(table.indexOf(field.name));
}

const pg::Column* TableSource::tableColumn(int column) const {
    const int index = tableIndex_[size_t(column)];
    return index < 0 ? nullptr : &query_.table().column(index);
}

int TableSource::rowCount() const { return query_.isOpen() ? query_.rowCount() : 0; }
int TableSource::columnCount() const { return int(fields_.size()); }
QString TableSource::columnName(int column) const { return fields_[size_t(column)].name; }

grid::FieldType TableSource::columnType(int column) const {
    return fieldTypeOf(fields_[size_t(column)].kind);
}

bool TableSource::isNull(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return !c || c->isNull(row);
}

double TableSource::number(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return c ? c->asFloat(row) : 0;
}

qint64 TableSource::integer(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return c ? c->asInteger(row) : 0;
}

qint64 TableSource::julianDay(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return c ? c->asJulianDay(row) : 0;
}

qint64 TableSource::msecs(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return c ? c->asMSecs(row) : 0;
}

bool TableSource::boolean(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return c && c->asBoolean(row);
}

QString TableSource::text(int row, int column) const {
    const pg::Column* c = tableColumn(column);
    return c ? c->asText(row) : QString();
}

bool TableSource::hasTextIds(int column) const {
    const pg::Column* c = tableColumn(column);
    return c && c->storage() == pg::Storage::Text;
}

std::uint32_t TableSource::textId(int row, int column) const {
    return tableColumn(column)->textId(row);
}

std::uint32_t TableSource::textIdCount(int column) const {
    return tableColumn(column)->textIdCount();
}

QString TableSource::textOfId(int column, std::uint32_t id) const {
    return tableColumn(column)->textOfId(id);
}

grid::EditState TableSource::editState() const {
    switch (query_.state()) {
        case pg::RowState::Edit:
            return grid::EditState::Edit;
        case pg::RowState::Insert:
            return grid::EditState::Insert;
        default:
            return grid::EditState::Browse;
    }
}

int TableSource::editRow() const {
    return editState() == grid::EditState::Browse ? -1 : query_.currentRow();
}

void TableSource::requireEditable() const {
    if (isReadOnly()) throw wt::Error(QStringLiteral("Cannot modify a read-only dataset"));
}

void TableSource::edit(int row) {
    requireEditable();
    query_.setCurrentRow(row);
    query_.edit();
}

void TableSource::setValue(int column, const QVariant& value) {
    requireEditable();
    query_.setValue(fields_[size_t(column)].name, value);
}

void TableSource::post() {
    if (editState() != grid::EditState::Browse) query_.post();
}

void TableSource::cancel() {
    if (editState() != grid::EditState::Browse) query_.cancel();
}

void TableSource::insert(int beforeRow) {
    requireEditable();
    if (beforeRow >= 0 && beforeRow < query_.rowCount()) query_.setCurrentRow(beforeRow);
    query_.insert();
}

void TableSource::append() {
    requireEditable();
    query_.append();
}

void TableSource::remove(int row) {
    requireEditable();
    query_.setCurrentRow(row);
    query_.deleteCurrent();
}

void TableSource::refresh() { query_.refresh(); }
