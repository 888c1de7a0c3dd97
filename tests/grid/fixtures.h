#pragma once
// Small in-memory result sets for the grid's tests.
#include <QDate>
#include <QLocale>
#include <memory>
#include <ostream>
#include <vector>

#include "grid/gridmodel.h"
#include "grid/memorysource.h"

// Readable values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* os) {
    if (value.isNull())
        *os << "null";
    else
        *os << value.typeName() << ' ' << value.toString().toStdString();
}

namespace gridtest {

// The same rows without a text dictionary: the grid builds its own.
class UndictionariedSource : public grid::MemorySource {
  public:
    using MemorySource::MemorySource;
    bool hasTextIds(int) const override { return false; }
};

// Columns: partner (text), data_doc (date), val (float), zile (integer),
// moneda (text), achitat (yes/no).
enum Column { Partner, DocDate, Value, Days, Currency, Paid };

std::vector<grid::MemoryColumn> documentColumns();
std::vector<grid::ColumnDef> documentGridColumns();
void addDocuments(grid::MemorySource& source, const std::vector<std::vector<QVariant>>& rows);

// A model over a source with the document columns, in the en_US locale.
struct DocumentGrid {
    explicit DocumentGrid(const std::vector<std::vector<QVariant>>& rows, bool dictionary = true);
    std::unique_ptr<grid::MemorySource> source;
    std::unique_ptr<grid::GridModel> model;
};

// Source rows of the listed data rows, top to bottom.
std::vector<int> listedDataRows(const grid::GridModel& model);
// One line per listed row: "G0 Partner : ABC", "D1 3", "F0" ...
std::vector<std::string> listing(const grid::GridModel& model);

QLocale usLocale();
QVariant day(int year, int month, int dayOfMonth);

}  // namespace gridtest
