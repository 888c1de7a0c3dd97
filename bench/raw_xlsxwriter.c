/* The export's floor: the report's rows grouped by partner, written with
 * libxlsxwriter alone, with the same cells (header, group rows, data rows,
 * group footers with their sums, the footer), as many formats and the same
 * outline as the grid's export, and no grid in between.
 *
 *   raw_xlsxwriter QUERYFILE LAYOUTFILE OUTFILE constant|default
 *
 * The rows are read through libpq (PGHOST, PGPORT, PGDATABASE, PGUSER,
 * PGPASSWORD, PGSSLMODE) and converted to values first; only the writing is
 * timed. LAYOUTFILE is what "wt_bench layout" prints. Prints one JSON line:
 * rows, readSeconds, writeSeconds, peakKb. */
#include <libpq-fe.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <xlsxwriter.h>

enum { max_columns = 64, max_sums = 8, text_size = 128 };

typedef enum { kind_text, kind_number, kind_integer, kind_date, kind_count } cell_kind;

typedef struct {
    char field[text_size];
    char caption[text_size];
    int width;
    int source; /* result column */
    cell_kind kind;
    int sum; /* index into the sums, or -1 */
} column_def;

typedef struct {
    column_def columns[max_columns]; /* the shown ones: all but the group's */
    int count;
    char group_field[text_size];
    char group_caption[text_size];
    int group_source;
    char sum_fields[max_sums][text_size];
    int sum_count;
} layout_def;

typedef struct {
    int is_null;
    double number;
    lxw_datetime date;
    const char* text;
} cell;

typedef struct {
    double value[max_sums];
} sums;

typedef struct {
    lxw_format *header, *group, *footer, *sum;
    /* Even and odd rows, per kind of cell. One format per look: the library
     * looks a duplicate format's index up anew for every cell. */
    lxw_format* data[2][kind_count];
} formats;

static void fail(const char* what, const char* detail) {
    fprintf(stderr, "raw_xlsxwriter: %s%s%s\n", what, detail ? ": " : "", detail ? detail : "");
    exit(1);
}

static double now_seconds(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static char* read_file(const char* path) {
    FILE* file = fopen(path, "rb");
    if (!file) fail("cannot open", path);
    fseek(file, 0, SEEK_END);
    const long size = ftell(file);
    rewind(file);
    char* text = malloc((size_t)size + 1);
    if (!text || fread(text, 1, (size_t)size, file) != (size_t)size) fail("cannot read", path);
    text[size] = '\0';
    fclose(file);
    return text;
}

static void copy_text(char* target, const char* source) {
    snprintf(target, text_size, "%s", source ? source : "");
}

/* Lines "group FIELD", "column FIELD WIDTH CAPTION", "sum FIELD", tab-separated. */
static void read_layout(const char* path, layout_def* layout) {
    char* text = read_file(path);
    memset(layout, 0, sizeof *layout);
    for (char* line = strtok(text, "\n"); line; line = strtok(NULL, "\n")) {
        char* fields[4] = {0};
        int n = 0;
        for (char* at = line; at && n < 4; ++n) {
            fields[n] = at;
            at = strchr(at, '\t');
            if (at) *at++ = '\0';
        }
        if (strcmp(fields[0], "group") == 0) copy_text(layout->group_field, fields[1]);
        if (strcmp(fields[0], "sum") == 0 && layout->sum_count < max_sums)
            copy_text(layout->sum_fields[layout->sum_count++], fields[1]);
        if (strcmp(fields[0], "column") == 0 && n == 4) {
            if (strcmp(fields[1], layout->group_field) == 0) {
                copy_text(layout->group_caption, fields[3]);
                continue;
            }
            column_def* column = &layout->columns[layout->count++];
            copy_text(column->field, fields[1]);
            column->width = atoi(fields[2]);
            copy_text(column->caption, fields[3]);
        }
    }
    free(text);
}

static int result_column(const PGresult* result, const char* field) {
    const int column = PQfnumber(result, field);
    if (column < 0) fail("the result has no column", field);
    return column;
}

/* By the result column's type: numeric, float8, int4, date, else text. */
static cell_kind kind_of(Oid type) {
    switch (type) {
        case 1700:
        case 701:
            return kind_number;
        case 23:
        case 21:
            return kind_integer;
        case 1082:
            return kind_date;
        default:
            return kind_text;
    }
}

static void bind_layout(layout_def* layout, const PGresult* result) {
    layout->group_source = result_column(result, layout->group_field);
    for (int i = 0; i < layout->count; ++i) {
        column_def* column = &layout->columns[i];
        column->source = result_column(result, column->field);
        column->kind = kind_of(PQftype(result, column->source));
        column->sum = -1;
        for (int s = 0; s < layout->sum_count; ++s)
            if (strcmp(layout->sum_fields[s], column->field) == 0) column->sum = s;
    }
}

static cell value_of(const PGresult* result, int row, const column_def* column) {
    cell value = {0};
    value.is_null = PQgetisnull(result, row, column->source);
    if (value.is_null) return value;
    const char* text = PQgetvalue(result, row, column->source);
    value.text = text;
    if (column->kind == kind_number || column->kind == kind_integer)
        value.number = strtod(text, NULL);
    if (column->kind == kind_date)
        sscanf(text, "%d-%d-%d", &value.date.year, &value.date.month, &value.date.day);
    return value;
}

static cell* read_cells(const PGresult* result, const layout_def* layout) {
    const int rows = PQntuples(result);
    cell* cells = malloc(sizeof(cell) * (size_t)(rows > 0 ? rows : 1) * (size_t)layout->count);
    if (!cells) fail("out of memory", NULL);
    for (int row = 0; row < rows; ++row)
        for (int i = 0; i < layout->count; ++i)
            cells[(size_t)row * (size_t)layout->count + (size_t)i] =
                value_of(result, row, &layout->columns[i]);
    return cells;
}

/* The grid style's colours and fonts, element by element. */
static lxw_format* look(lxw_workbook* book, lxw_color_t background, lxw_color_t text,
                        const char* font, int bold, const char* number_format) {
    lxw_format* format = workbook_add_format(book);
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, background);
    format_set_font_color(format, text);
    format_set_font_name(format, font);
    format_set_font_size(format, 8);
    if (bold) format_set_bold(format);
    if (number_format) format_set_num_format(format, number_format);
    return format;
}

