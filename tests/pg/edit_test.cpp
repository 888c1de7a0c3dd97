#include <QSignalSpy>

#include "pgtest.h"

namespace {

using namespace pg;
using pgtest::errorOf;

// The currency table has a primary key; the parameter table has none, so
// its rows are found by ctid.
class EditTest : public pgtest::ScratchDatabase {
  protected:
    void SetUp() override {
        ScratchDatabase::SetUp();
        exec(QStringLiteral(R"(
            create table moneda (moneda varchar(3) primary key, den_moneda varchar(30),
                lim_sup_reg_inc_pl numeric(18,2) default 100, discontinued boolean not null,
                rate double precision default 0.1);
            insert into moneda values ('EUR', 'Euro', 1234.56, false, 0.1::float8 + 0.2),
                ('Lei', 'Leu', 0.10, false, 1e-300);
            create table data_list (data_incep date not null, data_sf date,
                moneda_raportare varchar(3), curs_raportare numeric(18,4), note json,
                exact numeric);
            insert into data_list
                values ('2024-01-01', '2024-01-31', 'Lei', 1, '"a"', 0.12345678901234567890123);
            grant all on moneda, data_list to vek;)"));
    }

    std::unique_ptr<Query> currencies() {
        return query(QStringLiteral("select * \nfrom moneda\norder by moneda\n;"),
                     {textField("moneda", 3, true), textField("den_moneda", 30),
                      floatField("lim_sup_reg_inc_pl"), booleanField("discontinued", true)},
                     QStringLiteral("moneda"));
    }
    std::unique_ptr<Query> parameters() {
        return query(
            QStringLiteral("select * \nfrom data_list\n;"),
            {dateField("data_incep", true), dateField("data_sf"), textField("moneda_raportare", 3),
             floatField("curs_raportare"), memoField("note"), floatField("exact")},
            QStringLiteral("data_list"));
    }
    std::string rows(const QString& table) {
        return scalar(QStringLiteral("select string_agg(t::text, ' ' order by t::text) from %1 t")
                          .arg(table))
            .toStdString();
    }
};

TEST_F(EditTest, SavesEditsNewRowsAndDeletionsOfATableWithAPrimaryKey) {
    auto q = currencies();
    q->open();
    q->edit();
    q->setValue(QStringLiteral("den_moneda"), QStringLiteral("Euro nou"));
    q->post();
    q->append();
    q->setValue(QStringLiteral("moneda"), QStringLiteral("USD"));
    q->setValue(QStringLiteral("discontinued"), true);
    q->post();
    EXPECT_EQ(q->asFloat("lim_sup_reg_inc_pl"), 100);  // the default, read back
    q->setCurrentRow(1);
    ASSERT_EQ(q->asText("moneda"), "Lei");
    q->deleteCurrent();

    EXPECT_EQ(q->state(), RowState::Browse);
    EXPECT_EQ(q->rowCount(), 2);
    EXPECT_EQ(rows("moneda"),
              "(EUR,\"Euro nou\",1234.56,f,0.30000000000000004) (USD,,100.00,t,0.1)");
}

TEST_F(EditTest, ASaveAfterALostConnectionReconnectsAndSavesThePendingEdit) {
    auto q = currencies();
    q->open();
    q->edit();
    q->setValue(QStringLiteral("den_moneda"), QStringLiteral("Euro nou"));
    exec(
        QStringLiteral("select pg_terminate_backend(pid, 10000) from pg_stat_activity "
                       "where datname = current_database() and usename = 'vek'"));
    EXPECT_FALSE(errorOf([&] { q->post(); }).isEmpty());
    EXPECT_EQ(errorOf([&] { q->post(); }), QString());
    EXPECT_EQ(scalar(QStringLiteral("select den_moneda from moneda where moneda = 'EUR'")),
              "Euro nou");
}

TEST_F(EditTest, AFieldValueWithANulCharacterIsRefusedRatherThanSavedCutShort) {
    auto q = currencies();
    q->open();
    const std::string before = rows("moneda");
    const QString cut = QStringLiteral("Eu") + QChar(0) + QStringLiteral("ro");
    EXPECT_EQ(errorOf([&] { q->setValue(QStringLiteral("den_moneda"), cut); }),
              "dsTest: the value of field 'den_moneda' contains a NUL character, which a query "
              "cannot carry");
    EXPECT_FALSE(q->isModified());
    EXPECT_EQ(rows("moneda"), before);
}

TEST_F(EditTest, SavesRowsOfATableWithoutAPrimaryKeyByTheirCtid) {
    exec(QStringLiteral("insert into data_list select * from data_list"));  // two equal rows
    auto q = parameters();
    q->open();
    for (const char* rate : {"4.9735", "2.5"}) {  // the second save finds the row moved
        q->edit();
        q->setValue(QStringLiteral("data_sf"), QDate(2024, 6, 30));
        q->setValue(QStringLiteral("moneda_raportare"), QStringLiteral("EUR"));
        q->setValue(QStringLiteral("curs_raportare"), QString::fromLatin1(rate));
        q->post();
    }
    q->setCurrentRow(1);
    q->deleteCurrent();
    q->append();
    q->setValue(QStringLiteral("data_incep"), QDate(2025, 1, 1));
    q->post();

    EXPECT_EQ(rows("data_list"),
              "(2024-01-01,2024-06-30,EUR,2.5000,\"\"\"a\"\"\",0.12345678901234567890123) "
              "(2025-01-01,,,,,)");
}

TEST_F(EditTest, ASaveOfARowChangedOrDeletedMeanwhileIsRefused) {
    struct Case {
        const char* otherClient;
        bool byDeleting;
    };
    const Case cases[] = {
        {"update moneda set den_moneda = 'Alt' where moneda = 'EUR'", false},
        {"update moneda set lim_sup_reg_inc_pl = 1234.57 where moneda = 'EUR'", false},
        {"delete from moneda where moneda = 'EUR'", false},
        {"update moneda set den_moneda = 'Alt' where moneda = 'EUR'", true},
        {"update data_list set note = '2'", false},
        {"delete from data_list", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.otherClient);
        const bool currency = QByteArray(c.otherClient).contains("moneda");
        exec(QStringLiteral(
            "delete from moneda; delete from data_list;"
            "insert into moneda values ('EUR', 'Euro', 1234.56, false);"
            "insert into data_list values ('2024-01-01', null, 'Lei', 1, '1', 0.3);"));
        auto q = currency ? currencies() : parameters();
        q->open();
        exec(QString::fromLatin1(c.otherClient));
        const std::string before = rows(currency ? "moneda" : "data_list");
        QString error;
        if (c.byDeleting) {
            error = errorOf([&] { q->deleteCurrent(); });
            EXPECT_EQ(q->rowCount(), 1);
        } else {
            q->setValue(currency ? "den_moneda" : "moneda_raportare", QStringLiteral("X"));
            error = errorOf([&] { q->post(); });
            EXPECT_EQ(q->state(), RowState::Edit);
            EXPECT_TRUE(q->isModified());
        }
        EXPECT_TRUE(error.contains("changed or deleted by another user")) << error.toStdString();
        EXPECT_EQ(rows(currency ? "moneda" : "data_list"), before);
    }
}

TEST_F(EditTest, ARequiredColumnLeftEmptyIsRefusedBeforeAnythingIsSent) {
    auto q = currencies();
    q->open();
    q->append();
    q->setValue(QStringLiteral("den_moneda"), QStringLiteral("Fără cod"));
    EXPECT_EQ(errorOf([&] { q->post(); }), "Field 'moneda' must have a value");
    q->setValue(QStringLiteral("moneda"), QStringLiteral(""));
    EXPECT_EQ(errorOf([&] { q->post(); }), "Field 'moneda' must have a value");
    q->setValue(QStringLiteral("moneda"), QStringLiteral("RON"));
    EXPECT_EQ(errorOf([&] { q->post(); }), "Field 'discontinued' must have a value");
    EXPECT_EQ(q->state(), RowState::Insert);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from moneda")), "2");
}

TEST_F(EditTest, EditingAnEmptyTableStartsANewRowThatNeedsItsRequiredColumns) {
    exec(QStringLiteral("delete from data_list"));
    auto q = parameters();
    for (int search = 0; search < 2; ++search) {  // a second try meets the same row
        q->open();
        q->edit();
        q->setValue(QStringLiteral("data_sf"), QDate(2024, 6, 30));
        q->setValue(QStringLiteral("curs_raportare"), 1.0);
        EXPECT_EQ(errorOf([&] { q->post(); }), "Field 'data_incep' must have a value");
        EXPECT_EQ(q->state(), RowState::Insert);
        EXPECT_EQ(q->rowCount(), 1);
    }
}

TEST_F(EditTest, CancelDropsThePendingEditOrNewRow) {
    auto q = currencies();
    q->open();
    q->setValue(QStringLiteral("den_moneda"), QStringLiteral("Changed"));
    q->cancel();
    EXPECT_EQ(q->asText("den_moneda"), "Euro");
    q->insert();
    EXPECT_EQ(q->rowCount(), 3);
    q->cancel();
    EXPECT_EQ(q->rowCount(), 2);
    EXPECT_EQ(q->asText("moneda"), "EUR");
    EXPECT_EQ(rows("moneda"), "(EUR,Euro,1234.56,f,0.30000000000000004) (Lei,Leu,0.10,f,1e-300)");
}

TEST_F(EditTest, RefreshReadsTheRowsAgainAndKeepsTheCurrentRow) {
    auto q = currencies();
    q->refresh();  // opens a closed query
    q->setCurrentRow(1);
    exec(
        QStringLiteral("insert into moneda values ('AUD', 'Dolar', 1, false);"
                       "update moneda set den_moneda = 'Leu nou' where moneda = 'Lei'"));
    q->refresh();
    EXPECT_EQ(q->rowCount(), 3);
    EXPECT_EQ(q->currentRow(), 2);
    EXPECT_EQ(q->asText("moneda").toStdString(), "Lei");
}

TEST_F(EditTest, RefusesChangesThatCouldNotBeSaved) {
    auto readOnly = query(QStringLiteral("select * from moneda"));
    readOnly->open();
    EXPECT_TRUE(errorOf([&] { readOnly->edit(); }).contains("read-only"));

    auto q = query(QStringLiteral("select m.*, upper(moneda) as code from moneda m"),
                   {textField("moneda", 3),
                    {"den_moneda", FieldKind::WideString, 30, false, true},
                    memoField("code")},
                   QStringLiteral("moneda"));
    q->open();
    EXPECT_EQ(errorOf([&] { q->setValue("den_moneda", "x"); }),
              "Field 'den_moneda' cannot be modified");
    EXPECT_EQ(errorOf([&] { q->setValue("code", "x"); }), "Field 'code' cannot be modified");
    EXPECT_EQ(q->state(), RowState::Browse);
}

TEST_F(EditTest, TellsAGridWhatChanged) {
    auto q = currencies();
    q->open();
    QSignalSpy rowsChanged(q.get(), &Query::rowsChanged);
    QSignalSpy rowChanged(q.get(), &Query::rowChanged);
    QSignalSpy states(q.get(), &Query::stateChanged);
    q->setValue(QStringLiteral("den_moneda"), QStringLiteral("Euro nou"));
    q->post();
    q->append();
    q->cancel();
    EXPECT_EQ(rowsChanged.count(), 2);
    EXPECT_GE(rowChanged.count(), 2);
    ASSERT_EQ(states.count(), 4);
    EXPECT_EQ(states[0][0].value<RowState>(), RowState::Edit);
    EXPECT_EQ(states[2][0].value<RowState>(), RowState::Insert);
}

}  // namespace
