#pragma once
// One column of a DataSource reduced to a small id per row and a table of
// its distinct values, so filters judge each value once and sorts compare
// small ranks instead of texts or doubles.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

#include "datasource.h"

namespace grid {

class ColumnIndex {
  public:
    ColumnIndex(const DataSource& source, int column);

    FieldType type() const { return type_; }
    // Id of a row's value: 0 for NULL, otherwise 1..idCount()-1.
    std::uint32_t idOfRow(int row) const { return idOfRow_[size_t(row)]; }
    std::uint32_t idCount() const { return idCount_; }
    // Ids that some row holds (a dictionary may keep texts no row uses).
    bool isUsed(std::uint32_t id) const { return used_.empty() || used_[id] != 0; }

    const QString& text(std::uint32_t id) const { return texts_[id]; }
    double number(std::uint32_t id) const;  // Float and Integer
    qint64 integer(std::uint32_t id) const { return integers_[id]; }
    // The id's case-folded text, built on first use.
    std::u32string_view folded(std::uint32_t id);

    // Rank of each id in ascending order of the values (texts by the
    // locale's collation), 0 for NULL, equal values sharing a rank; ranks
    // are below rankCount().
    const std::vector<std::uint32_t>& rankOfIds(const QLocale& locale);
    std::uint32_t rankCount() const { return rankCount_; }

  private:
    void buildTexts(const DataSource& source, int column);
    void buildFromDictionary(const DataSource& source, int column);
    void buildKeyed(const DataSource& source, int column);
    void rankTexts(const QLocale& locale);
    void foldTexts();

    FieldType type_;
    std::vector<std::uint32_t> idOfRow_;
    std::uint32_t idCount_ = 1;
    std::vector<std::uint8_t> used_;
    std::vector<QString> texts_;
    std::vector<double> numbers_;
    std::vector<qint64> integers_;
    std::vector<std::uint32_t> rankOfId_;
    std::uint32_t rankCount_ = 0;
    std::u32string foldedChars_;
    std::vector<std::uint32_t> foldedStart_;
};

}  // namespace grid
