#include "xlsx/export.h"

#include <algorithm>
#include <array>
#include <vector>

#include "grid/gridmodel.h"
#include "grid/style.h"
#include "xlsx/paths.h"
#include "xlsx/replacingfile.h"
#include "xlsx/sheetlimits.h"
#include "xlsx/workbook.h"

namespace xlsx {
namespace {

using grid::FieldType;
using grid::RowKind;
using grid::StyleElement;

// The spreadsheet folds at most seven outline levels.
constexpr int deepestOutlineLevel = 7;
// The grid's sum display ",0.00;-,0.00" as a number format.
const QString sumFormat = QStringLiteral("#,##0.00;-#,##0.00");

// Two decimals for amounts, up to four for rates, as one format per type.
QString numberFormatFor(FieldType type) {
    switch (type) {
        case FieldType::Integer:
            return QStringLiteral("0");
        case FieldType::Float:
            return QStringLiteral("#,##0.00##");
        case FieldType::Date:
            return QStringLiteral("dd.mm.yyyy");
        case FieldType::DateTime:
            return QStringLiteral("dd.mm.yyyy hh:mm:ss");
        case FieldType::Text:
        case FieldType::Boolean:
            break;
    }
    return {};
}

// Sizes are given in points in a workbook; a design height of -11 pixels at
// 96 dpi is the 8 points the form designer shows.
double fontPoints(const QFont& font) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return qRound(font.pixelSize() * 72.0 / 96.0);
}

CellLook cellLook(const grid::Look& look, const QString& numberFormat = {}) {
    return CellLook{look.background,       look.text,        look.font.family(),
                    fontPoints(look.font), look.font.bold(), numberFormat};
}

// The rows of the sheet: the header, the listed rows, the footer.
qint64 sheetRowCount(const grid::GridModel& model) { return qint64(model.rowCount()) + 2; }

class SheetWriter {
  public:
    SheetWriter(grid::GridModel& model, const grid::StyleSheet& sheet, const QFont& gridFont,
                Workbook& book)
        : model_(model),
          sheet_(sheet),
          gridFont_(gridFont),
          book_(book),
          columns_(model.visibleColumns()),
          group_(format(StyleElement::Group)),
          footer_(format(StyleElement::Footer)),
          sum_(format(StyleElement::Footer, sumFormat)) {}

    void write() {
        writeColumnWidths();
        writeHeader();
        for (int listed = 0; listed < model_.rowCount(); ++listed) writeListedRow(listed);
        writeFooter(model_.rowCount() + 1);
    }

  private:
    grid::Look look(StyleElement element) const {
        return grid::compose(&sheet_, element, gridFont_);
    }

    CellFormat format(StyleElement element, const QString& numberFormat = {}) {
        return book_.format(cellLook(look(element), numberFormat));
    }

    void writeColumnWidths() {
        for (int i = 0; i < int(columns_.size()); ++i) {
            book_.setColumnWidth(i, model_.columnDef(columns_[i]).width);
        }
        book_.freezeRows(1);
        book_.foldBelowGroupRows();
    }

    void writeHeader() {
        const CellFormat header = format(StyleElement::Header);
        book_.startRow(0, 0);
        for (int i = 0; i < int(columns_.size()); ++i) {
            book_.writeText(0, i, model_.columnDef(columns_[i]).caption, header);
        }
    }

    void writeListedRow(int listed) {
        const grid::ListedRow& row = model_.row(listed);
        const int sheetRow = listed + 1;
        book_.startRow(sheetRow, std::min(row.level, deepestOutlineLevel));
        switch (row.kind) {
            case RowKind::Data:
                return writeDataRow(sheetRow, listed, row.position);
            case RowKind::Group:
                return writeGroupRow(sheetRow, listed);
            case RowKind::GroupFooter:
                return writeSums(sheetRow,
                                 [&](int column) { return model_.groupSum(listed, column); });
        }
    }

    void writeDataRow(int sheetRow, int listed, int position) {
        const std::vector<CellFormat>& formats =
            dataFormats(grid::contentElement(&sheet_, position));
        for (int i = 0; i < int(columns_.size()); ++i) {
            writeValue(sheetRow, i, model_.cellValue(listed, columns_[i]), formats[i]);
        }
    }

    // Per shown column, as data rows painted by the element wear them.
    const std::vector<CellFormat>& dataFormats(StyleElement element) {
        std::vector<CellFormat>& formats = dataFormats_[size_t(element)];
        if (formats.empty()) {
            for (int column : columns_) {
                formats.push_back(format(element, numberFormatFor(model_.columnType(column))));
            }
        }
        return formats;
    }

    void writeValue(int sheetRow, int sheetColumn, const QVariant& value, CellFormat cell) {
        switch (value.typeId()) {
            case QMetaType::Double:
                return book_.writeNumber(sheetRow, sheetColumn, value.toDouble(), cell);
            case QMetaType::LongLong:
            case QMetaType::Int:
                return book_.writeNumber(sheetRow, sheetColumn, double(value.toLongLong()), cell);
            case QMetaType::QDate:
                return book_.writeDate(sheetRow, sheetColumn, value.toDate(), cell);
            case QMetaType::QDateTime:
                return book_.writeDateTime(sheetRow, sheetColumn, value.toDateTime(), cell);
            case QMetaType::Bool:
                return book_.writeBoolean(sheetRow, sheetColumn, value.toBool(), cell);
            case QMetaType::QString:
                return book_.writeText(sheetRow, sheetColumn, value.toString(), cell);
            default:
                return book_.writeBlank(sheetRow, sheetColumn, cell);
        }
    }

    void writeGroupRow(int sheetRow, int listed) {
        book_.writeText(sheetRow, 0, model_.groupCaption(listed), group_);
        for (int i = 1; i < int(columns_.size()); ++i) book_.writeBlank(sheetRow, i, group_);
    }

    void writeFooter(int sheetRow) {
        book_.startRow(sheetRow, 0);
        writeSums(sheetRow, [&](int column) { return model_.footerSum(column); });
    }

    template <typename SumOf>
    void writeSums(int sheetRow, SumOf sumOf) {
        for (int i = 0; i < int(columns_.size()); ++i) {
            const std::optional<double> value = sumOf(columns_[i]);
            if (value) {
                book_.writeNumber(sheetRow, i, *value, sum_);
            } else {
                book_.writeBlank(sheetRow, i, footer_);
            }
        }
    }

    grid::GridModel& model_;
    const grid::StyleSheet& sheet_;
    const QFont& gridFont_;
    Workbook& book_;
    const std::vector<int> columns_;
    const CellFormat group_;
    const CellFormat footer_;
    const CellFormat sum_;
    std::array<std::vector<CellFormat>, grid::styleElementCount> dataFormats_;
};

}  // namespace

void exportGrid(grid::GridModel& model, const QString& chosenPath, const grid::StyleSheet& sheet,
                const QFont& gridFont) {
    const QString path = workbookPath(chosenPath);
    // Collapsed groups are written too, and stay expanded as the grid shows them.
    model.expandAll();
    checkSheetSize(sheetRowCount(model), qint64(model.visibleColumns().size()));
    ReplacingFile file(path);
    try {
        Workbook book(file.temporaryPath(), sheetNameFor(path), file.targetFolder());
        SheetWriter(model, sheet, gridFont, book).write();
        book.close();
    } catch (const WriteFailure& failure) {
        file.failWrite(failure.message());
    }
    file.commit();
}

}  // namespace xlsx
