#include "fixtures.h"

namespace gridtest {

using grid::FieldType;

std::vector<grid::MemoryColumn> documentColumns() {
    return {{"partener", FieldType::Text}, {"data_doc", FieldType::Date},
            {"val", FieldType::Float},     {"zile", FieldType::Integer},
            {"moneda", FieldType::Text},   {"achitat", FieldType::Boolean}};
}

std::vector<grid::ColumnDef> documentGridColumns() {
    return {{"Partner", "partener", 150}, {"DocDate", "data_doc", 80}, {"Value", "val", 90},
            {"Days", "zile", 60},         {"Curr.", "moneda", 50},     {"Paid", "achitat", 40}};
}

void addDocuments(grid::MemorySource& source, const std::vector<std::vector<QVariant>>& rows) {
    for (const auto& row : rows) source.addRow(row);
}

DocumentGrid::DocumentGrid(const std::vector<std::vector<QVariant>>& rows, bool dictionary)
    : source(dictionary ? std::make_unique<grid::MemorySource>(documentColumns())
                        : std::make_unique<UndictionariedSource>(documentColumns())) {
    addDocuments(*source, rows);
    model = std::make_unique<grid::GridModel>(*source);
    model->setLocale(usLocale());
    model->setColumns(documentGridColumns());
}

std::vector<int> listedDataRows(const grid::GridModel& model) {
    std::vector<int> rows;
    for (int i = 0; i < model.rowCount(); ++i)
        if (model.row(i).kind == grid::RowKind::Data) rows.push_back(model.row(i).dataRow);
    return rows;
}

std::vector<std::string> listing(const grid::GridModel& model) {
    std::vector<std::string> lines;
    for (int i = 0; i < model.rowCount(); ++i) {
        const grid::ListedRow& row = model.row(i);
        QString line;
        switch (row.kind) {
            case grid::RowKind::Data:
                line = QStringLiteral("D%1 %2").arg(row.level).arg(row.dataRow);
                break;
            case grid::RowKind::Group:
                line = QStringLiteral("G%1 %2").arg(row.level).arg(model.groupCaption(i));
                break;
            case grid::RowKind::GroupFooter:
                line = QStringLiteral("F%1").arg(row.level);
                break;
        }
        lines.push_back(line.toStdString());
    }
    return lines;
}

QLocale usLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }

QVariant day(int year, int month, int dayOfMonth) { return QDate(year, month, dayOfMonth); }

}  // namespace gridtest
