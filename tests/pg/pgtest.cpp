#include "pgtest.h"

#include "tests/support/testcluster.h"

namespace pgtest {

void ScratchDatabase::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QString name = QStringLiteral("pg_tests_%1_%2").arg(test->test_suite_name(), test->name());
    for (QChar& c : name) c = c.isLetterOrNumber() ? c.toLower() : u'_';
    database_ = name.left(63);
    testsupport::dropDatabase(database_);
    testsupport::superuserExec(QStringLiteral("postgres"),
                               QStringLiteral("create database \"%1\" owner vek").arg(database_));
    connection_ =
        std::make_unique<pg::Connection>(QStringLiteral("conTest"), vekSettings(database_));
}

void ScratchDatabase::TearDown() {
    connection_.reset();
    testsupport::dropDatabase(database_);
}

void ScratchDatabase::exec(const QString& sql) const { testsupport::superuserExec(database_, sql); }

QString ScratchDatabase::scalar(const QString& sql) const {
    return testsupport::superuserScalar(database_, sql);
}

pg::ConnectionSettings ScratchDatabase::vekSettings(const QString& database) {
    const auto& cluster = testsupport::cluster();
    return {QStringLiteral("127.0.0.1"), cluster.port,     database,
            QStringLiteral("vek"),       cluster.password, 15};
}

std::unique_ptr<pg::Query> ScratchDatabase::query(const QString& text, pg::FieldDefs declared,
                                                  const QString& savedTable) {
    const pg::QueryOptions options{!savedTable.isEmpty(), savedTable};
    return std::make_unique<pg::Query>(QStringLiteral("dsTest"), *connection_, QStringList{text},
                                       std::move(declared), options);
}

QString ScratchDatabase::vekScalar(const QString& text) {
    auto q = query(text);
    q->open();
    return q->table().column(0).asText(0);
}

}  // namespace pgtest
