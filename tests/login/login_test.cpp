// The login window against a scratch directory and scratch company databases
// on the test cluster, with the remembered-login file in a private home.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/dialogs.h"
#include "data/u_dmCon.h"
#include "login/remembered_login.h"
#include "login/u_fLogin.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/testcluster.h"

namespace {

using testsupport::cluster;
using testsupport::superuserExec;

// ctest runs every test in a process of its own, in parallel: each process
// makes its own databases.
QString scratch(const char* role) {
    return QStringLiteral("login_tests_%1_%2").arg(QCoreApplication::applicationPid()).arg(role);
}
const QString kDirectory = scratch("dir");
const QString kDemo = scratch("demo");      // the demo company's data
const QString kSecond = scratch("second");  // its own users
const QString kDisabled = scratch("disabled");
const QString kMissing = scratch("missing");  // never created

void addCompany(const QString& name, const QString& database, const QString& port = {},
                const QString& activ = QStringLiteral("true")) {
    superuserExec(
        kDirectory,
        QStringLiteral("insert into m_firma (nume_firma, ip, port, db_name, activ) "
                       "values ('%1', '127.0.0.1', %2, '%3', %4)")
            .arg(name, port.isEmpty() ? QString::number(cluster().port) : port, database, activ));
}

void addUser(const QString& database, const QString& user, const QString& password,
             const QString& workPoint) {
    superuserExec(database, QStringLiteral("insert into emitent (emitent, operator_parola, "
                                           "eu_punct_lucru) values ('%1', '%2', '%3')")
                                .arg(user, password, workPoint));
}

// Types as a user does, so that the remembered-login binding sees the edit.
void typeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
    ASSERT_EQ(field->text(), text);
}

class LoginWindow : public ::testing::Test {
  protected:
    // A failure here would only skip the tests; it is reported by each.
    static void SetUpTestSuite() {
        try {
            createDatabases();
        } catch (const std::exception& error) {
            setUpError = QString::fromUtf8(error.what());
        }
    }

    static void TearDownTestSuite() {
        for (const QString& database : {kDirectory, kDemo, kSecond, kDisabled})
            testsupport::dropDatabase(database);
    }

    static void createDatabases() {
        testsupport::createDirectoryDatabase(kDirectory);
        testsupport::createCompanyDatabase(kDemo, true);
        testsupport::createCompanyDatabase(kSecond);
        testsupport::createCompanyDatabase(kDisabled);
        addCompany(QStringLiteral("Demo Company"), kDemo);
        addCompany(QStringLiteral("Inactive Company"), kSecond, {}, QStringLiteral("false"));
        addCompany(QStringLiteral("Twice"), kSecond);
        addCompany(QStringLiteral("Twice"), kDemo);
        addCompany(QStringLiteral("No Port"), kDemo, QStringLiteral("null"));
        addCompany(QStringLiteral("Disabled Company"), kDisabled);
        addCompany(QStringLiteral("Missing Company"), kMissing);
        addUser(kSecond, QStringLiteral("ana"), QStringLiteral("second"), QStringLiteral("PL 2"));
        addUser(kDisabled, QStringLiteral("ana"), QStringLiteral("ana123"), QStringLiteral("PL 3"));
        superuserExec(kSecond,
                      QStringLiteral("insert into aplicatie_mob values ('WTALVOR', true)"));
        superuserExec(kDisabled,
                      QStringLiteral("insert into aplicatie_mob values ('wtalvor', false), "
                                     "('vekMobil', true)"));
    }

    void SetUp() override {
        ASSERT_TRUE(setUpError.isEmpty()) << setUpError.toStdString();
        useHome(home);
        wt::setApplicationTitle(QStringLiteral("wtalvor"));
        con = std::make_unique<TdmCon>();
        dmCon = con.get();
        dmCon->conVekMob.setServer(QStringLiteral("127.0.0.1"));
        dmCon->conVekMob.setPort(cluster().port);
        dmCon->conVekMob.setDatabase(kDirectory);
        window = std::make_unique<TfLogin>();
        fLogin = window.get();
    }

    void TearDown() override {
        fLogin = nullptr;
        window.reset();
        dmCon = nullptr;
        con.reset();
    }

    static void useHome(const QTemporaryDir& folder) {
        qputenv("HOME", folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (folder.path() + QStringLiteral("/.config")).toUtf8());
    }

