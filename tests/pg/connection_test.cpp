#include <QElapsedTimer>

#include "fakeserver.h"
#include "pgtest.h"
#include "tests/support/testcluster.h"

namespace {

using pgtest::errorOf;

class ConnectionTest : public pgtest::ScratchDatabase {
  protected:
    QString backendPid() { return vekScalar(QStringLiteral("select pg_backend_pid()")); }
};

TEST_F(ConnectionTest, ConnectsOnlyWhenAQueryOpensAndStaysConnectedAfterItCloses) {
    EXPECT_FALSE(connection().isConnected());
    auto q = query(QStringLiteral("select 1"));
    EXPECT_FALSE(connection().isConnected());
    q->open();
    q->close();
    EXPECT_TRUE(connection().isConnected());
}

TEST_F(ConnectionTest, RepointingToTheSamePlaceKeepsTheConnection) {
    const QString pid = backendPid();
    const auto& settings = connection().settings();
    connection().setServer(settings.server);
    connection().setPort(settings.port);
    connection().setDatabase(settings.database);
    EXPECT_TRUE(connection().isConnected());
    EXPECT_EQ(backendPid(), pid);
}

TEST_F(ConnectionTest, RepointingToAnotherDatabaseClosesAndTheNextQueryLandsThere) {
    const QString other = database().left(56) + QStringLiteral("_other");
    testsupport::dropDatabase(other);
    testsupport::superuserExec(QStringLiteral("postgres"),
                               QStringLiteral("create database \"%1\" owner vek").arg(other));
    backendPid();
    connection().setDatabase(other);
    EXPECT_FALSE(connection().isConnected());
    EXPECT_EQ(vekScalar(QStringLiteral("select current_database()")), other);
    connection().disconnect();
    testsupport::dropDatabase(other);
}

TEST_F(ConnectionTest, AFailedConnectLeavesItClosedAndTheNextOpenTriesAgain) {
    connection().setDatabase(QStringLiteral("pg_tests_no_such_database"));
    auto q = query(QStringLiteral("select 1"));
    EXPECT_TRUE(errorOf([&] { q->open(); }).contains("pg_tests_no_such_database"));
    EXPECT_FALSE(connection().isConnected());
    EXPECT_FALSE(q->isOpen());

    connection().setDatabase(database());
    q->open();
    EXPECT_TRUE(q->isOpen());
}

TEST_F(ConnectionTest, AWrongPasswordFailsWithoutShowingIt) {
    auto settings = vekSettings(database());
    settings.password = QStringLiteral("Wrong'Secret 42");
    pg::Connection wrong(QStringLiteral("conWrong"), settings);
    const QString message = errorOf([&] { wrong.ensureConnected(); });
    EXPECT_TRUE(message.contains("password authentication failed")) << message.toStdString();
    EXPECT_FALSE(message.contains("Secret")) << message.toStdString();
    EXPECT_FALSE(message.endsWith('\n'));
}

TEST_F(ConnectionTest, AServerWithoutSslIsRefused) {
    pgtest::FakeServer server(pgtest::FakeServer::Behaviour::RefusesSsl);
    connection().setPort(server.port());
    const QString message = errorOf([&] { connection().ensureConnected(); });
    EXPECT_TRUE(message.contains("SSL")) << message.toStdString();
    EXPECT_FALSE(connection().isConnected());
}

TEST_F(ConnectionTest, AServerThatNeverAnswersFailsAfterTheTimeOut) {
    pgtest::FakeServer server(pgtest::FakeServer::Behaviour::Silent);
    connection().setPort(server.port());
    connection().setConnectTimeout(2);
    QElapsedTimer timer;
    timer.start();
    const QString message = errorOf([&] { connection().ensureConnected(); });
    EXPECT_FALSE(message.isEmpty());
    // Loose bounds: only that the time-out, and nothing else, ended the wait.
    EXPECT_GE(timer.elapsed(), 1500);
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST_F(ConnectionTest, AServerValueCannotCarryOptions) {
    connection().setServer(QStringLiteral("127.0.0.1 sslmode=disable"));
    auto q = query(QStringLiteral("select ssl from pg_stat_ssl where pid = pg_backend_pid()"));
    try {
        q->open();
        EXPECT_EQ(q->asText("ssl"), "True");
    } catch (const pg::DbError& error) {
        EXPECT_FALSE(error.message().contains("no pg_hba.conf entry"))
            << error.message().toStdString();
    }
}

TEST_F(ConnectionTest, ALostConnectionFailsOnceThenReconnects) {
    const QString pid = backendPid();
    exec(QStringLiteral("select pg_terminate_backend(%1)").arg(pid));
    auto q = query(QStringLiteral("select 1"));
    EXPECT_TRUE(errorOf([&] { q->open(); }).contains("terminating connection"));
    EXPECT_FALSE(q->isOpen());
    EXPECT_NE(backendPid(), pid);
}

}  // namespace
