#include "memorysource.h"

#include <QDate>
#include <QDateTime>

#include "core/errors.h"

namespace grid {

// Texts keep a dictionary (id 0 is NULL); every other type keeps an int64 or
// a double per row plus a null flag.
struct MemorySource::Store {
    std::vector<std::uint32_t> ids;
    std::vector<QString> texts{QString()};
    QHash<QString, std::uint32_t> idOfText;
    std::vector<qint64> integers;
    std::vector<double> numbers;
    std::vector<bool> nulls;

    std::uint32_t idOf(const QString& text) {
        auto found = idOfText.constFind(text);
        if (found != idOfText.constEnd()) return *found;
        const auto id = std::uint32_t(texts.size());
        texts.push_back(text);
        idOfText.insert(text, id);
        return id;
    }
};

namespace {

qint64 integerOf(FieldType type, const QVariant& value) {
    switch (type) {
        case FieldType::Date:
            return value.toDate().toJulianDay();
        case FieldType::DateTime:
            return value.toDateTime().toMSecsSinceEpoch();
        case FieldType::Boolean:
            return value.toBool() ? 1 : 0;
        default:
            return value.toLongLong();
    }
}

}  // namespace

MemorySource::MemorySource(std::vector<MemoryColumn> columns, QObject* parent)
    : DataSource(parent), columns_(std::move(columns)), stores_(columns_.size()) {}

MemorySource::~MemorySource() = default;

void MemorySource::reserve(int rows) {
    for (size_t c = 0; c < columns_.size(); ++c) {
        Store& s = stores_[c];
        if (columns_[c].type == FieldType::Text) {
            s.ids.reserve(size_t(rows));
        } else if (columns_[c].type == FieldType::Float) {
            s.numbers.reserve(size_t(rows));
            s.nulls.reserve(size_t(rows));
        } else {
            s.integers.reserve(size_t(rows));
            s.nulls.reserve(size_t(rows));
        }
    }
}

void MemorySource::addRow(const std::vector<QVariant>& values) {
    insertNullRow(rows_);
    for (int c = 0; c < columnCount() && c < int(values.size()); ++c)
        store(rows_ - 1, c, values[size_t(c)]);
}

void MemorySource::clear() {
    stores_.assign(columns_.size(), Store());
    rows_ = 0;
    setState(EditState::Browse, -1);
}

void MemorySource::insertNullRow(int row) {
    for (size_t c = 0; c < columns_.size(); ++c) {
        Store& s = stores_[c];
        if (columns_[c].type == FieldType::Text) {
            s.ids.insert(s.ids.begin() + row, 0);
            continue;
        }
        if (columns_[c].type == FieldType::Float)
            s.numbers.insert(s.numbers.begin() + row, 0.0);
        else
            s.integers.insert(s.integers.begin() + row, 0);
        s.nulls.insert(s.nulls.begin() + row, true);
    }
    ++rows_;
}

void MemorySource::eraseRow(int row) {
    for (size_t c = 0; c < columns_.size(); ++c) {
        Store& s = stores_[c];
        if (columns_[c].type == FieldType::Text) {
            s.ids.erase(s.ids.begin() + row);
            continue;
        }
        if (columns_[c].type == FieldType::Float)
            s.numbers.erase(s.numbers.begin() + row);
        else
            s.integers.erase(s.integers.begin() + row);
        s.nulls.erase(s.nulls.begin() + row);
    }
    --rows_;
}

void MemorySource::store(int row, int column, const QVariant& value) {
    Store& s = stores_[size_t(column)];
    const FieldType type = columns_[size_t(column)].type;
    const bool null = !value.isValid() || value.isNull();
    if (type == FieldType::Text) {
        s.ids[size_t(row)] = null ? 0 : s.idOf(value.toString());
        return;
    }
    s.nulls[size_t(row)] = null;
    if (type == FieldType::Float)
        s.numbers[size_t(row)] = null ? 0.0 : value.toDouble();
    else
        s.integers[size_t(row)] = null ? 0 : integerOf(type, value);
}

QString MemorySource::columnName(int column) const { return columns_[size_t(column)].name; }
FieldType MemorySource::columnType(int column) const { return columns_[size_t(column)].type; }

bool MemorySource::isNull(int row, int column) const {
    const Store& s = stores_[size_t(column)];
    if (columns_[size_t(column)].type == FieldType::Text) return s.ids[size_t(row)] == 0;
    return s.nulls[size_t(row)];
}

double MemorySource::number(int row, int column) const {
    const Store& s = stores_[size_t(column)];
    if (columns_[size_t(column)].type == FieldType::Float) return s.numbers[size_t(row)];
    return double(s.integers[size_t(row)]);
}

qint64 MemorySource::integer(int row, int column) const {
    return stores_[size_t(column)].integers[size_t(row)];
}
qint64 MemorySource::julianDay(int row, int column) const { return integer(row, column); }
qint64 MemorySource::msecs(int row, int column) const { return integer(row, column); }
bool MemorySource::boolean(int row, int column) const { return integer(row, column) != 0; }

QString MemorySource::text(int row, int column) const {
    const Store& s = stores_[size_t(column)];
    return s.texts[s.ids[size_t(row)]];
}

bool MemorySource::hasTextIds(int column) const {
    return columns_[size_t(column)].type == FieldType::Text;
}
std::uint32_t MemorySource::textId(int row, int column) const {
    return stores_[size_t(column)].ids[size_t(row)];
}
std::uint32_t MemorySource::textIdCount(int column) const {
    return std::uint32_t(stores_[size_t(column)].texts.size());
}
QString MemorySource::textOfId(int column, std::uint32_t id) const {
    return stores_[size_t(column)].texts[id];
}

void MemorySource::requireWritable() const {
    if (readOnly_) throw wt::Error(QStringLiteral("Cannot modify a read-only dataset"));
}

void MemorySource::requireEditing() const {
    if (state_ == EditState::Browse)
        throw wt::Error(QStringLiteral("Dataset not in edit or insert mode"));
}

void MemorySource::setState(EditState state, int row) {
    if (state == state_ && row == editRow_) return;
    state_ = state;
    editRow_ = row;
    emit editStateChanged();
}

void MemorySource::edit(int row) {
    requireWritable();
    if (state_ != EditState::Browse) post();
    original_.clear();
    for (int c = 0; c < columnCount(); ++c) original_.push_back(value(row, c));
    setState(EditState::Edit, row);
}

void MemorySource::setValue(int column, const QVariant& value) {
    requireEditing();
    store(editRow_, column, value);
    emit rowChanged(editRow_);
}

void MemorySource::post() {
    if (state_ == EditState::Browse) return;
    for (int c = 0; c < columnCount(); ++c)
        if (columns_[size_t(c)].required && isNull(editRow_, c))
            throw wt::Error(QStringLiteral("Field '%1' must have a value").arg(columnName(c)));
    if (saveCheck_) saveCheck_(editRow_);
    setState(EditState::Browse, -1);
}

void MemorySource::cancel() {
    if (state_ == EditState::Browse) return;
    const int row = editRow_;
    if (state_ == EditState::Insert) {
        eraseRow(row);
        setState(EditState::Browse, -1);
        emit rowsReset();
        return;
    }
    for (int c = 0; c < columnCount(); ++c) store(row, c, original_[size_t(c)]);
    setState(EditState::Browse, -1);
    emit rowChanged(row);
}

void MemorySource::insert(int beforeRow) {
    requireWritable();
    if (state_ != EditState::Browse) post();
    const int row = std::clamp(beforeRow, 0, rows_);
    insertNullRow(row);
    setState(EditState::Insert, row);
    emit rowsReset();
}

void MemorySource::append() { insert(rows_); }

void MemorySource::remove(int row) {
    requireWritable();
    if (state_ == EditState::Insert && row == editRow_) return cancel();
    setState(EditState::Browse, -1);
    eraseRow(row);
    emit rowsReset();
}

void MemorySource::refresh() {
    cancel();
    if (reloader_) reloader_();
    emit rowsReset();
}

}  // namespace grid