    QString rememberedFile() const { return home.path() + QStringLiteral("/.config/vekmob.json"); }

    void attempt(const QString& company, const QString& user, const QString& password) {
        fLogin->show();
        typeInto(fLogin->Edit1, company);
        typeInto(fLogin->Edit2, user);
        typeInto(fLogin->Edit3, password);
        fLogin->cxButton1->click();
    }

    void expectNoSession() const {
        EXPECT_FALSE(dmCon->glLoggedIn);
        EXPECT_TRUE(dmCon->glUser.isEmpty());
        EXPECT_TRUE(dmCon->glEuPL.isEmpty());
    }

    void expectQueriesClosed() const {
        EXPECT_FALSE(fLogin->dsVekMobil.isOpen());
        EXPECT_FALSE(dmCon->dsEmitent.isOpen());
        EXPECT_FALSE(dmCon->dsAplicatieMob.isOpen());
    }

    inline static QString setUpError;
    QTemporaryDir home;
    testsupport::FakeDialogs dialogs;
    std::unique_ptr<TdmCon> con;
    std::unique_ptr<TfLogin> window;
};

TEST_F(LoginWindow, RefusalsAreShownWithTheirFullStopAndLeaveEverythingAsTyped) {
    const struct {
        QString company, user, password, message;
    } cases[] = {
        {"", "ana", "ana123", "Companie inexistenta."},
        {"demo company", "ana", "ana123", "Companie inexistenta."},
        {"Demo Company ", "ana", "ana123", "Companie inexistenta."},
        {"\"; drop table emitent; --", "ana", "ana123", "Companie inexistenta."},
        {"' or '1'='1", "ana", "ana123", "Companie inexistenta."},
        {"Demo Company", "ana", "ANA123", "User, Password eronate."},
        {"Demo Company", "Ana", "ana123", "User, Password eronate."},
        {"Demo Company", "ana", "", "User, Password eronate."},
        {"Demo Company", "' or '1'='1", "' or '1'='1", "User, Password eronate."},
        {"Demo Company", "ana\\", "ana123\\", "User, Password eronate."},
        {"Demo Company", "Ана", "пароль", "User, Password eronate."},
        {"Disabled Company", "ana", "ana123",
         "Aplicatia wtalvor nu este disponibila la Disabled Company."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.company.toStdString() + " / " + c.user.toStdString());
        dialogs.errors.clear();
        attempt(c.company, c.user, c.password);
        EXPECT_EQ(dialogs.errors, QStringList{c.message});
        expectNoSession();
        expectQueriesClosed();
        EXPECT_TRUE(fLogin->isVisible());
        EXPECT_EQ(fLogin->Edit1->text(), c.company);
        EXPECT_EQ(fLogin->Edit2->text(), c.user);
        EXPECT_EQ(fLogin->Edit3->text(), c.password);
    }
    EXPECT_EQ(testsupport::superuserScalar(kDemo, QStringLiteral("select count(*) from emitent")),
              QStringLiteral("3"));
}

