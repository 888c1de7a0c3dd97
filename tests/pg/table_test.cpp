#include "pg/table.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <string>

#include "pg/db_error.h"

namespace {

using pg::FieldKind;

void appendText(pg::Column& column, const QByteArray& text) {
    column.appendRaw(text.constData(), int(text.size()));
}

TEST(TextColumn, StoresEachDistinctTextOnce) {
    auto column = pg::makeColumn("moneda", FieldKind::WideString);
    const QByteArray texts[] = {"EUR", "Lei", "", "EUR"};
    for (int i = 0; i < 30000; ++i) appendText(*column, texts[i % 4]);
    column->appendNull();

    EXPECT_EQ(column->textIdCount(), 4u);  // NULL, EUR, Lei, ""
    EXPECT_EQ(column->textId(0), column->textId(3));
    EXPECT_NE(column->textId(2), 0u);
    EXPECT_EQ(column->textId(30000), 0u);
    EXPECT_TRUE(column->isNull(30000));
    EXPECT_FALSE(column->isNull(2));
    EXPECT_EQ(column->asText(1), "Lei");
    // One byte per row for a column of few texts.
    EXPECT_LT(column->memoryBytes(), 30000u * 2);
}

TEST(TextColumn, KeepsEveryRowWhileIdsOutgrowOneAndTwoBytes) {
    auto column = pg::makeColumn("nr_doc", FieldKind::WideString);
    const int rows = 70000;
    for (int i = 0; i < rows; ++i) appendText(*column, QByteArray::number(i));
    column->squeeze();
    column->insertNull(5);
    column->remove(5);
    appendText(*column, "42");  // looked up again after the index was dropped

    for (int i = 0; i < rows; ++i) ASSERT_EQ(column->asText(i), QString::number(i)) << i;
    EXPECT_EQ(column->textId(rows), column->textId(42));
}

TEST(ValueColumn, KeepsNullsInStepWithRowsInsertedAndRemoved) {
    auto column = pg::makeColumn("n", FieldKind::Integer);
    appendText(*column, "1");
    appendText(*column, "2");
    column->appendNull();
    appendText(*column, "4");
    column->insertNull(0);
    column->remove(2);  // the 2

    ASSERT_EQ(column->rowCount(), 4);
    EXPECT_TRUE(column->isNull(0));
    EXPECT_EQ(column->asInteger(1), 1);
    EXPECT_TRUE(column->isNull(2));
    EXPECT_EQ(column->asInteger(3), 4);
    EXPECT_EQ(column->value(2), QVariant());
}

// The bits of each row's double, so -0 and NaN count as read.
std::vector<std::uint64_t> bitsOfRows(const pg::Column& column) {
    std::vector<std::uint64_t> bits;
    for (int row = 0; row < column.rowCount(); ++row)
        bits.push_back(std::bit_cast<std::uint64_t>(column.asFloat(row)));
    return bits;
}

std::uint64_t bitsOf(const char* text) { return std::bit_cast<std::uint64_t>(std::stod(text)); }

// Past two reviews of the column's storage (at 65,536 and 131,072 rows), then
// edited after the look-up index was dropped.
TEST(FloatColumn, KeepsEveryValueExactlyWhetherValuesRepeatOrNot) {
    const int rows = 140000;
    const std::pair<const char*, std::function<QByteArray(int)>> cases[] = {
        {"a few repeated values",
         [](int row) {
             const char* values[] = {"0", "-0", "0.1", "NaN", "1e300", "-2.5"};
             return QByteArray(values[row % 6]);
         }},
        {"no value twice", [](int row) { return QByteArray::number(row + 0.25, 'f', 2); }},
    };
    for (const auto& [what, textOf] : cases) {
        SCOPED_TRACE(what);
        auto column = pg::makeColumn("amount", FieldKind::Float);
        std::vector<std::uint64_t> expected;
        for (int row = 0; row < rows; ++row) {
            const QByteArray text = textOf(row);
            appendText(*column, text);
            expected.push_back(bitsOf(text.constData()));
        }
        column->squeeze();
        column->setRaw(7, "7.125", 5);
        expected[7] = bitsOf("7.125");
        column->insertNull(3);
        column->remove(0);
        expected.erase(expected.begin());
        expected.insert(expected.begin() + 2, bitsOf("0"));  // a NULL reads as 0
        EXPECT_TRUE(column->isNull(2));
        EXPECT_EQ(bitsOfRows(*column), expected);
    }
}

TEST(FloatColumn, TakesLessRoomWhereValuesRepeat) {
    auto column = pg::makeColumn("rest_mon_com_1_30", FieldKind::Float);
    const int rows = 100000;
    // Mostly zero, as an overdue bucket is for most documents.
    for (int row = 0; row < rows; ++row)
        appendText(*column, row % 10 == 0 ? QByteArray::number(row % 3000) : QByteArray("0"));
    column->squeeze();
    EXPECT_LT(column->memoryBytes(), std::size_t(rows) * 3);
}

struct RoundTrip {
    FieldKind kind;
    const char* server;  // as the server sends it
    const char* saved;   // as a save sends it back
    QVariant value;
};
void PrintTo(const RoundTrip& r, std::ostream* out) {
    *out << pg::kindName(r.kind).toStdString() << " " << r.server;
}

class ServerText : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ServerText, ReadsAndWritesBackTheSameValue) {
    auto column = pg::makeColumn("c", GetParam().kind);
    appendText(*column, GetParam().server);
    EXPECT_EQ(column->serverText(0), QByteArray(GetParam().saved));
    EXPECT_EQ(column->value(0), GetParam().value);
}

