#pragma once
// The statements an updatable query saves with. Each runs at once, outside
// any transaction of ours. An UPDATE or DELETE finds its row by the values
// read (the primary key among them) and, for a table without a primary key,
// by the row's ctid, so a row that another client changed or deleted in the
// meantime matches nothing and the save is refused instead of reported done.
#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "connection.h"
#include "fetch.h"
#include "fields.h"

namespace pg {

// What the catalog says about the table an updatable query saves to.
struct TableInfo {
    unsigned int oid = 0;
    QByteArray sqlName;                 // quoted and qualified as needed
    std::map<int, QByteArray> columns;  // attnum -> quoted column name
    std::vector<int> primaryKey;        // attnums
};
TableInfo lookUpTable(Connection& connection, const QString& table);

// How a column is matched against the value read, so that the value as the
// Table holds it finds the row again.
enum class Comparison {
    Typed,     // the text parsed into the column's own type
    AsDouble,  // numeric: both sides as double precision, as the value was read
    AsText,    // types without an equality operator (json, xml, point ...)
};
Comparison comparisonFor(FieldKind kind, unsigned int typeOid);

struct SavedColumn {
    int tableColumn = 0;  // index in the query's Table
    QByteArray sqlName;   // quoted
    bool writable = true;
    Comparison comparison = Comparison::Typed;
    bool inPrimaryKey = false;
};

// One row of the saved columns in the server's text form; nullopt is NULL.
struct RowImage {
    std::vector<std::optional<QByteArray>> values;
    QByteArray ctid;  // empty when rows are known by their primary key
};

class RowSaver {
  public:
    RowSaver(QString queryName, QByteArray table, std::vector<SavedColumn> columns, bool byCtid);

    const std::vector<SavedColumn>& columns() const { return columns_; }
    bool byCtid() const { return byCtid_; }

    // Each returns the saved row as the database holds it now (its columns in
    // the order of columns(), then the ctid when rows are known by it);
    // update returns null when no writable column differs, sending nothing.
    Result update(Connection& connection, const RowImage& before, const RowImage& after) const;
    Result insert(Connection& connection, const RowImage& row,
                  const std::vector<bool>& assigned) const;
    void remove(Connection& connection, const RowImage& before) const;

  private:
    QByteArray returningList() const;
    QByteArray whereRowIs(const RowImage& before, ParamValues& params) const;
    [[noreturn]] void refuse(const char* what) const;

    QString queryName_;
    QByteArray table_;
    std::vector<SavedColumn> columns_;
    bool byCtid_;
};

}  // namespace pg
