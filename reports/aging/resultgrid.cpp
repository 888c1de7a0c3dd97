#include "resultgrid.h"

using namespace Qt::Literals::StringLiterals;

namespace aging {
namespace {

grid::ColumnDef column(const QString& caption, const QString& field, int width) {
    return {caption, field, width, u"cxGrid1DBTableView1"_s + field};
}

int columnShowing(const QString& field) {
    const std::vector<grid::ColumnDef> columns = resultColumns();
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].fieldName == field) return int(i);
    return -1;
}

grid::SumItem sumUnderItsColumn(const QString& field) { return {field, columnShowing(field)}; }

}  // namespace

std::vector<grid::ColumnDef> resultColumns() {
    return {
        column(u"Partner"_s, u"partener"_s, 150),
        column(u"DocDate"_s, u"data_doc"_s, 80),
        column(u"DocType"_s, u"tip_doc"_s, 65),
        column(u"DocNumber"_s, u"nr_doc"_s, 110),
        column(u"RP"_s, u"rp"_s, 40),
        column(u"DueDate"_s, u"data_scadenta"_s, 80),
        column(u"NoOfDelayDays"_s, u"nr_zile_scadenta_intirz"_s, 105),
        column(u"DocValue"_s, u"val_mon"_s, 90),
        column(u"Curr."_s, u"moneda"_s, 50),
        column(u"ExchangeRate"_s, u"curs"_s, 90),
        column(u"DocValue (RON)"_s, u"val_mon_lei"_s, 100),
        column(u"Amount (R/P)"_s, u"rest_mon_com"_s, 100),
        column(u"1-30 DaysDelay"_s, u"rest_mon_com_1_30"_s, 110),
        column(u"31-60 DaysDelay"_s, u"rest_mon_com_31_60"_s, 110),
        column(u"61-90 DaysDelay"_s, u"rest_mon_com_61_90"_s, 110),
        column(u"1-30 (repCurr) DaysDelay"_s, u"rest_mon_com_1_30_mon_raportare"_s, 160),
        column(u"31-60 (repCurr) DaysDelay"_s, u"rest_mon_com_31_60_mon_raportare"_s, 160),
        column(u"61-90 (repCurr) DaysDelay"_s, u"rest_mon_com_61_90_mon_raportare"_s, 160),
    };
}

std::vector<grid::SumItem> resultSums() {
    return {
        sumUnderItsColumn(u"val_mon_lei"_s),
        sumUnderItsColumn(u"rest_mon_com_1_30_mon_raportare"_s),
        sumUnderItsColumn(u"rest_mon_com_31_60_mon_raportare"_s),
        sumUnderItsColumn(u"rest_mon_com_61_90_mon_raportare"_s),
    };
}

}  // namespace aging
