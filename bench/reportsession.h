#pragma once
// The report as the aging window holds it, without the window: the report
// query on a company database, the query-to-grid source and the grid view
// with the window's columns and sums. The bench programs time its steps.
#include <QString>

#include "data/tablesource.h"
#include "grid/gridmodel.h"
#include "pg/connection.h"
#include "pg/query.h"

namespace bench {

// Where the company databases are: WTALVOR_BENCH_HOST (default 127.0.0.1),
// WTALVOR_BENCH_PORT and WTALVOR_BENCH_PASSWORD; the role is vek, as the
// client's.
pg::ConnectionSettings benchSettings(const QString& database);

class ReportSession {
  public:
    explicit ReportSession(const QString& database);

    // Connecting is the login's work, done before the Search is timed.
    void connect() { connection_.ensureConnected(); }
    // The Search's report step: the query opens and the grid lists its rows.
    void load();
    // What the first paint reads: the cells of the first screenful of rows
    // and the footer sums.
    void readFirstScreen() const;

    const pg::Query& query() const { return query_; }
    grid::GridModel& model() { return model_; }
    // The grid column under a header caption; raises when there is none.
    int column(const QString& caption) const;

  private:
    pg::Connection connection_;
    pg::Query query_;
    TableSource source_;
    grid::GridModel model_;
};

}  // namespace bench
