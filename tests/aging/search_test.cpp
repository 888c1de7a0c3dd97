// The aging window's defaults and its Search: the checks of the parameters,
// what reaches the parameter table and what the report query returns.
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "agingfixture.h"
#include "reports/aging/buttonedit.h"
#include "reports/aging/dateedit.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"

using namespace Qt::Literals::StringLiterals;

namespace agingtest {
namespace {

TfAccountsPayableReceivableAging& window() { return *fAccountsPayableReceivableAging; }
pg::Query& report() { return window().dsview_rest_mon_com_ps_rl; }

// Sets a default locale for one test and puts the previous one back.
class LocaleScope {
  public:
    explicit LocaleScope(const QLocale& locale) : previous_(QLocale()) {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(previous_); }

  private:
    QLocale previous_;
};

const QLocale pointLocale(QLocale::English, QLocale::UnitedStates);
const QLocale commaLocale(QLocale::Romanian, QLocale::Romania);

// The report row of a document number; fails the test when it is not there.
int reportRow(const QString& nrDoc) {
    for (int row = 0; row < report().rowCount(); ++row) {
        report().setCurrentRow(row);
        if (report().asText(u"nr_doc"_s) == nrDoc) return row;
    }
    ADD_FAILURE() << "no report row for " << nrDoc.toStdString();
    return -1;
}

QVariant reportValue(const QString& nrDoc, const QString& column) {
    report().setCurrentRow(reportRow(nrDoc));
    return report().value(column);
}

QStringList reportDocuments() {
    QStringList documents;
    for (int row = 0; row < report().rowCount(); ++row) {
        report().setCurrentRow(row);
        documents << report().asText(u"nr_doc"_s);
    }
    return documents;
}

// An invalid date empties the editor as the user does: all of it selected,
// then Delete.
void setOrErase(aging::DateEdit& editor, const QDate& date) {
    editor.setValue(date.isValid() ? date : QDate(2024, 6, 1));
    if (date.isValid()) return;
    editor.setFocus();
    editor.selectAll();
    QTest::keyClick(&editor, Qt::Key_Delete);
    EXPECT_TRUE(editor.isEmpty());
}

using SearchTest = AgingTest;

TEST_F(SearchTest, EveryShowResetsTheParametersToTheMonthSoFar) {
    struct Case {
        QDate today;
        QDate firstDay;
    };
    const Case cases[] = {
        {{2024, 6, 15}, {2024, 6, 1}},
        {{2024, 7, 1}, {2024, 7, 1}},
        {{2024, 12, 31}, {2024, 12, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        window().cxButtonEditCurrency->setText(u"EUR"_s);
        window().EditExchange->setText(u"4.9"_s);
        window().cxDateEdit1->clear();
        window().close();
        window().setClock([&] { return c.today; });
        window().show();
        EXPECT_EQ(window().cxDateEdit1->value(), c.firstDay);
        EXPECT_EQ(window().cxDateEdit2->value(), c.today);
        EXPECT_EQ(window().cxButtonEditCurrency->text(), u"Lei"_s);
        EXPECT_EQ(window().EditExchange->text(), u"1"_s);
    }
}

TEST_F(SearchTest, RefusedParametersStopBeforeTheDatabase) {
    struct Case {
        QString currency;
        QString rate;
        QLocale locale;
        QString information;  // the refusal, or empty
        QString error;        // the conversion error, or empty
    };
    const QString noCurrency = u"Completati moneda de referinta !"_s;
    const QString noRate = u"Completati cursul de referinta pozitiv !"_s;
    const Case cases[] = {
        {u""_s, u"1"_s, pointLocale, noCurrency, {}},
        {u""_s, u"abc"_s, pointLocale, noCurrency, {}},
        {u"Lei"_s, u"0"_s, pointLocale, noRate, {}},
        {u"Lei"_s, u"-2"_s, pointLocale, noRate, {}},
        {u"Lei"_s, u""_s, pointLocale, noRate, {}},
        {u"Lei"_s, u"abc"_s, pointLocale, {}, u"'abc' is not a valid floating point value."_s},
        {u"Lei"_s, u"1.5"_s, commaLocale, {}, u"'1.5' is not a valid floating point value."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.currency + u" / "_s + c.rate).toStdString());
        const LocaleScope locale(c.locale);
        dialogs.informations.clear();
        dialogs.errors.clear();
        window().cxButtonEditCurrency->setText(c.currency);
        window().EditExchange->setText(c.rate);
        search();
        EXPECT_EQ(dialogs.informations,
                  c.information.isEmpty() ? QStringList() : QStringList{c.information});
        EXPECT_EQ(dialogs.errors, c.error.isEmpty() ? QStringList() : QStringList{c.error});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(window().dsdata_list.isOpen());
        EXPECT_FALSE(report().isOpen());
    }
    EXPECT_EQ(scalar(u"select moneda_raportare || ' ' || curs_raportare from data_list"_s),
              u"USD 3"_s);
}

TEST_F(SearchTest, AcceptedParametersAreStoredAsTheReportShowsThem) {
    struct Case {
        QString currency;
        QString rate;
        QLocale locale;
        QString stored;  // moneda_raportare and curs_raportare as the table holds them
    };
    const Case cases[] = {
        {u"   "_s, u"1"_s, pointLocale, u"[   ] 1"_s},
        {u"EURO"_s, u"1"_s, pointLocale, u"[EUR] 1"_s},
        {u"E\U0001F4B6UR"_s, u"1"_s, pointLocale, u"[E\U0001F4B6U] 1"_s},
        {u"Lei"_s, u" 2 "_s, pointLocale, u"[Lei] 2"_s},
        {u"Lei"_s, u"1,5"_s, commaLocale, u"[Lei] 1.5"_s},
        {u"Lei"_s, u"1.5"_s, pointLocale, u"[Lei] 1.5"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.currency + u" / "_s + c.rate).toStdString());
        const LocaleScope locale(c.locale);
        window().cxButtonEditCurrency->setText(c.currency);
        window().EditExchange->setText(c.rate);
        searchAtFixtureDay();
        EXPECT_EQ(dialogs.errors, QStringList());
        EXPECT_EQ(
            scalar(
                u"select '[' || moneda_raportare || '] ' || curs_raportare::float8 from data_list"_s),
            c.stored);
        ASSERT_TRUE(report().isOpen());
        EXPECT_EQ(reportValue(u"A1"_s, u"moneda_raportare"_s).toString(),
                  c.stored.mid(1, c.stored.indexOf(u']') - 1));
    }
}

TEST_F(SearchTest, OnlyTheFourParametersChangeInTheParameterRow) {
    struct Case {
        QDate issuedUntil;
        QDate paidUntil;
        QString stored;
    };
    const QString others = u"2024-01-01 2024-02-01 2023-01-01 2023-12-31"_s;
    const Case cases[] = {
        // The dates are not compared with each other.
        {{2024, 6, 15}, {2024, 6, 10}, u"2024-06-15 2024-06-10"_s},
        {{}, {}, u"null null"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        setOrErase(*window().cxDateEdit1, c.issuedUntil);
        setOrErase(*window().cxDateEdit2, c.paidUntil);
        search();
        EXPECT_EQ(dialogs.errors, QStringList());
        EXPECT_EQ(
            scalar(u"select concat_ws(' ', data_incep, data_incep_f, data_incep_bal, data_sf_bal) "
                   "from data_list"_s),
            others);
        EXPECT_EQ(scalar(u"select coalesce(data_sf::text, 'null') || ' ' || "
                         "coalesce(data_sf_f::text, 'null') from data_list"_s),
                  c.stored);
    }
}

TEST_F(SearchTest, ReportHoldsTheOpenDocumentsInPartnerOrder) {
    searchAtFixtureDay();
    ASSERT_EQ(dialogs.errors, QStringList());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window().dsdata_list.isOpen());
    // A2 is paid in full; B1, an advance, is negative and stays.
    EXPECT_EQ(reportDocuments(), (QStringList{u"A1"_s, u"B1"_s, u"G1"_s}));
    EXPECT_EQ(reportValue(u"B1"_s, u"rest_mon_com"_s).toDouble(), -250);
    EXPECT_EQ(reportValue(u"A1"_s, u"rp"_s).toString(), u"R"_s);
    EXPECT_EQ(reportValue(u"B1"_s, u"rp"_s).toString(), u"P"_s);
    EXPECT_EQ(reportValue(u"G1"_s, u"rp"_s).toString(), u"P"_s);
    EXPECT_EQ(reportValue(u"A1"_s, u"an_ins_partener"_s).toDouble(), 2019);
    EXPECT_EQ(reportValue(u"B1"_s, u"da_nu_persoana_juridica"_s), QVariant(false));
    // Gama SA is no longer a partner: its document stays, without partner data.
    EXPECT_TRUE(reportValue(u"G1"_s, u"an_ins_partener"_s).isNull());
    EXPECT_TRUE(reportValue(u"G1"_s, u"da_nu_persoana_juridica"_s).isNull());
    EXPECT_EQ(reportValue(u"A1"_s, u"rest_mon_com_1_30"_s).toDouble(), 600);
    EXPECT_EQ(reportValue(u"G1"_s, u"val_mon_lei"_s).toDouble(), 980);
    EXPECT_EQ(reportValue(u"G1"_s, u"judet"_s).toString(), QString());
    EXPECT_EQ(reportValue(u"A1"_s, u"judet"_s).toString(), u"Cluj"_s);
    EXPECT_EQ(reportValue(u"A1"_s, u"luna_doc"_s).toString(), u"5"_s);
}

// G1: 200 EUR, revalued at 4.95 on the day and 5.00 at the month's end.
TEST_F(SearchTest, ReportingCurrencyAmountsDivideByTheRateAsTyped) {
    struct Case {
        QString rate;
        double shownRate;
        double total;   // 200 * 4.95 / rate
        double bucket;  // 200 * 5.00 / rate
    };
    const Case cases[] = {
        {u"1"_s, 1, 990, 1000},
        {u"4.9735"_s, 4.97, 199.05, 201.07},
    };
    const LocaleScope locale(pointLocale);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate.toStdString());
        window().EditExchange->setText(c.rate);
        searchAtFixtureDay();
        ASSERT_TRUE(report().isOpen());
        EXPECT_EQ(reportValue(u"G1"_s, u"curs_raportare"_s).toDouble(), c.shownRate);
        EXPECT_EQ(reportValue(u"G1"_s, u"rest_mon_com_mon_raportare"_s).toDouble(), c.total);
        EXPECT_EQ(reportValue(u"G1"_s, u"rest_mon_com_31_60_mon_raportare"_s).toDouble(), c.bucket);
        EXPECT_EQ(reportValue(u"G1"_s, u"rest_mon_com_reev_lei"_s).toDouble(), 1000);
        EXPECT_EQ(reportValue(u"G1"_s, u"curs_reevaluare"_s).toDouble(), 5);
    }
}