const QDateTime utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

INSTANTIATE_TEST_SUITE_P(
    ServerValues, ServerText,
    ::testing::Values(
        RoundTrip{FieldKind::Date, "2024-02-29", "2024-02-29", QDate(2024, 2, 29)},
        RoundTrip{FieldKind::Date, "1969-12-31", "1969-12-31", QDate(1969, 12, 31)},
        RoundTrip{FieldKind::Date, "0044-03-15 BC", "0044-03-15 BC", QDate(-44, 3, 15)},
        RoundTrip{FieldKind::DateTime, "2024-01-31 10:20:30.5", "2024-01-31 10:20:30.500000",
                  utc(2024, 1, 31, 10, 20, 30, 500)},
        RoundTrip{FieldKind::DateTime, "1960-06-01 00:00:00.000001", "1960-06-01 00:00:00.000001",
                  utc(1960, 6, 1, 0, 0, 0)},
        RoundTrip{FieldKind::TimeStamp, "2024-01-31 10:20:30+02", "2024-01-31 08:20:30.000000+00",
                  utc(2024, 1, 31, 8, 20, 30)},
        RoundTrip{FieldKind::TimeStamp, "2024-01-31 00:10:00-03:30",
                  "2024-01-31 03:40:00.000000+00", utc(2024, 1, 31, 3, 40, 0)},
        RoundTrip{FieldKind::Time, "23:59:59.999999", "23:59:59.999999", QTime(23, 59, 59, 999)},
        RoundTrip{FieldKind::Float, "0.1", "0.1", 0.1},
        RoundTrip{FieldKind::Float, "123456789012.35", "123456789012.35", 123456789012.35},
        RoundTrip{FieldKind::Float, "-Infinity", "-Infinity", -HUGE_VAL},
        RoundTrip{FieldKind::Boolean, "t", "t", true},
        RoundTrip{FieldKind::Integer, "-2147483648", "-2147483648", qint64(-2147483648LL)},
        RoundTrip{FieldKind::LargeInt, "9223372036854775807", "9223372036854775807",
                  qint64(9223372036854775807LL)},
        RoundTrip{FieldKind::Guid, "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11",
                  "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11",
                  QStringLiteral("a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11")}));

TEST(ValueColumn, RefusesTextThatIsNotItsKind) {
    const std::pair<FieldKind, const char*> cases[] = {
        {FieldKind::Date, "infinity"}, {FieldKind::Date, "2024-13-01"},
        {FieldKind::Integer, "12x"},   {FieldKind::Integer, "99999999999"},
        {FieldKind::Float, "1,5"},     {FieldKind::DateTime, "2024-01-01"},
        {FieldKind::Boolean, "yes"},   {FieldKind::Time, "10:00"},
    };
    for (const auto& [kind, text] : cases) {
        auto column = pg::makeColumn("c", kind);
        EXPECT_THROW(appendText(*column, text), pg::DbError) << text;
    }
}

TEST(ValueColumn, TakesProgramValuesAsNullWhenEmpty) {
    pg::Table table;
    table.addColumn(pg::makeColumn("text", FieldKind::WideString));
    table.addColumn(pg::makeColumn("amount", FieldKind::Float));
    table.addColumn(pg::makeColumn("day", FieldKind::Date));
    table.appendRow();

    table.setValue(0, 0, QString(""));
    table.setValue(0, 1, QString("2.5"));
    table.setValue(0, 2, QDate(2024, 5, 6));
    EXPECT_FALSE(table.column(0).isNull(0));
    EXPECT_EQ(table.column(1).asFloat(0), 2.5);
    EXPECT_EQ(table.column(2).value(0), QDate(2024, 5, 6));

    table.setValue(0, 0, QString());
    table.setValue(0, 1, QString(""));
    table.setValue(0, 2, QDate());
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(table.column(c).isNull(0)) << c;

    EXPECT_THROW(table.setValue(0, 1, QString("abc")), wt::Error);
}

}  // namespace
