#pragma once
// Result storage: one typed column per result column, no object per cell.
// Numbers are held as numbers, dates as day numbers, and texts through a
// per-column dictionary, so a text repeated over many rows is stored once.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

#include "fields.h"

namespace pg {

// How a column holds its values; several kinds share one storage.
enum class Storage : std::uint8_t { Text, Integer, Float, Date, DateTime, Time, Boolean };
Storage storageOf(FieldKind kind);

class Column {
  public:
    virtual ~Column() = default;

    const QString& name() const { return name_; }
    // The result column's kind (a declared column binds to a kind of its group).
    FieldKind kind() const { return kind_; }
    Storage storage() const { return storage_; }
    virtual int rowCount() const = 0;

    virtual bool isNull(int row) const = 0;
    // Typed reads; a NULL reads as 0, false, an invalid date or empty text.
    virtual double asFloat(int row) const = 0;
    virtual qint64 asInteger(int row) const = 0;
    virtual bool asBoolean(int row) const = 0;
    // Date as a Julian day number (QDate::toJulianDay); 0 for NULL.
    virtual qint64 asJulianDay(int row) const = 0;
    // Date and time as milliseconds since the epoch: a timestamp's wall-clock
    // time counted as if it were UTC, a timestamp with time zone's instant;
    // a time of day as milliseconds since midnight.
    virtual qint64 asMSecs(int row) const = 0;
    virtual QString asText(int row) const = 0;
    // Null-aware value for small, non-hot uses (editing, tests).
    QVariant value(int row) const;

    // Text columns: the dictionary id of a row's text (0 for NULL) and the
    // texts by id, so filters can judge each distinct text once.
    virtual std::uint32_t textId(int row) const;
    virtual std::uint32_t textIdCount() const;  // ids are 1..count-1
    virtual QString textOfId(std::uint32_t id) const;

    // Storage side, for Table and the query layer. A raw value is the server's
    // text form of the result column's type, as libpq delivers it.
    virtual void appendRaw(const char* text, int length) = 0;
    virtual void appendNull() = 0;
    virtual void setRaw(int row, const char* text, int length) = 0;
    // A NULL for an invalid QVariant, a null QString, an invalid date or time,
    // and for an empty text in a column that is not a text.
    virtual void setVariant(int row, const QVariant& value) = 0;
    virtual void setNull(int row) = 0;
    virtual void insertNull(int row) = 0;
    virtual void remove(int row) = 0;
    // The value as the server reads it back for the column's type (what a
    // save sends); only for rows that are not NULL.
    virtual QByteArray serverText(int row) const = 0;
    virtual std::size_t memoryBytes() const = 0;
    // Gives back spare capacity once a fetch has ended.
    virtual void squeeze() = 0;

  protected:
    static bool isNullVariant(const QVariant& value);
    Column(QString name, FieldKind kind)
        : name_(std::move(name)), kind_(kind), storage_(storageOf(kind)) {}

  private:
    QString name_;
    FieldKind kind_;
    Storage storage_;
};

// An empty column of the storage that a kind takes; the column's kind is the
// result column's kind.
std::unique_ptr<Column> makeColumn(QString name, FieldKind kind);

class Table {
  public:
    Table();
    ~Table();
    Table(Table&&) noexcept;
    Table& operator=(Table&&) noexcept;

    int rowCount() const;
    int columnCount() const { return int(columns_.size()); }
    const Column& column(int index) const { return *columns_[size_t(index)]; }
    // -1 when the table has no such column.
    int indexOf(const QString& name) const;
    std::size_t memoryBytes() const;

    // Editing, for updatable queries; values are null-aware QVariants.
    void setValue(int row, int column, const QVariant& value);
    int appendRow();  // a row of NULLs; returns its index
    void insertRow(int row);
    void removeRow(int row);

    // For the fetching code of the query layer.
    void addColumn(std::unique_ptr<Column> column);
    Column& mutableColumn(int index) { return *columns_[size_t(index)]; }
    void squeeze();

  private:
    std::vector<std::unique_ptr<Column>> columns_;
};

}  // namespace pg