TEST_F(SearchTest, EachParameterRowRepeatsEveryDocument) {
    exec(
        u"insert into data_list (data_incep, moneda_raportare, curs_raportare) "
        "values ('2024-01-01', 'RON', 2)"_s);
    searchAtFixtureDay();
    ASSERT_TRUE(report().isOpen());
    EXPECT_EQ(reportDocuments(),
              (QStringList{u"A1"_s, u"A1"_s, u"B1"_s, u"B1"_s, u"G1"_s, u"G1"_s}));
    EXPECT_EQ(scalar(u"select string_agg(moneda_raportare, ' ' order by moneda_raportare) "
                     "from data_list"_s),
              u"Lei RON"_s);
}

TEST_F(SearchTest, EmptyParameterTableRefusesEverySearchAndKeepsTheLastReport) {
    searchAtFixtureDay();
    ASSERT_EQ(report().rowCount(), 3);
    exec(u"delete from data_list"_s);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        dialogs.errors.clear();
        searchAtFixtureDay();
        EXPECT_EQ(dialogs.errors, QStringList{u"Field 'data_incep' must have a value."_s});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(report().rowCount(), 3);
        EXPECT_EQ(scalar(u"select count(*) from data_list"_s), u"0"_s);
    }
}

TEST_F(SearchTest, FailingReportLeavesItClosedAndTheParametersSaved) {
    searchAtFixtureDay();
    ASSERT_TRUE(report().isOpen());
    exec(u"drop view view_rest_mon_com_ps_rl"_s);
    window().cxButtonEditCurrency->setText(u"EUR"_s);
    searchAtFixtureDay();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(u"view_rest_mon_com_ps_rl"_s))
        << dialogs.errors[0].toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(report().isOpen());
    EXPECT_EQ(scalar(u"select moneda_raportare from data_list"_s), u"EUR"_s);
}

