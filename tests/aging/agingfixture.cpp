#include "agingfixture.h"

#include <QApplication>
#include <QPushButton>

#include "data/u_dmCon.h"
#include "reports/aging/dateedit.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "reports/aging/u_fCurrency.h"
#include "tests/support/testcluster.h"

namespace agingtest {
namespace {

// Test programs and the cases of one program run in parallel: each case
// works in a database of its own.
QString databaseForCurrentTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString name =
        QStringLiteral("wt_aging_%1_%2")
            .arg(QString::fromUtf8(info->test_suite_name()), QString::fromUtf8(info->name()))
            .toLower();
    for (QChar& c : name)
        if (!c.isLetterOrNumber()) c = u'_';
    return name.left(63);
}

}  // namespace

int FakeDialogs::showModal(QDialog& window) {
    window.show();
    const int result = whileModal ? whileModal(window) : 0;
    window.hide();
    return result;
}

void AgingTest::SetUp() {
    database = databaseForCurrentTest();
    testsupport::createCompanyDatabase(database, data_ == Data::Demo);
    if (data_ == Data::Fixture)
        testsupport::superuserExecFile(database, QStringLiteral("tests/aging/aging-fixture.sql"));
    previousDialogs_ = wt::setDialogs(&dialogs);
    dmCon = new TdmCon;
    dmCon->conVek.setServer(QStringLiteral("127.0.0.1"));
    dmCon->conVek.setPort(testsupport::cluster().port);
    dmCon->conVek.setDatabase(database);
    fAccountsPayableReceivableAging = new TfAccountsPayableReceivableAging;
    fCurrency = new TfCurrency;
    fAccountsPayableReceivableAging->setClock([] { return fixtureDay(); });
    fAccountsPayableReceivableAging->show();
}

void AgingTest::TearDown() {
    delete fCurrency;
    fCurrency = nullptr;
    delete fAccountsPayableReceivableAging;
    fAccountsPayableReceivableAging = nullptr;
    delete dmCon;
    dmCon = nullptr;
    wt::setDialogs(previousDialogs_);
    testsupport::dropDatabase(database);
}

void AgingTest::search() { fAccountsPayableReceivableAging->Button2->click(); }

void AgingTest::searchAtFixtureDay() {
    fAccountsPayableReceivableAging->cxDateEdit1->setValue(fixtureDay());
    fAccountsPayableReceivableAging->cxDateEdit2->setValue(fixtureDay());
    search();
}

QString AgingTest::scalar(const QString& sql) const {
    return testsupport::superuserScalar(database, sql);
}

void AgingTest::exec(const QString& sql) const { testsupport::superuserExec(database, sql); }

}  // namespace agingtest