static const char* number_format_of(cell_kind kind) {
    switch (kind) {
        case kind_number:
            return "#,##0.00##";
        case kind_integer:
            return "0";
        case kind_date:
            return "dd.mm.yyyy";
        default:
            return NULL;
    }
}

static formats make_formats(lxw_workbook* book) {
    formats f;
    f.header = look(book, 0x316AC5, 0xFFFFFF, "MS Sans Serif", 1, NULL);
    f.group = look(book, 0xF1EFE2, LXW_COLOR_BLACK, "Tahoma", 0, NULL);
    f.footer = look(book, 0xFFFFE1, 0x000080, "MS Sans Serif", 1, NULL);
    f.sum = look(book, 0xFFFFE1, 0x000080, "MS Sans Serif", 1, "#,##0.00;-#,##0.00");
    const lxw_color_t even_odd[2] = {0xD9EAF7, 0xBCDBF1};
    for (int parity = 0; parity < 2; ++parity)
        for (int kind = 0; kind < kind_count; ++kind)
            f.data[parity][kind] = look(book, even_odd[parity], LXW_COLOR_BLACK, "Tahoma", 0,
                                        number_format_of((cell_kind)kind));
    return f;
}

static void check(lxw_error result) {
    if (result != LXW_NO_ERROR) fail("libxlsxwriter", lxw_strerror(result));
}

static void set_level(lxw_worksheet* sheet, lxw_row_t row, int level) {
    lxw_row_col_options options = {0};
    options.level = (uint8_t)level;
    check(worksheet_set_row_opt(sheet, row, LXW_DEF_ROW_HEIGHT, NULL, &options));
}

static void write_cell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const cell* value,
                       cell_kind kind, lxw_format* format) {
    if (value->is_null) {
        check(worksheet_write_blank(sheet, row, col, format));
        return;
    }
    switch (kind) {
        case kind_number:
        case kind_integer:
            check(worksheet_write_number(sheet, row, col, value->number, format));
            break;
        case kind_date: {
            lxw_datetime date = value->date;
            check(worksheet_write_datetime(sheet, row, col, &date, format));
            break;
        }
        default:
            check(worksheet_write_string(sheet, row, col, value->text, format));
    }
}

static void write_sums(lxw_worksheet* sheet, lxw_row_t row, const layout_def* layout,
                       const sums* totals, const formats* f) {
    set_level(sheet, row, 0);
    for (int i = 0; i < layout->count; ++i) {
        const int s = layout->columns[i].sum;
        if (s >= 0)
            check(worksheet_write_number(sheet, row, (lxw_col_t)i, totals->value[s], f->sum));
        else
            check(worksheet_write_blank(sheet, row, (lxw_col_t)i, f->footer));
    }
}

