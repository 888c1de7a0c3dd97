#pragma once
// A query on a connection profile: text with :pName parameters sent as
// protocol parameters, declared result columns bound at open, rows held in a
// Table. An updatable query edits its current row and saves each change at
// once to its table, the row found by primary key or by ctid.
//
// Saving. At each open an updatable query looks its table up in the catalog.
// When the table has no primary key (or the declared columns leave part of
// it out) the text must begin with "select"; the query then runs it as
// "select ctid as wt_row_ctid, ..." and keeps each row's ctid beside the
// Table. Only result columns that are plain columns of that table are saved
// and may be set. An UPDATE or DELETE matches the row by every saved column
// as read (and its ctid), so a row that another client changed or deleted
// meanwhile matches nothing: the save raises DbError and the row stays in
// editing. An INSERT names only the columns given a value, so the others
// take their defaults; every save re-reads the row with RETURNING.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <vector>

#include "connection.h"
#include "fields.h"
#include "table.h"

struct pg_result;

namespace pg {

struct TableInfo;
struct RowImage;
struct ColumnSource;
class RowSaver;

struct QueryOptions {
    bool updatable = false;
    QString table;  // the table an updatable query saves to
};

enum class RowState { Inactive, Browse, Edit, Insert };

class Query : public QObject {
    Q_OBJECT
  public:
    Query(QString name, Connection& connection, QStringList lines, FieldDefs declared = {},
          QueryOptions options = {}, QObject* parent = nullptr);
    ~Query() override;

    const QString& name() const { return name_; }
    QString text() const { return lines_.join(u'\n'); }
    Connection& connection() const { return connection_; }
    const FieldDefs& declared() const { return declared_; }

    // Parameters are text, sent exactly as given. A text with a NUL character
    // is refused at open.
    void setParam(const QString& name, const QString& value);

    // Connects on demand, runs the text, binds the declared columns; a failed
    // open leaves the query closed and raises DbError.
    void open();
    // Closing keeps the connection open.
    void close();
    bool isOpen() const { return state_ != RowState::Inactive; }
    // Re-reads the rows (open if closed); keeps the current row where it can.
    void refresh();

    int rowCount() const;
    bool isEmpty() const { return rowCount() == 0; }
    // The available columns: the declared ones, or all when none are declared.
    const Table& table() const { return table_; }
    int currentRow() const { return current_; }  // -1 when there is no row
    void setCurrentRow(int row);

    // Reads of the current row by column name; raises "Field '%s' not found"
    // for a column that is not available.
    QVariant value(const QString& column) const;
    QString asText(const QString& column) const;
    qint64 asInteger(const QString& column) const;
    double asFloat(const QString& column) const;
    QDate asDate(const QString& column) const;
    bool isNull(const QString& column) const;

    // Updatable queries only. Moving to another row, insert, append and
    // refresh first post a modified pending row and drop an unmodified one;
    // setValue puts a browsed row into editing; close drops a pending row.
    RowState state() const { return state_; }
    void edit();    // current row into editing; a new row when there is none
    void insert();  // a new row before the current one
    void append();  // a new row at the end
    void setValue(const QString& column, const QVariant& value);
    // Saves the edited or new row at once; a declared required column that
    // is NULL or empty raises "Field '%s' must have a value" before that.
    void post();
    void cancel();         // drop the pending edit or new row
    void deleteCurrent();  // delete the current row at once
    bool isModified() const { return modified_; }

  signals:
    void opened();
    void closed();
    void rowsChanged();        // rows added, removed or re-read
    void rowChanged(int row);  // values of one row changed
    void currentRowChanged(int row);
    void stateChanged(pg::RowState state);

  private:
    struct Private;
    struct Fetched;
    Fetched fetch();
    void adopt(Fetched fetched);
    bool primaryKeyIsRead(const TableInfo& info) const;
    RowSaver makeSaver(const TableInfo& info, const std::vector<ColumnSource>& sources,
                       const Table& table, bool byCtid) const;
    const FieldDef* declaration(const QString& column) const;
    QList<QByteArray> rowKey(int row) const;
    int findRow(const QList<QByteArray>& key, int formerRow) const;
    int columnIndex(const QString& column) const;
    void requireEditable() const;
    RowImage imageOf(int row) const;
    void beginPending(RowState state);
    void startNewRow(int row);
    void checkRequired() const;
    void takeSavedRow(const pg_result* saved);
    void restore(const RowImage& image);
    void removeRow(int row);
    // Posts a modified pending row, drops an unmodified one.
    void settle();
    void setState(RowState state);

    QString name_;
    Connection& connection_;
    QStringList lines_;
    FieldDefs declared_;
    QueryOptions options_;
    std::map<QString, QString> params_;
    Table table_;
    int current_ = -1;
    RowState state_ = RowState::Inactive;
    bool modified_ = false;
    std::unique_ptr<Private> d_;
};

}  // namespace pg
