#pragma once
// What the grid reads its rows from. The grid holds no data and knows no
// database: a result table, a query or a vector in memory is adapted to this
// interface. Reads are typed and per cell so an adapter is a few lines and a
// million rows are read without an object per cell.
#include <QObject>
#include <QString>
#include <QVariant>
#include <cstdint>

namespace grid {

enum class FieldType : std::uint8_t { Text, Integer, Float, Date, DateTime, Boolean };

// Browse: no pending change; Edit: a row's values are being changed;
// Insert: a new row is being filled in.
enum class EditState : std::uint8_t { Browse, Edit, Insert };

class DataSource : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    ~DataSource() override = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    virtual FieldType columnType(int column) const = 0;
    // -1 when there is no column of that name (names compare ignoring case).
    int indexOf(const QString& name) const;

    // Typed reads. A NULL reads as 0, false, day 0 or an empty text; callers
    // ask isNull first where it matters.
    virtual bool isNull(int row, int column) const = 0;
    virtual double number(int row, int column) const = 0;     // Float (and Integer)
    virtual qint64 integer(int row, int column) const = 0;    // Integer
    virtual qint64 julianDay(int row, int column) const = 0;  // Date (QDate::toJulianDay)
    virtual qint64 msecs(int row, int column) const = 0;      // DateTime, ms since the epoch
    virtual bool boolean(int row, int column) const = 0;      // Boolean
    virtual QString text(int row, int column) const = 0;      // Text
    // The value of any type, null-aware; for editing and small uses.
    QVariant value(int row, int column) const;

    // Optional text dictionary: when a text column reports ids, equal texts
    // share one id (0 for NULL, others 1..textIdCount-1), so the grid judges
    // and sorts each distinct text once instead of once per row.
    virtual bool hasTextIds(int column) const;
    virtual std::uint32_t textId(int row, int column) const;
    virtual std::uint32_t textIdCount(int column) const;
    virtual QString textOfId(int column, std::uint32_t id) const;

    // Optional editing. A read-only source keeps the defaults, which refuse
    // every change with wt::Error. Rows are addressed by their index here.
    virtual bool isReadOnly() const;
    virtual EditState editState() const;
    virtual int editRow() const;  // the row being edited or inserted, else -1
    virtual void edit(int row);
    // Sets a value of the edited or inserted row; a null QVariant sets NULL.
    virtual void setValue(int column, const QVariant& value);
    virtual void post();                 // saves the pending change; raises wt::Error when refused
    virtual void cancel();               // drops the pending change
    virtual void insert(int beforeRow);  // a new row in place of beforeRow
    virtual void append();               // a new row at the end
    virtual void remove(int row);
    // Reloads the rows from wherever they come from.
    virtual void refresh();

  signals:
    // Rows were added, removed or re-read: everything derived is stale.
    void rowsReset();
    // The values of one row changed.
    void rowChanged(int row);
    void editStateChanged();
};

}  // namespace grid