TEST_F(LoginWindow, AnUnreachableCompanyDatabaseShowsTheDatabaseError) {
    attempt(QStringLiteral("Missing Company"), QStringLiteral("ana"), QStringLiteral("ana123"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().contains(kMissing)) << dialogs.errors.first().toStdString();
    expectNoSession();
    expectQueriesClosed();
    EXPECT_EQ(dmCon->conVek.settings().database, kMissing);
}

TEST_F(LoginWindow, AnUnreachableDirectoryIsReportedAfterTheFileIsSaved) {
    dmCon->conVekMob.setDatabase(QStringLiteral("login_tests_no_directory"));
    const pg::ConnectionSettings companyBefore = dmCon->conVek.settings();
    attempt(QStringLiteral("Demo Company"), QStringLiteral("ana"), QStringLiteral("ana123"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().contains(QStringLiteral("login_tests_no_directory")));
    EXPECT_EQ(login::loadLoginTable(rememberedFile())->row()->company,
              QStringLiteral("Demo Company"));
    EXPECT_EQ(dmCon->conVek.settings().server, companyBefore.server);
    EXPECT_EQ(dmCon->conVek.settings().port, companyBefore.port);
    EXPECT_EQ(dmCon->conVek.settings().database, companyBefore.database);
    expectNoSession();
}

TEST_F(LoginWindow, AFileThatCannotBeWrittenStopsBeforeAnyQuery) {
    QFile blocker(home.path() + QStringLiteral("/.config"));  // a file where the folder goes
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    attempt(QStringLiteral("Demo Company"), QStringLiteral("ana"), QStringLiteral("ana123"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(
        dialogs.errors.first().startsWith(QStringLiteral("Cannot write \"") + rememberedFile()))
        << dialogs.errors.first().toStdString();
    EXPECT_FALSE(dmCon->conVekMob.isConnected());
    EXPECT_FALSE(dmCon->conVek.isConnected());
    expectNoSession();
}

TEST_F(LoginWindow, ASuccessfulLoginFillsTheSessionAndEmptiesOnlyThePassword) {
    const struct {
        QString company, user, password, workPoint, database;
    } cases[] = {
        {"Demo Company", "ana", "ana123", "Sediu central", kDemo},
        {"Demo Company", "vasile", "vasile123", "Sediu central", kDemo},  // discontinued
        {"Inactive Company", "ana", "second", "PL 2", kSecond},
        {"Twice", "ana", "second", "PL 2", kSecond},  // the first directory row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.company.toStdString() + " / " + c.user.toStdString());
        TearDown();
        SetUp();
        attempt(c.company, c.user, c.password);
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'|').toStdString();
        EXPECT_TRUE(dmCon->glLoggedIn);
        EXPECT_EQ(dmCon->glUser, c.user);
        EXPECT_EQ(dmCon->glEuPL, c.workPoint);
        EXPECT_EQ(dmCon->conVek.settings().database, c.database);
        EXPECT_EQ(dmCon->conVek.settings().server, QStringLiteral("127.0.0.1"));
        EXPECT_EQ(dmCon->conVek.settings().port, cluster().port);
        expectQueriesClosed();
        EXPECT_FALSE(fLogin->isVisible());
        EXPECT_EQ(fLogin->result(), QDialog::Accepted);
        EXPECT_EQ(fLogin->Edit1->text(), c.company);
        EXPECT_EQ(fLogin->Edit2->text(), c.user);
        EXPECT_TRUE(fLogin->Edit3->text().isEmpty());
    }
}

TEST_F(LoginWindow, EnterInAFieldPressesLogin) {
    fLogin->show();
    typeInto(fLogin->Edit1, QStringLiteral("Nobody"));
    QTest::keyClick(fLogin->Edit3, Qt::Key_Return);
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Companie inexistenta.")});
}

TEST_F(LoginWindow, AnEmptyDirectoryPortPointsTheCompanyConnectionAtPortZero) {
    attempt(QStringLiteral("No Port"), QStringLiteral("ana"), QStringLiteral("ana123"));
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dmCon->conVek.settings().port, 0);
    expectNoSession();
}

TEST_F(LoginWindow, ANewAttemptRepointsTheCompanyConnectionFirst) {
    attempt(QStringLiteral("Demo Company"), QStringLiteral("ana"), QStringLiteral("second"));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("User, Password eronate.")});
    EXPECT_TRUE(dmCon->conVek.isConnected());
    attempt(QStringLiteral("Inactive Company"), QStringLiteral("ana"), QStringLiteral("second"));
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dmCon->glLoggedIn);
    EXPECT_EQ(dmCon->glEuPL, QStringLiteral("PL 2"));
}

TEST_F(LoginWindow, ShowingOpensNoConnectionAndFocusesThePassword) {
    fLogin->show();
    EXPECT_FALSE(dmCon->conVekMob.isConnected());
    EXPECT_FALSE(dmCon->conVek.isConnected());
    EXPECT_EQ(fLogin->focusWidget(), fLogin->Edit3);
    EXPECT_TRUE(fLogin->Edit1->text().isEmpty());
    EXPECT_TRUE(fLogin->Edit2->text().isEmpty());
    EXPECT_FALSE(QFile::exists(rememberedFile()));
}

