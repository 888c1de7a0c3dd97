#include "xlsx/workbook.h"

#include <xlsxwriter.h>

#include <QFile>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "core/errors.h"
#include "xlsx/replacingfile.h"
#include "xlsx/wholeness.h"

namespace xlsx {
namespace {

lxw_color_t libraryColor(const QColor& color) {
    const lxw_color_t rgb = color.rgb() & LXW_COLOR_MASK;
    // The library reads 0 as "no colour"; black has its own code.
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb;
}

QString colorKey(const QColor& color) { return color.isValid() ? color.name() : QString(); }

lxw_datetime libraryDateTime(const QDate& date, const QTime& time) {
    return lxw_datetime{date.year(), date.month(),  date.day(),
                        time.hour(), time.minute(), time.second() + time.msec() / 1000.0};
}

// The 1900 date system of the spreadsheet has no earlier days.
bool inSpreadsheetCalendar(const QDate& date) {
    return date >= QDate(1900, 1, 1) && date <= QDate(9999, 12, 31);
}

void applyLook(lxw_format* format, const CellLook& look) {
    if (look.background.isValid()) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, libraryColor(look.background));
    }
    if (look.text.isValid()) format_set_font_color(format, libraryColor(look.text));
    if (!look.fontName.isEmpty()) format_set_font_name(format, look.fontName.toUtf8().constData());
    if (look.fontPoints > 0) format_set_font_size(format, look.fontPoints);
    if (look.bold) format_set_bold(format);
    if (!look.numberFormat.isEmpty()) {
        format_set_num_format(format, look.numberFormat.toUtf8().constData());
    }
}

bool isWriteFailure(int errorNumber) {
    return errorNumber == ENOSPC || errorNumber == EFBIG || errorNumber == EDQUOT ||
           errorNumber == EIO;
}

}  // namespace

QString libraryReason(int result) {
    return QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(result)));
}

QString CellLook::key() const {
    return QStringList{colorKey(background),
                       colorKey(text),
                       fontName,
                       QString::number(fontPoints),
                       bold ? QStringLiteral("b") : QString(),
                       numberFormat}
        .join(u'|');
}

Workbook::Workbook(const QString& file, const QString& sheetName, const QString& temporaryFolder)
    : file_(file) {
    const QByteArray folder = QFile::encodeName(temporaryFolder);
    lxw_workbook_options options{};
    // Rows go to disk as they are written: memory stays flat for any size.
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(folder.constData());
    book_ = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book_) throw wt::Error(QStringLiteral("Cannot start the workbook: out of memory"));
    sheet_ = workbook_add_worksheet(book_, sheetName.toUtf8().constData());
    if (!sheet_) {
        lxw_workbook_free(book_);
        book_ = nullptr;
        throw wt::Error(QStringLiteral("\"%1\" cannot be the name of a worksheet").arg(sheetName));
    }
}

Workbook::~Workbook() {
    if (book_) lxw_workbook_free(book_);
}

void Workbook::setColumnWidth(int column, int pixels) {
    check(worksheet_set_column_pixels(sheet_, column, column, pixels, nullptr), 0, column);
}

void Workbook::freezeRows(int rows) { worksheet_freeze_panes(sheet_, rows, 0); }

void Workbook::foldBelowGroupRows() {
    worksheet_outline_settings(sheet_, LXW_TRUE, LXW_FALSE, LXW_TRUE, LXW_FALSE);
}

void Workbook::startRow(int row, int level) {
    failOnStreamedRowError();
    lxw_row_col_options options{};
    options.level = static_cast<uint8_t>(level);
    check(worksheet_set_row_opt(sheet_, row, LXW_DEF_ROW_HEIGHT, nullptr, &options), row, 0);
}

void Workbook::writeText(int row, int column, const QString& text, CellFormat format) {
    check(worksheet_write_string(sheet_, row, column, text.toUtf8().constData(), format.format_),
          row, column);
}

void Workbook::writeNumber(int row, int column, double value, CellFormat format) {
    if (!std::isfinite(value)) {
        writeText(row, column, QString::number(value), format);
        return;
    }
    check(worksheet_write_number(sheet_, row, column, value, format.format_), row, column);
}

// Straight from the calendar day: a QDateTime in local time would look the
// time zone up again for every cell, a fifth of a large export's time.
void Workbook::writeDate(int row, int column, const QDate& date, CellFormat format) {
    writeMoment(row, column, date, QTime(0, 0), QStringLiteral("dd.MM.yyyy"), format);
}

void Workbook::writeDateTime(int row, int column, const QDateTime& moment, CellFormat format) {
    writeMoment(row, column, moment.date(), moment.time(), QStringLiteral("dd.MM.yyyy HH:mm:ss"),
                format);
}

void Workbook::writeMoment(int row, int column, const QDate& date, const QTime& time,
                           const QString& textForm, CellFormat format) {
    if (!inSpreadsheetCalendar(date)) {
        writeText(row, column, QDateTime(date, time).toString(textForm), format);
        return;
    }
    lxw_datetime value = libraryDateTime(date, time);
    check(worksheet_write_datetime(sheet_, row, column, &value, format.format_), row, column);
}

void Workbook::writeBoolean(int row, int column, bool value, CellFormat format) {
    check(worksheet_write_boolean(sheet_, row, column, value, format.format_), row, column);
}

void Workbook::writeBlank(int row, int column, CellFormat format) {
    check(worksheet_write_blank(sheet_, row, column, format.format_), row, column);
}

// Finished rows go to the library's temporary file, whose failed writes it
// does not report; the file's error flag tells, and errno still holds why.
void Workbook::failOnStreamedRowError() const {
    FILE* rows = sheet_->optimize_tmpfile;
    if (rows && std::ferror(rows)) throw WriteFailure(systemReason(errno != 0 ? errno : EIO));
}

void Workbook::close() {
    failOnStreamedRowError();
    lxw_workbook* book = book_;
    book_ = nullptr;
    errno = 0;
    const lxw_error result = workbook_close(book);
    const int systemError = errno;
    if (result != LXW_NO_ERROR) {
        throw WriteFailure(systemError != 0 ? systemReason(systemError) : libraryReason(result));
    }
    try {
        checkWorkbookWhole(file_);
    } catch (const wt::Error& defect) {
        // The failed write that cut a part short may have left its reason behind.
        throw WriteFailure(isWriteFailure(systemError) ? systemReason(systemError)
                                                       : defect.message());
    }
}

CellFormat Workbook::format(const CellLook& look) {
    const QString key = look.key();
    const auto known = formats_.find(key);
    if (known != formats_.end()) return CellFormat(known->second);
    lxw_format* created = workbook_add_format(book_);
    if (!created) throw wt::Error(QStringLiteral("Cannot add a cell format: out of memory"));
    applyLook(created, look);
    formats_.emplace(key, created);
    return CellFormat(created);
}

void Workbook::check(int result, int row, int column) const {
    if (result == LXW_NO_ERROR) return;
    throw wt::Error(
        QStringLiteral("The worksheet cannot take row %1, column %2: %3")
            .arg(QString::number(row + 1), QString::number(column + 1), libraryReason(result)));
}

}  // namespace xlsx