static void write_group_row(lxw_worksheet* sheet, lxw_row_t row, const layout_def* layout,
                            const char* name, const formats* f) {
    char caption[2 * text_size + 512];
    snprintf(caption, sizeof caption, "%s : %s", layout->group_caption, name);
    set_level(sheet, row, 0);
    check(worksheet_write_string(sheet, row, 0, caption, f->group));
    for (int i = 1; i < layout->count; ++i)
        check(worksheet_write_blank(sheet, row, (lxw_col_t)i, f->group));
}

static void add_to(sums* totals, const layout_def* layout, const cell* row_cells) {
    for (int i = 0; i < layout->count; ++i) {
        const int s = layout->columns[i].sum;
        if (s >= 0 && !row_cells[i].is_null) totals->value[s] += row_cells[i].number;
    }
}

static void write_header(lxw_worksheet* sheet, const layout_def* layout, const formats* f) {
    for (int i = 0; i < layout->count; ++i) {
        check(worksheet_set_column_pixels(sheet, (lxw_col_t)i, (lxw_col_t)i,
                                          (uint32_t)layout->columns[i].width, NULL));
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_outline_settings(sheet, LXW_TRUE, LXW_FALSE, LXW_TRUE, LXW_FALSE);
    for (int i = 0; i < layout->count; ++i)
        check(
            worksheet_write_string(sheet, 0, (lxw_col_t)i, layout->columns[i].caption, f->header));
}

/* Rows come ordered by partner, so a group ends where the partner changes.
 * Listed positions count group rows and data rows, as the grid's even/odd
 * colouring does. */
static void write_rows(lxw_worksheet* sheet, const PGresult* result, const layout_def* layout,
                       const cell* cells, const formats* f) {
    const int rows = PQntuples(result);
    lxw_row_t sheet_row = 1;
    int position = 0;
    sums group = {{0}}, total = {{0}};
    for (int row = 0; row < rows; ++row) {
        const char* name = PQgetvalue(result, row, layout->group_source);
        if (row == 0 || strcmp(name, PQgetvalue(result, row - 1, layout->group_source)) != 0) {
            if (row > 0) write_sums(sheet, sheet_row++, layout, &group, f);
            memset(&group, 0, sizeof group);
            write_group_row(sheet, sheet_row++, layout, name, f);
            ++position;
        }
        const cell* row_cells = cells + (size_t)row * (size_t)layout->count;
        set_level(sheet, sheet_row, 1);
        for (int i = 0; i < layout->count; ++i)
            write_cell(sheet, sheet_row, (lxw_col_t)i, &row_cells[i], layout->columns[i].kind,
                       f->data[position % 2][layout->columns[i].kind]);
        ++sheet_row;
        ++position;
        add_to(&group, layout, row_cells);
        add_to(&total, layout, row_cells);
    }
    if (rows > 0) write_sums(sheet, sheet_row++, layout, &group, f);
    write_sums(sheet, sheet_row, layout, &total, f);
}

static void write_workbook(const char* path, int constant_memory, const PGresult* result,
                           const layout_def* layout, const cell* cells) {
    lxw_workbook_options options = {0};
    options.constant_memory = constant_memory ? LXW_TRUE : LXW_FALSE;
    options.tmpdir = "/tmp";
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path, &options);
    if (!book) fail("cannot start the workbook", path);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "ReceivablesPayablesAgingAnalysi");
    const formats f = make_formats(book);
    write_header(sheet, layout, &f);
    write_rows(sheet, result, layout, cells, &f);
    check(workbook_close(book));
}

int main(int argc, char** argv) {
    if (argc != 5 || (strcmp(argv[4], "constant") != 0 && strcmp(argv[4], "default") != 0)) {
        fputs("usage: raw_xlsxwriter QUERYFILE LAYOUTFILE OUTFILE constant|default\n", stderr);
        return 2;
    }
    layout_def layout;
    read_layout(argv[2], &layout);
    char* query = read_file(argv[1]);
    const double read_start = now_seconds();
    PGconn* conn = PQconnectdb("");
    if (PQstatus(conn) != CONNECTION_OK) fail("cannot connect", PQerrorMessage(conn));
    PGresult* result = PQexec(conn, query);
    if (PQresultStatus(result) != PGRES_TUPLES_OK) fail("the query failed", PQerrorMessage(conn));
    bind_layout(&layout, result);
    cell* cells = read_cells(result, &layout);
    const double write_start = now_seconds();
    write_workbook(argv[3], strcmp(argv[4], "constant") == 0, result, &layout, cells);
    const double write_end = now_seconds();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("{\"rows\":%d,\"readSeconds\":%.6f,\"writeSeconds\":%.6f,\"peakKb\":%ld}\n",
           PQntuples(result), write_start - read_start, write_end - write_start, usage.ru_maxrss);
    free(cells);
    free(query);
    PQclear(result);
    PQfinish(conn);
    return 0;
}
