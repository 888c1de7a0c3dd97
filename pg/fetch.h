#pragma once
// Running statements on a connection and reading their rows into a Table.
// Rows stream in one at a time (libpq's single-row mode), so libpq never
// holds a copy of the whole result beside the Table.
#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "connection.h"
#include "fields.h"
#include "table.h"

struct pg_result;

namespace pg {

struct ResultDeleter {
    void operator()(pg_result* result) const;
};
using Result = std::unique_ptr<pg_result, ResultDeleter>;

// Parameter values in the server's text form; nullopt sends NULL.
using ParamValues = std::vector<std::optional<QByteArray>>;

// Where a Table column comes from in its query's result.
struct ColumnSource {
    int resultColumn = -1;
    unsigned int typeOid = 0;
    unsigned int tableOid = 0;  // 0 when it is no plain column of a table
    int tableColumn = 0;        // the column's attnum in that table
};

// Binds a result's columns to the declared ones and appends rows. Without
// declarations every result column is taken, except the hidden one.
class TableBuilder {
  public:
    TableBuilder(QString queryName, const FieldDefs& declared, QString hiddenColumn = {});

    void bind(const pg_result* result);
    void appendRow(const pg_result* result);
    bool isBound() const { return bound_; }

    Table takeTable();
    const std::vector<ColumnSource>& sources() const { return sources_; }
    // The hidden column's values, one per row; null when it was not asked for.
    std::unique_ptr<Column> takeHidden() { return std::move(hidden_); }

  private:
    void bindDeclared(const pg_result* result);
    void bindAll(const pg_result* result);
    void addSource(const pg_result* result, int resultColumn, const QString& name);

    QString queryName_;
    const FieldDefs& declared_;
    QString hiddenName_;
    int hiddenColumn_ = -1;
    bool bound_ = false;
    Table table_;
    std::vector<ColumnSource> sources_;
    std::unique_ptr<Column> hidden_;
};

// Sends a statement and streams its rows into the builder; raises DbError
// with the server's message, after dropping a connection that broke.
// paramsAreText sends each parameter typed as text (OID 25); otherwise the
// server infers each parameter's type from where it stands.
void fetchInto(Connection& connection, const QByteArray& sql, const ParamValues& params,
               bool paramsAreText, TableBuilder& builder);

// Runs a statement whose result is small (catalog look-ups, saves).
Result execute(Connection& connection, const QByteArray& sql, const ParamValues& params);

// A text value of a result of execute().
QByteArray resultText(const pg_result* result, int row, int column);
bool resultIsNull(const pg_result* result, int row, int column);
int resultRowCount(const pg_result* result);
int resultColumnNumber(const pg_result* result, const QString& name);

}  // namespace pg
