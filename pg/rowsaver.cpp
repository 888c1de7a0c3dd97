#include "rowsaver.h"

#include "db_error.h"

namespace pg {
namespace {

QByteArray placeholder(ParamValues& params, std::optional<QByteArray> value) {
    params.push_back(std::move(value));
    return '$' + QByteArray::number(params.size());
}

QByteArray joined(const std::vector<QByteArray>& parts, const char* separator) {
    QByteArray text;
    for (const QByteArray& part : parts) {
        if (!text.isEmpty()) text += separator;
        text += part;
    }
    return text;
}

}  // namespace

TableInfo lookUpTable(Connection& connection, const QString& table) {
    static const QByteArray sql =
        "select c.oid, c.oid::regclass::text, a.attnum, quote_ident(a.attname),"
        "       coalesce(a.attnum = any(i.indkey), false)"
        "  from pg_class c"
        "  join pg_attribute a on a.attrelid = c.oid and a.attnum > 0 and not a.attisdropped"
        "  left join pg_index i on i.indrelid = c.oid and i.indisprimary"
        " where c.oid = $1::regclass"
        " order by a.attnum";
    const Result result = execute(connection, sql, {table.toUtf8()});
    TableInfo info;
    for (int row = 0; row < resultRowCount(result.get()); ++row) {
        info.oid = resultText(result.get(), row, 0).toUInt();
        info.sqlName = resultText(result.get(), row, 1);
        const int attnum = resultText(result.get(), row, 2).toInt();
        info.columns[attnum] = resultText(result.get(), row, 3);
        if (resultText(result.get(), row, 4) == "t") info.primaryKey.push_back(attnum);
    }
    return info;
}

RowSaver::RowSaver(QString queryName, QByteArray table, std::vector<SavedColumn> columns,
                   bool byCtid)
    : queryName_(std::move(queryName)),
      table_(std::move(table)),
      columns_(std::move(columns)),
      byCtid_(byCtid) {}

QByteArray RowSaver::returningList() const {
    std::vector<QByteArray> names;
    for (const SavedColumn& column : columns_) names.push_back(column.sqlName);
    if (byCtid_) names.push_back("ctid");
    return names.empty() ? QByteArray("1") : joined(names, ", ");
}

Comparison comparisonFor(FieldKind kind, unsigned int typeOid) {
    constexpr unsigned int jsonOid = 114, numericOid = 1700;
    if (typeOid == numericOid) return Comparison::AsDouble;
    if (typeOid == jsonOid || kind == FieldKind::Memo) return Comparison::AsText;
    return Comparison::Typed;
}

// A double precision or real value's shortest text parses back to the value
// the column holds; a numeric one is held as its nearest double, which the
// server's own conversion of the column gives as well.
QByteArray RowSaver::whereRowIs(const RowImage& before, ParamValues& params) const {
    std::vector<QByteArray> conditions;
    if (byCtid_) conditions.push_back("ctid = " + placeholder(params, before.ctid));
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const SavedColumn& column = columns_[i];
        const auto& value = before.values[i];
        if (!value) {
            conditions.push_back(column.sqlName + " is null");
            continue;
        }
        const QByteArray param = placeholder(params, value);
        switch (column.comparison) {
            case Comparison::Typed:
                conditions.push_back(column.sqlName + " = " + param);
                break;
            case Comparison::AsDouble:
                conditions.push_back(column.sqlName + "::float8 = " + param + "::float8");
                break;
            case Comparison::AsText:
                conditions.push_back(column.sqlName + "::text = " + param + "::text");
                break;
        }
    }
    return conditions.empty() ? QByteArray("true") : joined(conditions, " and ");
}

void RowSaver::refuse(const char* what) const {
    throw DbError(
        QStringLiteral("%1: the row was changed or deleted by another user; it was not %2")
            .arg(queryName_, QLatin1String(what)));
}

Result RowSaver::update(Connection& connection, const RowImage& before,
                        const RowImage& after) const {
    ParamValues params;
    std::vector<QByteArray> assignments;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].writable && after.values[i] != before.values[i])
            assignments.push_back(columns_[i].sqlName + " = " +
                                  placeholder(params, after.values[i]));
    if (assignments.empty()) return nullptr;
    const QByteArray sql = "update " + table_ + " set " + joined(assignments, ", ") + " where " +
                           whereRowIs(before, params) + " returning " + returningList();
    Result result = execute(connection, sql, params);
    if (resultRowCount(result.get()) != 1) refuse("saved");
    return result;
}

Result RowSaver::insert(Connection& connection, const RowImage& row,
                        const std::vector<bool>& assigned) const {
    ParamValues params;
    std::vector<QByteArray> names, values;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (!assigned[i]) continue;  // left to the column's default
        names.push_back(columns_[i].sqlName);
        values.push_back(placeholder(params, row.values[i]));
    }
    const QByteArray target =
        names.empty() ? " default values"
                      : " (" + joined(names, ", ") + ") values (" + joined(values, ", ") + ")";
    const QByteArray sql = "insert into " + table_ + target + " returning " + returningList();
    Result result = execute(connection, sql, params);
    if (resultRowCount(result.get()) != 1) refuse("saved");
    return result;
}

void RowSaver::remove(Connection& connection, const RowImage& before) const {
    ParamValues params;
    const QByteArray sql =
        "delete from " + table_ + " where " + whereRowIs(before, params) + " returning 1";
    const Result result = execute(connection, sql, params);
    if (resultRowCount(result.get()) != 1) refuse("deleted");
}

}  // namespace pg
