#include "pgtest.h"

namespace {

using namespace pg;
using pgtest::errorOf;

class QueryTest : public pgtest::ScratchDatabase {
  protected:
    void SetUp() override {
        ScratchDatabase::SetUp();
        exec(QStringLiteral(
            "create table sample (name varchar(100), code char(3), note text, amount numeric(18,2),"
            " ratio double precision, small real, big bigint, n integer, day date, at timestamp,"
            " at_tz timestamptz, tm time, flag boolean, id uuid, raw bytea, span interval);"
            "insert into sample values ('Ștefan', 'EU', 'long', 0.10, 0.2, 0.3, 5000000000, 7,"
            " '2024-02-29', '2024-02-29 13:14:15.5', '2024-02-29 13:14:15+02', '08:30', true,"
            " 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', '\\x00ff', '1 day');"
            "insert into sample (name) values (null);"
            "grant all on sample to vek;"));
    }
};

struct Binding {
    FieldDefs declared;
    const char* error;  // "" when the open succeeds
};
void PrintTo(const Binding& b, std::ostream* out) { *out << (*b.error ? b.error : "binds"); }

class DeclaredColumns : public QueryTest, public ::testing::WithParamInterface<Binding> {};

TEST_P(DeclaredColumns, BindByNameAndGroup) {
    auto q = query(QStringLiteral("select * from sample"), GetParam().declared);
    EXPECT_EQ(errorOf([&] { q->open(); }), GetParam().error);
    EXPECT_EQ(q->isOpen(), QString(GetParam().error).isEmpty());
    EXPECT_TRUE(connection().isConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, DeclaredColumns,
    ::testing::Values(
        Binding{{textField("name", 10),
                 textField("code", 3),
                 memoField("note"),
                 floatField("amount"),
                 floatField("ratio"),
                 dateField("day"),
                 dateTimeField("at"),
                 integerField("n"),
                 booleanField("flag"),
                 {"id", FieldKind::String},
                 {"raw", FieldKind::Blob},
                 {"span", FieldKind::WideMemo},
                 {"small", FieldKind::Single},
                 {"at_tz", FieldKind::OraTimeStamp},
                 {"tm", FieldKind::DateTime},
                 {"big", FieldKind::LargeInt}},
                ""},
        Binding{{textField("name", 100), textField("emitent", 100)},
                "dsTest: Field 'emitent' not found"},
        Binding{{integerField("big")},
                "dsTest: Type mismatch for field 'big', expecting: Integer actual: LargeInt"},
        Binding{{textField("note", 50)},
                "dsTest: Type mismatch for field 'note', expecting: WideString actual: WideMemo"},
        Binding{{textField("id", 36)},
                "dsTest: Type mismatch for field 'id', expecting: WideString actual: Guid"},
        Binding{{floatField("small")},
                "dsTest: Type mismatch for field 'small', expecting: Float actual: Single"},
        Binding{{dateField("at_tz")},
                "dsTest: Type mismatch for field 'at_tz', expecting: Date actual: TimeStamp"},
        // The first failure ends the open: only one column is named.
        Binding{{integerField("name"), textField("missing", 5)},
                "dsTest: Type mismatch for field 'name', expecting: Integer actual: WideString"}));

TEST_F(QueryTest, HoldsOnlyTheDeclaredColumnsInDeclaredOrder) {
    auto q =
        query(QStringLiteral("select * from sample"), {floatField("amount"), textField("name", 3)});
    q->open();
    ASSERT_EQ(q->table().columnCount(), 2);
    EXPECT_EQ(q->table().column(0).name(), "amount");
    EXPECT_EQ(q->asText("name"), QString::fromUtf8("Ștefan"));  // a length never cuts
    EXPECT_EQ(errorOf([&] { q->value("note"); }), "dsTest: Field 'note' not found");
}

TEST_F(QueryTest, WithoutDeclarationsEveryColumnIsAvailable) {
    auto q = query(QStringLiteral("select * from sample order by name nulls last"));
    q->open();
    EXPECT_EQ(q->table().columnCount(), 16);
    EXPECT_EQ(q->rowCount(), 2);
    const std::pair<const char*, QVariant> values[] = {
        {"name", QString::fromUtf8("Ștefan")},
        {"code", QStringLiteral("EU ")},
        {"amount", 0.1},
        {"ratio", 0.2},
        {"small", 0.3},
        {"big", qint64(5000000000)},
        {"n", qint64(7)},
        {"day", QDate(2024, 2, 29)},
        {"at", QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 500), Qt::UTC)},
        {"at_tz", QDateTime(QDate(2024, 2, 29), QTime(11, 14, 15), Qt::UTC)},
        {"tm", QTime(8, 30)},
        {"flag", true},
        {"id", QStringLiteral("a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11")},
        {"raw", QStringLiteral("\\x00ff")},
        {"span", QStringLiteral("1 day")},
    };
    for (const auto& [column, value] : values) EXPECT_EQ(q->value(column), value) << column;
    q->setCurrentRow(1);
    for (const auto& [column, value] : values) EXPECT_TRUE(q->isNull(column)) << column;
}

