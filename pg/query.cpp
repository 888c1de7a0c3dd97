#include "query.h"

#include <algorithm>

#include "db_error.h"
#include "fetch.h"
#include "rowsaver.h"
#include "sqltext.h"

namespace pg {
namespace {

// The name under which an updatable query on a table without a primary key
// reads each row's ctid beside its own columns; it never reaches the Table.
const QString kCtidColumn = QStringLiteral("wt_row_ctid");

// Runs the text with the row's ctid in front of its own columns:
// "select * from t" becomes "select ctid as wt_row_ctid, * from t".
QByteArray withRowCtid(const QString& queryName, const QByteArray& sql) {
    const QByteArray trimmed = sql.trimmed();
    const qsizetype start = sql.indexOf(trimmed.left(1));
    const bool startsWithSelect = trimmed.left(6).toLower() == "select" && trimmed.size() > 6 &&
                                  QByteArray(" \t\r\n").contains(trimmed[6]);
    if (!startsWithSelect)
        throw DbError(QStringLiteral("%1: a query that saves to a table without a primary key "
                                     "must begin with select")
                          .arg(queryName));
    return sql.left(start + 6) + " ctid as " + kCtidColumn.toUtf8() + "," + sql.mid(start + 6);
}

}  // namespace

struct Query::Private {
    PlaceholderText sql;
    std::optional<RowSaver> saver;  // updatable queries, while open
    std::unique_ptr<Column> ctids;  // rows' ctids, when the saver goes by them
    RowImage before;                // the row as read, while it is edited
    std::vector<bool> assigned;     // saved columns given a value in the pending edit
};

Query::Query(QString name, Connection& connection, QStringList lines, FieldDefs declared,
             QueryOptions options, QObject* parent)
    : QObject(parent),
      name_(std::move(name)),
      connection_(connection),
      lines_(std::move(lines)),
      declared_(std::move(declared)),
      options_(std::move(options)),
      d_(std::make_unique<Private>()) {
    d_->sql = numberPlaceholders(text());
}

Query::~Query() = default;

void Query::setParam(const QString& name, const QString& value) {
    if (!d_->sql.names.contains(name, Qt::CaseInsensitive))
        throw DbError(QStringLiteral("%1: Parameter '%2' not found").arg(name_, name));
    params_[name.toLower()] = value;
}

namespace {

// libpq would end the text silently at a NUL character. what: "parameter
// 'x'" or "field 'y'".
void refuseNul(const QString& text, const QString& queryName, const QString& what) {
    if (text.contains(QChar(0)))
        throw DbError(QStringLiteral("%1: the value of %2 contains a NUL character, which a query "
                                     "cannot carry")
                          .arg(queryName, what));
}

ParamValues paramValues(const QString& queryName, const QStringList& names,
                        const std::map<QString, QString>& given) {
    ParamValues values;
    for (const QString& name : names) {
        const auto found = given.find(name.toLower());
        if (found == given.end())
            throw DbError(
                QStringLiteral("%1: no value given for parameter '%2'").arg(queryName, name));
        refuseNul(found->second, queryName, QStringLiteral("parameter '%1'").arg(name));
        values.push_back(found->second.toUtf8());
    }
    return values;
}

}  // namespace

// The rows as the database returns them now, with what saving them needs.
struct Query::Fetched {
    Table table;
    std::optional<RowSaver> saver;
    std::unique_ptr<Column> ctids;
};

Query::Fetched Query::fetch() {
    const ParamValues params = paramValues(name_, d_->sql.names, params_);
    std::optional<TableInfo> info;
    if (options_.updatable) info = lookUpTable(connection_, options_.table);
    const bool byCtid = info && !primaryKeyIsRead(*info);
    TableBuilder builder(name_, declared_, byCtid ? kCtidColumn : QString());
    fetchInto(connection_, byCtid ? withRowCtid(name_, d_->sql.sql) : d_->sql.sql, params, true,
              builder);
    Fetched fetched{builder.takeTable(), std::nullopt, builder.takeHidden()};
    if (info) fetched.saver = makeSaver(*info, builder.sources(), fetched.table, byCtid);
    return fetched;
}

// Without declarations a query takes every column, the key among them.
bool Query::primaryKeyIsRead(const TableInfo& info) const {
    if (info.primaryKey.empty()) return false;
    if (declared_.empty()) return true;
    return std::all_of(info.primaryKey.begin(), info.primaryKey.end(), [&](int attnum) {
        const QByteArray name = info.columns.at(attnum);
        return std::any_of(declared_.begin(), declared_.end(), [&](const FieldDef& def) {
            return def.name.toUtf8() == name || '"' + def.name.toUtf8() + '"' == name;
        });
    });
}

RowSaver Query::makeSaver(const TableInfo& info, const std::vector<ColumnSource>& sources,
                          const Table& table, bool byCtid) const {
    std::vector<SavedColumn> saved;
    for (int i = 0; i < table.columnCount(); ++i) {
        const ColumnSource& source = sources[size_t(i)];
        if (source.tableOid != info.oid || !info.columns.count(source.tableColumn)) continue;
        const FieldDef* def = declaration(table.column(i).name());
        const bool inKey =
            std::count(info.primaryKey.begin(), info.primaryKey.end(), source.tableColumn) > 0;
        saved.push_back({i, info.columns.at(source.tableColumn), !(def && def->readOnly),
                         comparisonFor(table.column(i).kind(), source.typeOid), inKey});
    }
    return RowSaver(name_, info.sqlName, std::move(saved), byCtid);
}

const FieldDef* Query::declaration(const QString& column) const {
    for (const FieldDef& def : declared_)
        if (def.name.compare(column, Qt::CaseInsensitive) == 0) return &def;
    return nullptr;
}

void Query::adopt(Fetched fetched) {
    table_ = std::move(fetched.table);
    d_->saver = std::move(fetched.saver);
    d_->ctids = std::move(fetched.ctids);
}

void Query::open() {
    if (isOpen()) return;
    adopt(fetch());
    current_ = table_.rowCount() > 0 ? 0 : -1;
    modified_ = false;
    setState(RowState::Browse);
    emit opened();
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::close() {
    if (!isOpen()) return;
    adopt(Fetched{});
    current_ = -1;
    modified_ = false;
    setState(RowState::Inactive);
    emit closed();
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::refresh() {
    if (!isOpen()) return open();
    settle();
    const int row = current_;
    const QList<QByteArray> key = rowKey(row);
    adopt(fetch());
    current_ = findRow(key, row);
    emit rowsChanged();
    emit currentRowChanged(current_);
}

// What finds the same row again after a re-read: its primary key or its
// ctid; a read-only query keeps the row's position instead.
QList<QByteArray> Query::rowKey(int row) const {
    QList<QByteArray> key;
    if (row < 0 || !d_->saver) return key;
    if (d_->saver->byCtid()) return {d_->ctids->serverText(row)};
    for (const SavedColumn& column : d_->saver->columns())
        if (column.inPrimaryKey) key.append(table_.column(column.tableColumn).serverText(row));
    return key;
}

int Query::findRow(const QList<QByteArray>& key, int formerRow) const {
    for (int row = 0; !key.isEmpty() && row < table_.rowCount(); ++row)
        if (rowKey(row) == key) return row;
    if (table_.rowCount() == 0) return -1;
    return std::clamp(formerRow, 0, table_.rowCount() - 1);
}

int Query::rowCount() const { return table_.rowCount(); }

void Query::setCurrentRow(int row) {
    row = std::clamp(row, table_.rowCount() > 0 ? 0 : -1, table_.rowCount() - 1);
    if (row == current_) return;
    settle();
    current_ = row;
    emit currentRowChanged(current_);
}

int Query::columnIndex(const QString& column) const {
    const int index = table_.indexOf(column);
    if (index < 0) throw DbError(QStringLiteral("%1: Field '%2' not found").arg(name_, column));
    return index;
}

QVariant Query::value(const QString& column) const {
    const int index = columnIndex(column);
    return current_ < 0 ? QVariant() : table_.column(index).value(current_);
}

QString Query::asText(const QString& column) const {
    const int index = columnIndex(column);
    return current_ < 0 ? QString() : table_.column(index).asText(current_);
}

qint64 Query::asInteger(const QString& column) const {
    const int index = columnIndex(column);
    return current_ < 0 ? 0 : table_.column(index).asInteger(current_);
}

double Query::asFloat(const QString& column) const {
    const int index = columnIndex(column);
    return current_ < 0 ? 0 : table_.column(index).asFloat(current_);
}

QDate Query::asDate(const QString& column) const {
    const int index = columnIndex(column);
    const Column& c = table_.column(index);
    return current_ < 0 || c.isNull(current_) ? QDate()
                                              : QDate::fromJulianDay(c.asJulianDay(current_));
}

bool Query::isNull(const QString& column) const {
    const int index = columnIndex(column);
    return current_ < 0 || table_.column(index).isNull(current_);
}

// --- editing -------------------------------------------------------------

void Query::requireEditable() const {
    if (!options_.updatable)
        throw DbError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name_));
    if (!isOpen())
        throw DbError(
            QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(name_));
}

RowImage Query::imageOf(int row) const {
    RowImage image;
    for (const SavedColumn& column : d_->saver->columns()) {
        const Column& c = table_.column(column.tableColumn);
        image.values.push_back(c.isNull(row) ? std::nullopt : std::optional(c.serverText(row)));
    }
    if (d_->saver->byCtid() && row < d_->ctids->rowCount()) image.ctid = d_->ctids->serverText(row);
    return image;
}

void Query::beginPending(RowState state) {
    d_->assigned.assign(d_->saver->columns().size(), false);
    modified_ = false;
    setState(state);
}

void Query::edit() {
    requireEditable();
    if (state_ != RowState::Browse) return;
    if (current_ < 0) return append();  // nothing to edit: a new row instead
    d_->before = imageOf(current_);
    beginPending(RowState::Edit);
}

void Query::insert() {
    requireEditable();
    settle();
    startNewRow(std::max(current_, 0));
}

void Query::append() {
    requireEditable();
    settle();
    startNewRow(table_.rowCount());
}

void Query::startNewRow(int row) {
    table_.insertRow(row);
    if (d_->ctids) d_->ctids->insertNull(row);
    current_ = row;
    beginPending(RowState::Insert);
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::setValue(const QString& column, const QVariant& value) {
    requireEditable();
    const int index = columnIndex(column);
    const auto saved = std::find_if(d_->saver->columns().begin(), d_->saver->columns().end(),
                                    [&](const SavedColumn& c) { return c.tableColumn == index; });
    if (saved == d_->saver->columns().end() || !saved->writable)
        throw DbError(
            QStringLiteral("Field '%1' cannot be modified").arg(table_.column(index).name()));
    if (value.typeId() == QMetaType::QString)
        refuseNul(value.toString(), name_,
                  QStringLiteral("field '%1'").arg(table_.column(index).name()));
    edit();
    table_.setValue(current_, index, value);
    d_->assigned[size_t(saved - d_->saver->columns().begin())] = true;
    modified_ = true;
    emit rowChanged(current_);
}

void Query::checkRequired() const {
    for (const FieldDef& def : declared_) {
        if (!def.required) continue;
        const Column& c = table_.column(columnIndex(def.name));
        if (c.isNull(current_) ||
            (c.storage() == Storage::Text && c.serverText(current_).isEmpty()))
            throw DbError(QStringLiteral("Field '%1' must have a value").arg(def.name));
    }
}

void Query::post() {
    if (state_ != RowState::Edit && state_ != RowState::Insert) return;
    checkRequired();
    const RowImage after = imageOf(current_);
    const Result saved = state_ == RowState::Edit
                             ? d_->saver->update(connection_, d_->before, after)
                             : d_->saver->insert(connection_, after, d_->assigned);
    if (saved) takeSavedRow(saved.get());
    modified_ = false;
    setState(RowState::Browse);
    emit rowChanged(current_);
}

// The row as the database now holds it, defaults and triggers included.
void Query::takeSavedRow(const pg_result* saved) {
    const auto& columns = d_->saver->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Column& c = table_.mutableColumn(columns[i].tableColumn);
        if (resultIsNull(saved, 0, int(i))) {
            c.setNull(current_);
        } else {
            const QByteArray text = resultText(saved, 0, int(i));
            c.setRaw(current_, text.constData(), int(text.size()));
        }
    }
    if (d_->saver->byCtid()) {
        const QByteArray ctid = resultText(saved, 0, int(columns.size()));
        d_->ctids->setRaw(current_, ctid.constData(), int(ctid.size()));
    }
}

void Query::cancel() {
    if (state_ == RowState::Insert) {
        removeRow(current_);
    } else if (state_ == RowState::Edit) {
        restore(d_->before);
        emit rowChanged(current_);
    } else {
        return;
    }
    modified_ = false;
    setState(RowState::Browse);
}

void Query::restore(const RowImage& image) {
    const auto& columns = d_->saver->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Column& c = table_.mutableColumn(columns[i].tableColumn);
        if (image.values[i])
            c.setRaw(current_, image.values[i]->constData(), int(image.values[i]->size()));
        else
            c.setNull(current_);
    }
}

void Query::removeRow(int row) {
    table_.removeRow(row);
    if (d_->ctids) d_->ctids->remove(row);
    current_ = std::min(current_, table_.rowCount() - 1);
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void Query::deleteCurrent() {
    requireEditable();
    if (state_ == RowState::Insert) return cancel();
    if (current_ < 0) return;
    cancel();
    d_->saver->remove(connection_, imageOf(current_));
    removeRow(current_);
}

void Query::settle() {
    if (state_ != RowState::Edit && state_ != RowState::Insert) return;
    modified_ ? post() : cancel();
}

void Query::setState(RowState state) {
    if (state == state_) return;
    state_ = state;
    emit stateChanged(state_);
}

}  // namespace pg
