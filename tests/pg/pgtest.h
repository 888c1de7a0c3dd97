#pragma once
// A scratch database of the test's own ("pg_tests_<suite>_<test>"), so that
// tests may run in parallel, and the role vek's connection to it over TCP.
#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "pg/connection.h"
#include "pg/db_error.h"
#include "pg/query.h"

namespace pgtest {

class ScratchDatabase : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    const QString& database() const { return database_; }
    // Runs SQL as the superuser in the scratch database.
    void exec(const QString& sql) const;
    QString scalar(const QString& sql) const;

    // Settings of the role vek for a database of the cluster.
    static pg::ConnectionSettings vekSettings(const QString& database);
    pg::Connection& connection() { return *connection_; }
    // A query on connection(), read-only unless a table to save to is given.
    std::unique_ptr<pg::Query> query(const QString& text, pg::FieldDefs declared = {},
                                     const QString& savedTable = {});
    // The first column of the first row of a query run as vek.
    QString vekScalar(const QString& text);

  private:
    QString database_;
    std::unique_ptr<pg::Connection> connection_;
};

// The message of the pg::DbError that an action raises ("" when none).
template <typename Action>
QString errorOf(Action&& action) {
    try {
        action();
    } catch (const pg::DbError& error) {
        return error.message();
    }
    return QString();
}

}  // namespace pgtest
