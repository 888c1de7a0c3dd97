#pragma once
// Rows held in memory, typed per column, texts through a dictionary like a
// query result. Serves tests, the demo and the benchmark; it can be made
// editable, refusing a save of a row that lacks a required value.
#include <QHash>
#include <functional>
#include <vector>

#include "datasource.h"

namespace grid {

struct MemoryColumn {
    QString name;
    FieldType type = FieldType::Text;
    bool required = false;
};

class MemorySource : public DataSource {
    Q_OBJECT
  public:
    explicit MemorySource(std::vector<MemoryColumn> columns, QObject* parent = nullptr);
    ~MemorySource() override;

    // Values in column order: QString, qint64/int, double, QDate, QDateTime,
    // bool, or a null QVariant. Loading rows emits nothing; call reload().
    void addRow(const std::vector<QVariant>& values);
    void reserve(int rows);
    void reload() { emit rowsReset(); }

    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Runs before a save and may refuse it by raising wt::Error.
    void setSaveCheck(std::function<void(int row)> check) { saveCheck_ = std::move(check); }
    // Runs on refresh(), e.g. to load other rows, before rowsReset.
    void setReloader(std::function<void()> reloader) { reloader_ = std::move(reloader); }
    void clear();

    int rowCount() const override { return rows_; }
    int columnCount() const override { return int(columns_.size()); }
    QString columnName(int column) const override;
    FieldType columnType(int column) const override;
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

    bool isReadOnly() const override { return readOnly_; }
    EditState editState() const override { return state_; }
    int editRow() const override { return editRow_; }
    void edit(int row) override;
    void setValue(int column, const QVariant& value) override;
    void post() override;
    void cancel() override;
    void insert(int beforeRow) override;
    void append() override;
    void remove(int row) override;
    void refresh() override;

  private:
    struct Store;
    void requireWritable() const;
    void requireEditing() const;
    void store(int row, int column, const QVariant& value);
    void insertNullRow(int row);
    void eraseRow(int row);
    void setState(EditState state, int row);

    std::vector<MemoryColumn> columns_;
    std::vector<Store> stores_;
    int rows_ = 0;
    bool readOnly_ = true;
    EditState state_ = EditState::Browse;
    int editRow_ = -1;
    std::vector<QVariant> original_;
    std::function<void(int)> saveCheck_;
    std::function<void()> reloader_;
};

}  // namespace grid
