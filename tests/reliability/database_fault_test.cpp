// The company database going away under an open aging window, and a session
// cut between two statements of one action: the user sees the database's
// message, the window stays usable, the next attempt completes the action
// without a restart, and nothing typed or saved is lost.
#include <QApplication>
#include <QToolButton>

#include "core/dispatch.h"
#include "data/tablesource.h"
#include "pg/query.h"
#include "reports/aging/buttonedit.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "reports/aging/u_fCurrency.h"
#include "tests/aging/agingfixture.h"
#include "tests/support/testcluster.h"

using namespace Qt::Literals::StringLiterals;

namespace agingtest {
namespace {

TfAccountsPayableReceivableAging& window() { return *fAccountsPayableReceivableAging; }
pg::Query& report() { return window().dsview_rest_mon_com_ps_rl; }

int rowOfCode(const TableSource& rows, const QString& code) {
    const int column = rows.indexOf(u"moneda"_s);
    for (int row = 0; row < rows.rowCount(); ++row)
        if (rows.text(row, column) == code) return row;
    ADD_FAILURE() << "no currency " << code.toStdString();
    return 0;
}

class DatabaseFault : public AgingTest {
  protected:
    // As a stopped server: the client's sessions end and new ones are
    // refused. Run from another database, which stays reachable.
    void stopServer() const {
        testsupport::superuserExec(u"postgres"_s,
                                   u"alter database %1 allow_connections false"_s.arg(database));
        testsupport::superuserExec(u"postgres"_s,
                                   u"select pg_terminate_backend(pid, 10000) from pg_stat_activity "
                                   "where datname = '%1' and usename = 'vek'"_s.arg(database));
    }
    void startServer() const {
        testsupport::superuserExec(u"postgres"_s,
                                   u"alter database %1 allow_connections true"_s.arg(database));
    }
    // wt_cut_once() ends the session that calls it the first time only: a
    // sequence, since the ended transaction undoes everything else.
    void armSessionCut() const {
        exec(
            u"create sequence wt_cut;"
            "create function wt_cut_once() returns boolean language plpgsql security definer as"
            " $$ begin if nextval('wt_cut') = 1 then"
            " perform pg_terminate_backend(pg_backend_pid()); end if; return true; end $$;"
            "grant usage on sequence wt_cut to vek;"
            "grant execute on function wt_cut_once() to vek;"_s);
    }
    void expectUsableWindow() const {
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(window().isVisible());
        EXPECT_TRUE(window().isEnabled());
    }
    void TearDown() override {
        startServer();
        AgingTest::TearDown();
    }
};

TEST_F(DatabaseFault, SearchWhileTheServerIsDownFailsAndWorksOnceItIsBack) {
    searchAtFixtureDay();
    ASSERT_TRUE(report().isOpen());
    const int reportRows = report().rowCount();
    window().cxButtonEditCurrency->setText(u"EUR"_s);

    stopServer();
    searchAtFixtureDay();  // the session that was ended
    searchAtFixtureDay();  // a new one refused
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_FALSE(dialogs.errors[0].isEmpty());
    EXPECT_TRUE(dialogs.errors[1].contains(u"not currently accepting connections"_s))
        << dialogs.errors[1].toStdString();
    expectUsableWindow();
    EXPECT_EQ(window().cxButtonEditCurrency->text(), u"EUR"_s);

    startServer();
    searchAtFixtureDay();
    EXPECT_EQ(dialogs.errors.size(), 2);
    ASSERT_TRUE(report().isOpen());
    EXPECT_EQ(report().rowCount(), reportRows);
    EXPECT_EQ(scalar(u"select moneda_raportare from data_list"_s), u"EUR"_s);
}

TEST_F(DatabaseFault, SessionLostBetweenTheParameterSaveAndTheReportKeepsTheParameters) {
    searchAtFixtureDay();
    ASSERT_TRUE(report().isOpen());
    const int reportRows = report().rowCount();
    armSessionCut();
    exec(
        u"alter view view_rest_mon_com_ps_rl rename to wt_full_report;"
        "create view view_rest_mon_com_ps_rl as select * from wt_full_report"
        " where wt_cut_once();"
        "grant select on view_rest_mon_com_ps_rl to vek;"_s);
    window().cxButtonEditCurrency->setText(u"EUR"_s);

    searchAtFixtureDay();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(report().isOpen());
    EXPECT_EQ(scalar(u"select moneda_raportare from data_list"_s), u"EUR"_s);
    expectUsableWindow();

    searchAtFixtureDay();
    EXPECT_EQ(dialogs.errors.size(), 1);
    ASSERT_TRUE(report().isOpen());
    EXPECT_EQ(report().rowCount(), reportRows);
}

TEST_F(DatabaseFault, SessionLostDuringThePickersSaveIsReportedAndTheNextSaveCompletesIt) {
    armSessionCut();
    exec(
        u"create function wt_cut_row() returns trigger language plpgsql as"
        " $$ begin perform wt_cut_once(); return new; end $$;"
        "create trigger wt_cut before update on moneda for each row"
        " execute function wt_cut_row();"_s);
    dialogs.whileModal = [&](QDialog&) {
        TableSource& rows = fCurrency->dsouMoneda;
        rows.edit(rowOfCode(rows, u"EUR"_s));
        rows.setValue(rows.indexOf(u"discontinued"_s), true);
        wt::dispatch([&] { rows.post(); });
        EXPECT_EQ(dialogs.errors.size(), 1);
        wt::dispatch([&] { rows.post(); });
        return int(QDialog::Rejected);
    };
    window().cxButtonEditCurrency->button()->click();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(scalar(u"select discontinued from moneda where moneda = 'EUR'"_s), u"t"_s);
}

}  // namespace
}  // namespace agingtest
