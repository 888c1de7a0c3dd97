// A window with a grid of report-like rows, grouped, filtered and summed,
// to look at the grid as a user would. Not a test.
#include <QApplication>
#include <QDate>
#include <QVBoxLayout>
#include <random>

#include "data/gridstyle.h"
#include "grid/datagrid.h"
#include "grid/memorysource.h"

namespace {

using grid::FieldType;

std::vector<grid::MemoryColumn> reportColumns() {
    return {{"partener", FieldType::Text},
            {"data_doc", FieldType::Date},
            {"tip_doc", FieldType::Text},
            {"nr_doc", FieldType::Text},
            {"rp", FieldType::Text},
            {"data_scadenta", FieldType::Date},
            {"nr_zile_scadenta_intirz", FieldType::Integer},
            {"val_mon", FieldType::Float},
            {"moneda", FieldType::Text},
            {"curs", FieldType::Float},
            {"val_mon_lei", FieldType::Float},
            {"rest_mon_com", FieldType::Float},
            {"rest_mon_com_1_30", FieldType::Float},
            {"rest_mon_com_31_60", FieldType::Float},
            {"rest_mon_com_61_90", FieldType::Float},
            {"rest_mon_com_1_30_mon_raportare", FieldType::Float},
            {"rest_mon_com_31_60_mon_raportare", FieldType::Float},
            {"rest_mon_com_61_90_mon_raportare", FieldType::Float}};
}

std::vector<grid::ColumnDef> gridColumns() {
    return {{"Partner", "partener", 150},
            {"DocDate", "data_doc", 80},
            {"DocType", "tip_doc", 65},
            {"DocNumber", "nr_doc", 110},
            {"RP", "rp", 40},
            {"DueDate", "data_scadenta", 80},
            {"NoOfDelayDays", "nr_zile_scadenta_intirz", 105},
            {"DocValue", "val_mon", 90},
            {"Curr.", "moneda", 50},
            {"ExchangeRate", "curs", 90},
            {"DocValue (RON)", "val_mon_lei", 100},
            {"Amount (R/P)", "rest_mon_com", 100},
            {"1-30 DaysDelay", "rest_mon_com_1_30", 110},
            {"31-60 DaysDelay", "rest_mon_com_31_60", 110},
            {"61-90 DaysDelay", "rest_mon_com_61_90", 110},
            {"1-30 (repCurr) DaysDelay", "rest_mon_com_1_30_mon_raportare", 160},
            {"31-60 (repCurr) DaysDelay", "rest_mon_com_31_60_mon_raportare", 160},
            {"61-90 (repCurr) DaysDelay", "rest_mon_com_61_90_mon_raportare", 160}};
}

double cents(double value) { return std::round(value * 100.0) / 100.0; }

void fill(grid::MemorySource& source) {
    const QStringList partners = {"ALFA DISTRIBUTIE SRL", "BETA CONSTRUCT SA", "CARPATI TRANS SRL",
                                  "DELTA IMPEX SRL",      "EUROFARM SRL",      "GAMMA SOFT SRL",
                                  "MUNTENIA AGRO SA",     "OMEGA LOGISTIC SRL"};
    const QStringList types = {"FACT", "FACT", "AVANS", "CHIT", "OP"};
    const QStringList currencies = {"LEI", "LEI", "EUR", "USD"};
    const std::map<QString, double> rates = {{"LEI", 1.0}, {"EUR", 4.9735}, {"USD", 4.5812}};
    const double reportRate = 4.9735;
    std::mt19937 random(20240131);
    const QDate cutOff(2024, 6, 30);
    for (int i = 0; i < 300; ++i) {
        const QString partner = partners[int(random() % partners.size())];
        const QDate docDate = cutOff.addDays(-int(random() % 150));
        const QDate dueDate = docDate.addDays(15 + int(random() % 30));
        const int delay = std::max<qint64>(0, dueDate.daysTo(cutOff));
        const QString currency = currencies[int(random() % currencies.size())];
        const double rate = rates.at(currency);
        const double value = cents(double(random() % 2000000) / 100.0 + 50.0);
        const double rest = cents(value * double(random() % 100 + 1) / 100.0);
        const auto bucket = [&](int from, int to) {
            return delay >= from && delay <= to ? rest : 0.0;
        };
        const auto reported = [&](double amount) { return cents(amount * rate / reportRate); };
        source.addRow({partner, docDate, types[int(random() % types.size())],
                       QStringLiteral("%1").arg(100000 + int(random() % 900000)),
                       QString(random() % 3 ? "R" : "P"), dueDate, delay, value, currency, rate,
                       cents(value * rate), rest, bucket(1, 30), bucket(31, 60), bucket(61, 90),
                       reported(bucket(1, 30)), reported(bucket(31, 60)),
                       reported(bucket(61, 90))});
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    grid::installFontSubstitutes();
    QFont tahoma = grid::designFont("Tahoma", -11);
    QApplication::setFont(tahoma);

    const TcxStyleRepository styles;
    grid::MemorySource source(reportColumns());
    fill(source);
    grid::GridModel model(source);
    model.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    model.setColumns(gridColumns());
    const std::vector<grid::SumItem> sums = {{"val_mon_lei", 10},
                                             {"rest_mon_com_1_30_mon_raportare", 15},
                                             {"rest_mon_com_31_60_mon_raportare", 16},
                                             {"rest_mon_com_61_90_mon_raportare", 17}};
    model.setFooterSums(sums);
    model.setGroupSums(sums);
    model.setGrouping({0});
    model.setFilterValue(8, "eur");
    model.setExpanded(0, true);
    model.setExpanded(model.rowCount() - 2, true);

    QWidget window;
    window.setWindowTitle("wtalvor");
    window.resize(1100, 650);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(8, 80, 8, 39);
    auto* view = new grid::DataGrid(model, &window);
    view->setGridStyle(&styles.GridTableViewStyleSheetDevExpress);
    layout->addWidget(view);
    window.show();
    window.activateWindow();
    view->setFocus();
    model.setFocusedRow(2);
    return app.exec();
}
