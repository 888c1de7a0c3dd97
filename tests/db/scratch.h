#pragma once
// A company database of the test's own, so that tests may run in parallel.
#include <gtest/gtest.h>

#include <string>

#include "session.h"

namespace dbtest {

class ScratchCompany : public ::testing::Test {
  protected:
    // Creates the database "dbt_<suite>_<test>"; with the demo rows when asked.
    void createCompany(bool withDemoData);
    void TearDown() override;

    const std::string& database() const { return database_; }
    Session superuser() const { return Session::superuser(database_); }
    Session vek() const { return Session::vek(database_); }

  private:
    std::string database_;
};

// The report query as the aging window sends it, its lines joined by line breaks.
std::string reportQueryText();
// The report query as a subquery, for checks over its rows.
std::string reportRows();

}  // namespace dbtest
