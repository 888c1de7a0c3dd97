#pragma once
// A one-sheet workbook over libxlsxwriter. Rows are written in order (the
// sheet streams them to disk to keep memory flat), every failure of the
// library is raised as wt::Error.
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <map>
#include <memory>

#include "core/errors.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace xlsx {

// Written data did not reach the file; the message is the reason.
class WriteFailure : public wt::Error {
  public:
    using wt::Error::Error;
};

// How a cell looks; unset parts (invalid colours, empty font) take the
// spreadsheet program's defaults.
struct CellLook {
    QColor background{};
    QColor text{};
    QString fontName{};
    double fontPoints = 0;
    bool bold = false;
    QString numberFormat{};  // empty: General

    QString key() const;
};

// A look registered with a workbook, to be given to its cell writes.
class CellFormat {
  public:
    CellFormat() = default;

  private:
    friend class Workbook;
    explicit CellFormat(lxw_format* format) : format_(format) {}
    lxw_format* format_ = nullptr;
};

class Workbook {
  public:
    // The file is written by close(); temporaryFolder takes the library's
    // own temporary files.
    Workbook(const QString& file, const QString& sheetName, const QString& temporaryFolder);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    void setColumnWidth(int column, int pixels);
    void freezeRows(int rows);
    // The fold buttons stand at the row above a block of deeper rows (the
    // group row), not below it (where the group footer stays visible).
    void foldBelowGroupRows();
    // Begins a row at an outline level, before its cells are written; raises
    // WriteFailure when the rows written so far did not reach the disk.
    void startRow(int row, int level);

    // The same look gives the same format.
    CellFormat format(const CellLook& look);

    void writeText(int row, int column, const QString& text, CellFormat format);
    // NaN and the infinities, which a cell cannot hold, are written as text.
    void writeNumber(int row, int column, double value, CellFormat format);
    // Dates outside the spreadsheet's calendar (before 1900) are written as text.
    void writeDate(int row, int column, const QDate& date, CellFormat format);
    void writeDateTime(int row, int column, const QDateTime& moment, CellFormat format);
    void writeBoolean(int row, int column, bool value, CellFormat format);
    // An empty cell that still wears its format (the row's background).
    void writeBlank(int row, int column, CellFormat format);

    // Writes the file and reads it back; raises WriteFailure when it is not whole.
    void close();

  private:
    void writeMoment(int row, int column, const QDate& date, const QTime& time,
                     const QString& textForm, CellFormat format);
    void failOnStreamedRowError() const;
    void check(int result, int row, int column) const;

    QString file_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::map<QString, lxw_format*> formats_;
};

// The reason libxlsxwriter gives for one of its error codes.
QString libraryReason(int result);

}  // namespace xlsx