TEST_F(LoginWindow, TheFieldsKeepTheirPlacesAndGrowWithTheWidth) {
    fLogin->show();
    fLogin->resize(397, 222);
    const struct {
        QWidget* control;
        QRect geometry;
    } controls[] = {
        {fLogin->Edit1, {80, 32, 309, 21}},
        {fLogin->Edit2, {80, 59, 309, 21}},
        {fLogin->Edit3, {80, 86, 309, 21}},
        {fLogin->cxButton1, {80, 113, 75, 25}},
    };
    for (const auto& c : controls) EXPECT_EQ(c.control->geometry(), c.geometry);
    EXPECT_TRUE(fLogin->cxButton1->isDefault());
}

TEST_F(LoginWindow, ThePasswordShowsAsterisksAndItsHintOnlyWithoutTheFocus) {
    fLogin->show();
    fLogin->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fLogin));
    QLineEdit* password = fLogin->Edit3;
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(
        password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
        '*');
    ASSERT_TRUE(password->hasFocus());
    EXPECT_TRUE(password->placeholderText().isEmpty());
    fLogin->Edit1->setFocus();
    EXPECT_EQ(password->placeholderText(), QStringLiteral("password"));
}

TEST_F(LoginWindow, TheFileHoldsWhatWasTypedAtLoginButNeverThePassword) {
    attempt(QStringLiteral("Nobody"), QStringLiteral("ana"), QStringLiteral("s3cr3t-pw"));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Companie inexistenta.")});
    QFile file(rememberedFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("s3cr3t-pw"));
    const auto saved = login::loadLoginTable(rememberedFile());
    EXPECT_EQ(saved->row(), (login::LoginRow{QStringLiteral("Nobody"), QStringLiteral("ana")}));
}

TEST_F(LoginWindow, APressWithoutTypingWritesATableWithNoRow) {
    fLogin->show();
    fLogin->cxButton1->click();
    const auto saved = login::loadLoginTable(rememberedFile());
    ASSERT_TRUE(saved.has_value());
    EXPECT_FALSE(saved->row().has_value());
}

TEST_F(LoginWindow, TheNextShowingOffersTheSavedValuesAndDropsUnsavedTyping) {
    attempt(QStringLiteral("Demo Company"), QStringLiteral("ana"), QStringLiteral("wrong"));
    typeInto(fLogin->Edit1, QStringLiteral("typed later"));
    fLogin->close();
    fLogin->show();
    EXPECT_EQ(fLogin->Edit1->text(), QStringLiteral("Demo Company"));
    EXPECT_EQ(fLogin->Edit2->text(), QStringLiteral("ana"));
    EXPECT_EQ(fLogin->Edit3->text(), QStringLiteral("wrong"));
    EXPECT_EQ(fLogin->focusWidget(), fLogin->Edit3);
}

TEST_F(LoginWindow, ALongCompanyIsRememberedAsItsFirst200Characters) {
    const QString company(250, u'k');
    attempt(company, QStringLiteral("ana"), QStringLiteral("x"));
    EXPECT_EQ(login::loadLoginTable(rememberedFile())->row()->company, company.left(200));
}

TEST_F(LoginWindow, ACorruptFileIsReportedAndTheWindowStillOpens) {
    fLogin->show();
    fLogin->close();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(rememberedFile()).path()));
    QFile file(rememberedFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"rows\": [");
    file.close();
    fLogin->Edit1->setFocus();
    fLogin->show();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().contains(rememberedFile()));
    EXPECT_TRUE(fLogin->isVisible());
    EXPECT_EQ(fLogin->focusWidget(), fLogin->Edit1);
}

TEST_F(LoginWindow, EachUserKeepsTheirOwnValues) {
    attempt(QStringLiteral("First"), QStringLiteral("ana"), QString());
    fLogin->close();
    QTemporaryDir otherHome;
    useHome(otherHome);
    fLogin->show();
    typeInto(fLogin->Edit1, QStringLiteral("Second"));
    typeInto(fLogin->Edit2, QStringLiteral("ion"));
    fLogin->cxButton1->click();
    fLogin->close();

    useHome(home);
    fLogin->show();
    EXPECT_EQ(fLogin->Edit1->text(), QStringLiteral("First"));
    fLogin->close();
    useHome(otherHome);
    fLogin->show();
    EXPECT_EQ(fLogin->Edit1->text(), QStringLiteral("Second"));
    EXPECT_EQ(fLogin->Edit2->text(), QStringLiteral("ion"));
}

}  // namespace
