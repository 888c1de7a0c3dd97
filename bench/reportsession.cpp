#include "bench/reportsession.h"

#include "core/errors.h"
#include "reports/aging/agingqueries.h"
#include "reports/aging/resultgrid.h"

namespace bench {
namespace {

// The rows that a maximised window of 1080 pixels shows.
constexpr int firstScreenRows = 50;

QString environment(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

}  // namespace

pg::ConnectionSettings benchSettings(const QString& database) {
    pg::ConnectionSettings settings;
    settings.server = environment("WTALVOR_BENCH_HOST", QStringLiteral("127.0.0.1"));
    settings.port = environment("WTALVOR_BENCH_PORT", QStringLiteral("5432")).toInt();
    settings.database = database;
    settings.user = QStringLiteral("vek");
    settings.password = environment("WTALVOR_BENCH_PASSWORD", QString());
    return settings;
}

ReportSession::ReportSession(const QString& database)
    : connection_(QStringLiteral("conVek"), benchSettings(database)),
      query_(QStringLiteral("dsview_rest_mon_com_ps_rl"), connection_, aging::reportText(),
             aging::reportColumns()),
      source_(query_),
      model_(source_) {
    model_.setColumns(aging::resultColumns());
    model_.setFooterSums(aging::resultSums());
    model_.setGroupSums(aging::resultSums());
}

void ReportSession::load() {
    query_.close();
    query_.open();
}

void ReportSession::readFirstScreen() const {
    const std::vector<int> columns = model_.visibleColumns();
    const int rows = std::min(model_.rowCount(), firstScreenRows);
    for (int row = 0; row < rows; ++row)
        for (int column : columns) model_.cellText(row, column);
    for (int column : columns) model_.footerSumText(column);
}

int ReportSession::column(const QString& caption) const {
    for (int column = 0; column < model_.columnCount(); ++column)
        if (model_.columnDef(column).caption == caption) return column;
    throw wt::Error(QStringLiteral("The report has no column \"%1\"").arg(caption));
}

}  // namespace bench
