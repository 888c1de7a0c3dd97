// Texts made to change a query's meaning or to be cut short, typed where the
// client sends them to the database: each reaches it as a parameter, exactly
// as typed, or is refused with a message; no other row or table changes.
#include "data/u_dmCon.h"
#include "pg/connection.h"
#include "pg/db_error.h"
#include "pg/query.h"
#include "reports/aging/buttonedit.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "tests/aging/agingfixture.h"
#include "tests/support/testcluster.h"

using namespace Qt::Literals::StringLiterals;

namespace agingtest {
namespace {

TfAccountsPayableReceivableAging& window() { return *fAccountsPayableReceivableAging; }

const QString kHostileTexts[] = {
    u"'); drop table data_list; --"_s,
    u"\\'; select pg_sleep(5); \\"_s,
    u"% _ %% __ \\% \\_"_s,
    u"$1 :pA ::text"_s,
    QString::fromUtf8("\u202Eabc\u202C \u05E9\u05DC\u05D5\u05DD"),  // right-to-left
    QString::fromUtf8("e\u0301\u0301 a\u0308\u20DD"),               // combining marks
    QString(100000, u'x'),
};

using HostileInput = AgingTest;

TEST_F(HostileInput, TextsReachTheDatabaseUnchangedAsParameters) {
    pg::Query echo(u"dsEcho"_s, dmCon->conVek,
                   {u"select :pA as a, length(:pA) as n, :pA = :pB as same"_s});
    for (const QString& text : kHostileTexts) {
        SCOPED_TRACE(text.left(40).toStdString());
        echo.close();
        echo.setParam(u"pA"_s, text);
        echo.setParam(u"pB"_s, text);
        echo.open();
        EXPECT_EQ(echo.asText(u"a"_s), text);
        EXPECT_EQ(echo.asInteger(u"n"_s), qint64(text.toStdU32String().size()));
        EXPECT_EQ(echo.asText(u"same"_s), u"True"_s);
    }
}

TEST_F(HostileInput, CurrencyAndRateFieldsStoreTheTextAsTypedOrRefuseIt) {
    const QString tables =
        u"select string_agg(tablename, ' ' order by tablename) from pg_tables "
        "where schemaname = 'public'"_s;
    const QString listed = scalar(tables);
    const QString currencies =
        scalar(u"select string_agg(moneda, ' ' order by moneda) from moneda"_s);
    for (const QString& text : kHostileTexts) {
        SCOPED_TRACE(text.left(40).toStdString());
        dialogs.errors.clear();
        window().cxButtonEditCurrency->setText(text);
        window().EditExchange->setText(u"1"_s);
        searchAtFixtureDay();
        EXPECT_EQ(dialogs.errors, QStringList());
        EXPECT_EQ(scalar(u"select moneda_raportare from data_list"_s), text.left(3));

        window().cxButtonEditCurrency->setText(u"EUR"_s);
        window().EditExchange->setText(text);
        searchAtFixtureDay();
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].contains(u"is not a valid floating point value"_s));
    }
    EXPECT_EQ(scalar(tables), listed);
    EXPECT_EQ(scalar(u"select string_agg(moneda, ' ' order by moneda) from moneda"_s), currencies);
    EXPECT_EQ(scalar(u"select count(*) from data_list"_s), u"1"_s);
}

TEST_F(HostileInput, AnEmbeddedNulIsRefusedRatherThanCutShort) {
    window().cxButtonEditCurrency->setText(u"EUR"_s);
    searchAtFixtureDay();
    ASSERT_EQ(dialogs.errors, QStringList());
    window().cxButtonEditCurrency->setText(u"A"_s + QChar(0) + u"B"_s);
    searchAtFixtureDay();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(u"NUL character"_s)) << dialogs.errors[0].toStdString();
    EXPECT_EQ(scalar(u"select moneda_raportare from data_list"_s), u"EUR"_s);
}

// Server and database come from the directory's row: whatever they hold, the
// connection goes where they name, over SSL, or fails.
TEST_F(HostileInput, ConnectionValuesCannotCarryOptions) {
    struct Case {
        QString server;
        QString database;
    };
    const Case cases[] = {
        {u"127.0.0.1 sslmode=disable"_s, database},
        {u"127.0.0.1' sslmode='disable"_s, database},
        {u"127.0.0.1"_s, database + u" dbname=postgres"_s},
        {u"127.0.0.1"_s, u"postgres' sslmode='disable"_s},
        {u"127.0.0.1"_s, u"host=127.0.0.1 dbname=postgres sslmode=disable"_s},
        {u"127.0.0.1"_s, u"postgresql://127.0.0.1/postgres?sslmode=disable"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.server + u" / "_s + c.database).toStdString());
        pg::Connection connection(u"conHostile"_s,
                                  {c.server, testsupport::cluster().port, c.database, u"vek"_s,
                                   testsupport::cluster().password, 5});
        pg::Query where(u"dsWhere"_s, connection,
                        {u"select current_database() as db, ssl from pg_stat_ssl"
                         " where pid = pg_backend_pid()"_s});
        try {
            where.open();
            EXPECT_EQ(where.asText(u"db"_s), c.database);
            EXPECT_EQ(where.asText(u"ssl"_s), u"True"_s);
        } catch (const pg::DbError& error) {
            EXPECT_FALSE(error.message().contains(u"pg_hba.conf"_s))
                << error.message().toStdString();
        }
    }
}

}  // namespace
}  // namespace agingtest
