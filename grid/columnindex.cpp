#include "columnindex.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>

#include "textmatch.h"

namespace grid {

namespace {

constexpr std::uint64_t signBit = std::uint64_t(1) << 63;

// Maps a double to an unsigned key in the same order; -0 equals 0 and every
// NaN is one value, sorted after infinity.
std::uint64_t orderedKey(double value) {
    if (std::isnan(value)) value = std::numeric_limits<double>::quiet_NaN();
    const auto bits = std::bit_cast<std::uint64_t>(value + 0.0);
    return (bits & signBit) ? ~bits : bits | signBit;
}

std::uint64_t orderedKey(qint64 value) { return std::uint64_t(value) ^ signBit; }

qint64 integerOf(const DataSource& source, int row, int column) {
    switch (source.columnType(column)) {
        case FieldType::Date:
            return source.julianDay(row, column);
        case FieldType::DateTime:
            return source.msecs(row, column);
        case FieldType::Boolean:
            return source.boolean(row, column) ? 1 : 0;
        default:
            return source.integer(row, column);
    }
}

}  // namespace

ColumnIndex::ColumnIndex(const DataSource& source, int column) : type_(source.columnType(column)) {
    if (type_ != FieldType::Text)
        buildKeyed(source, column);
    else if (source.hasTextIds(column))
        buildFromDictionary(source, column);
    else
        buildTexts(source, column);
}

void ColumnIndex::buildFromDictionary(const DataSource& source, int column) {
    idCount_ = std::max<std::uint32_t>(1, source.textIdCount(column));
    texts_.resize(idCount_);
    for (std::uint32_t id = 1; id < idCount_; ++id) texts_[id] = source.textOfId(column, id);
    used_.assign(idCount_, 0);
    const int rows = source.rowCount();
    idOfRow_.resize(size_t(rows));
    for (int row = 0; row < rows; ++row) {
        const std::uint32_t id = source.textId(row, column);
        idOfRow_[size_t(row)] = id;
        used_[id] = 1;
    }
}

void ColumnIndex::buildTexts(const DataSource& source, int column) {
    QHash<QString, std::uint32_t> idOfText;
    texts_.assign(1, QString());
    const int rows = source.rowCount();
    idOfRow_.resize(size_t(rows));
    for (int row = 0; row < rows; ++row) {
        if (source.isNull(row, column)) {
            idOfRow_[size_t(row)] = 0;
            continue;
        }
        const QString text = source.text(row, column);
        auto found = idOfText.constFind(text);
        if (found == idOfText.constEnd()) {
            found = idOfText.insert(text, std::uint32_t(texts_.size()));
            texts_.push_back(text);
        }
        idOfRow_[size_t(row)] = *found;
    }
    idCount_ = std::uint32_t(texts_.size());
}

// Non-text values get ids in ascending order of value, so an id is its rank.
void ColumnIndex::buildKeyed(const DataSource& source, int column) {
    struct Entry {
        std::uint64_t key;
        int row;
    };
    const int rows = source.rowCount();
    const bool isFloat = type_ == FieldType::Float;
    std::vector<Entry> entries;
    entries.reserve(size_t(rows));
    idOfRow_.assign(size_t(rows), 0);
    for (int row = 0; row < rows; ++row) {
        if (source.isNull(row, column)) continue;
        entries.push_back({isFloat ? orderedKey(source.number(row, column))
                                   : orderedKey(integerOf(source, row, column)),
                           row});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
    numbers_.assign(1, 0.0);
    integers_.assign(1, 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || entries[i].key != entries[i - 1].key) {
            if (isFloat)
                numbers_.push_back(source.number(entries[i].row, column));
            else
                integers_.push_back(integerOf(source, entries[i].row, column));
        }
        idOfRow_[size_t(entries[i].row)] =
            std::uint32_t(isFloat ? numbers_.size() - 1 : integers_.size() - 1);
    }
    idCount_ = std::uint32_t(isFloat ? numbers_.size() : integers_.size());
    rankOfId_.resize(idCount_);
    std::iota(rankOfId_.begin(), rankOfId_.end(), 0u);
    rankCount_ = idCount_;
}

double ColumnIndex::number(std::uint32_t id) const {
    return type_ == FieldType::Float ? numbers_[id] : double(integers_[id]);
}

const std::vector<std::uint32_t>& ColumnIndex::rankOfIds(const QLocale& locale) {
    if (rankOfId_.empty()) rankTexts(locale);
    return rankOfId_;
}

// Collation keys are made once per distinct text; equal collation keys of
// different texts are ordered by the texts themselves, so only equal texts
// share a rank and each rank is one group.
void ColumnIndex::rankTexts(const QLocale& locale) {
    QCollator collator(locale);
    std::vector<std::uint32_t> ids;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(idCount_);
    for (std::uint32_t id = 0; id < idCount_; ++id) {
        keys.push_back(collator.sortKey(texts_[id]));
        if (id != 0 && isUsed(id)) ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int order = keys[a].compare(keys[b]);
        return order != 0 ? order < 0 : texts_[a] < texts_[b];
    });
    rankOfId_.assign(idCount_, 0);
    std::uint32_t rank = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i == 0 || texts_[ids[i]] != texts_[ids[i - 1]]) ++rank;
        rankOfId_[ids[i]] = rank;
    }
    rankCount_ = rank + 1;
}

std::u32string_view ColumnIndex::folded(std::uint32_t id) {
    if (foldedStart_.empty()) foldTexts();
    return {foldedChars_.data() + foldedStart_[id], foldedStart_[id + 1] - foldedStart_[id]};
}

// One flat buffer for all folded texts: no allocation per distinct text.
void ColumnIndex::foldTexts() {
    foldedStart_.reserve(size_t(idCount_) + 1);
    foldedStart_.push_back(0);
    for (std::uint32_t id = 0; id < idCount_; ++id) {
        if (isUsed(id)) appendFolded(texts_[id], foldedChars_);
        foldedStart_.push_back(std::uint32_t(foldedChars_.size()));
    }
}

}  // namespace grid
