#include "xlsx/workbook.h"

#include <xlsxwriter.h>

#include <QFile>
#include <cerrno>
#include <cmath>

#include "core/errors.h"
#include "xlsx/replacingfile.h"

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

Workbook::Workbook(const QString& file, const QString& sheetName, const QString& temporaryFolder) {
    const QByteArray folder = QFile::encodeName(temporaryFolder);
    lxw_workbook_options options{};
    // Rows go to disk as they are written: memory stays flat for any size.
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(folder.constData());
    options.use_zip64 = LXW_TRUE;
    book_ = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book_) throw wt::Error(QStringLiteral("Cannot start the workbook: out of memory"));
    sheet_ = workbook_add_worksheet(book_, sheetName.toUtf8().constData());
    if (!sheet_) {
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

void Workbook::setRowLevel(int row, int level) {
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

void Workbook::writeDate(int row, int column, const QDate& date, CellFormat format) {
    writeMoment(row, column, QDateTime(date, QTime(0, 0)), QStringLiteral("dd.MM.yyyy"), format);
}

void Workbook::writeDateTime(int row, int column, const QDateTime& moment, CellFormat format) {
    writeMoment(row, column, moment, QStringLiteral("dd.MM.yyyy HH:mm:ss"), format);
}

void Workbook::writeMoment(int row, int column, const QDateTime& moment, const QString& textForm,
                           CellFormat format) {
    if (!inSpreadsheetCalendar(moment.date())) {
        writeText(row, column, moment.toString(textForm), format);
        return;
    }
    lxw_datetime value = libraryDateTime(moment.date(), moment.time());
    check(worksheet_write_datetime(sheet_, row, column, &value, format.format_), row, column);
}

void Workbook::writeBoolean(int row, int column, bool value, CellFormat format) {
    check(worksheet_write_boolean(sheet_, row, column, value, format.format_), row, column);
}

void Workbook::writeBlank(int row, int column, CellFormat format) {
    check(worksheet_write_blank(sheet_, row, column, format.format_), row, column);
}

void Workbook::close() {
    lxw_workbook* book = book_;
    book_ = nullptr;
    errno = 0;
    const lxw_error result = workbook_close(book);
    const int systemError = errno;
    if (result == LXW_NO_ERROR) return;
    throw wt::Error(systemError != 0 ? systemReason(systemError) : libraryReason(result));
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
