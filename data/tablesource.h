#pragma once
// A query's rows as a grid's data source: the grid reads the query's result
// table in place, and edits made in the grid go through the query, which
// saves them to its table at once.
#include <vector>

#include "grid/datasource.h"
#include "pg/query.h"

class TableSource : public grid::DataSource {
    Q_OBJECT
  public:
    enum class Access { ReadOnly, Editable };
    explicit TableSource(pg::Query& query, Access access = Access::ReadOnly,
                         QObject* parent = nullptr);

    pg::Query& query() const { return query_; }

    // The declared columns, also while the query is closed (then with no rows).
    int rowCount() const override;
    int columnCount() const override;
    QString columnName(int column) const override;
    grid::FieldType columnType(int column) const override;
    bool isNull(int row, int column) const override;
    double number(int row, int column) const override;
    qint64 integer(int row, int column) const override;
    qint64 julianDay(int row, int column) const override;
    qint64 msecs(int row, int column) const override;
    bool boolean(int row, int column) const override;
    QString text(int row, int column) const override;

    bool hasTextIds(int column) const override;
    std::uint32_t textId(int row, int column) const override;
    std::uint32_t textIdCount(int column) const override;
    QString textOfId(int column, std::uint32_t id) const override;

    bool isReadOnly() const override { return access_ == Access::ReadOnly; }
    grid::EditState editState() const override;
    int editRow() const override;
    void edit(int row) override;
    void setValue(int column, const QVariant& value) override;
    void post() override;
    void cancel() override;
    void insert(int beforeRow) override;
    void append() override;
    void remove(int row) override;
    void refresh() override;

  private:
    struct Field {
        QString name;
        pg::FieldKind kind;
    };
    void requireEditable() const;
    void rebind();
    const pg::Column* tableColumn(int column) const;

    pg::Query& query_;
    Access access_;
    std::vector<Field> fields_;
    std::vector<int> tableIndex_;  // per field, its column in the query's table
};