TEST_F(QueryTest, NumericBindsAsTheNearestDoubleOfEachDecimal) {
    auto q = query(QStringLiteral("select 0.1::numeric(18,2) as a, 0.2::numeric(18,2) as b,"
                                  " 1234567890123456.78::numeric(18,2) as c,"
                                  " 0.1::float8 + 0.2::float8 as d"),
                   {floatField("a"), floatField("b"), floatField("c"), floatField("d")});
    q->open();
    EXPECT_EQ(q->asFloat("a"), 0.1);
    EXPECT_EQ(q->asFloat("b"), 0.2);
    EXPECT_EQ(q->asFloat("c"), 1234567890123456.78);
    EXPECT_EQ(q->asFloat("d"), 0.1 + 0.2);
}

TEST_F(QueryTest, SendsParametersUnchanged) {
    const QString values[] = {
        QString::fromUtf8("Ștefan' OR '1'='1 \\ %_ \n\t\"x\" $1 :pB"),
        QString(),
        QStringLiteral(" "),
        QString::fromUtf8("日本語 ✓ 😀"),
    };
    for (const QString& value : values) {
        auto q = query(QStringLiteral("select :pA as a, length(:pA) as n"));
        q->setParam(QStringLiteral("pA"), value);
        q->open();
        EXPECT_EQ(q->asText("a"), value);
        EXPECT_EQ(q->asInteger("n"), value.toStdU32String().size());
    }
}

TEST_F(QueryTest, RefusesParametersItCannotSendAsGiven) {
    auto q = query(QStringLiteral("select :pA, :pB"));
    EXPECT_EQ(errorOf([&] { q->setParam(QStringLiteral("pC"), "x"); }),
              "dsTest: Parameter 'pC' not found");
    q->setParam(QStringLiteral("PA"), QStringLiteral("x"));
    EXPECT_EQ(errorOf([&] { q->open(); }), "dsTest: no value given for parameter 'pB'");
    q->setParam(QStringLiteral("pB"), QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    EXPECT_TRUE(errorOf([&] { q->open(); }).contains("parameter 'pB' contains a NUL character"));
    EXPECT_FALSE(q->isOpen());
    EXPECT_FALSE(connection().isConnected());
}

TEST_F(QueryTest, AServerErrorLeavesTheQueryClosedAndTheConnectionUsable) {
    auto q = query(QStringLiteral("select * from no_such_table"));
    EXPECT_EQ(errorOf([&] { q->open(); }), "relation \"no_such_table\" does not exist");
    EXPECT_FALSE(q->isOpen());
    EXPECT_EQ(vekScalar(QStringLiteral("select 2")), "2");
}

TEST_F(QueryTest, AFailedReadOfTheLaterRowsLeavesTheQueryClosed) {
    auto q = query(QStringLiteral("select 1 / (2 - g) as x from generate_series(1, 3) g"));
    EXPECT_EQ(errorOf([&] { q->open(); }), "division by zero");
    EXPECT_FALSE(q->isOpen());
    EXPECT_EQ(q->rowCount(), 0);
}

TEST_F(QueryTest, ReadsOfAnEmptyResultAreNullAndCloseKeepsTheConnection) {
    auto q = query(QStringLiteral("select * from sample where false"), {textField("name", 5)});
    q->open();
    EXPECT_TRUE(q->isEmpty());
    EXPECT_EQ(q->currentRow(), -1);
    EXPECT_EQ(q->asText("name"), "");
    EXPECT_TRUE(q->isNull("name"));
    q->close();
    EXPECT_FALSE(q->isOpen());
    EXPECT_TRUE(connection().isConnected());
}

}  // namespace