TEST_F(SearchTest, ClosingDropsTheReportAndShowingRestoresTheDefaults) {
    window().cxButtonEditCurrency->setText(u"EUR"_s);
    searchAtFixtureDay();
    ASSERT_TRUE(report().isOpen());
    window().close();
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(report().isOpen());
    window().show();
    EXPECT_FALSE(report().isOpen());
    EXPECT_EQ(window().cxButtonEditCurrency->text(), u"Lei"_s);
    EXPECT_EQ(window().cxDateEdit1->value(), QDate(2024, 6, 1));
}

class DemoSearchTest : public AgingTest {
  protected:
    DemoSearchTest() : AgingTest(Data::Demo) {}
};

TEST_F(DemoSearchTest, ReportRunsOverTheDemoCompanyWithEveryDeclaredColumn) {
    window().setClock([] { return QDate::currentDate(); });
    window().close();
    window().show();
    search();
    ASSERT_EQ(dialogs.errors, QStringList());
    ASSERT_TRUE(report().isOpen());
    EXPECT_GT(report().rowCount(), 0);
    const pg::Table& rows = report().table();
    ASSERT_EQ(rows.columnCount(), int(report().declared().size()));
    for (const pg::FieldDef& column : report().declared())
        EXPECT_GE(rows.indexOf(column.name), 0) << column.name.toStdString();
}

}  // namespace
}  // namespace agingtest
