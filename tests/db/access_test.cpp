// Who gets in, and what the client's role may change once in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scratch.h"
#include "tests/support/testcluster.h"

namespace dbtest {
namespace {

TEST(Access, OnlyTheRightPasswordOverSslGetsIn) {
    const std::string password = testsupport::cluster().password.toStdString();
    struct Case {
        std::string password, sslmode, refusal;  // refusal "" when let in
    };
    const std::vector<Case> cases = {
        {password, "require", ""},
        {password, "disable", "rejects connection"},
        {password + "x", "require", "password authentication failed"},
        {"", "require", "password"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sslmode + " with password '" + c.password + "'");
        const std::string error = vekConnectError("postgres", c.password, c.sslmode);
        if (c.refusal.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
    }
}

class Privileges : public ScratchCompany {};

// The client changes the parameter row and the currency list, nothing else;
// a currency that documents use cannot be deleted from under them.
TEST_F(Privileges, ClientRoleChangesOnlyParametersAndCurrencies) {
    createCompany(true);
    struct Case {
        std::string sql, refusal;  // refusal "" when allowed
    };
    const std::vector<Case> cases = {
        {"update data_list set curs_raportare = 4.97, moneda_raportare = 'EUR'", ""},
        {"insert into moneda (moneda, den_moneda, discontinued) values ('CHF', 'Franc', false)",
         ""},
        {"update moneda set den_moneda = 'Franc elvetian' where moneda = 'CHF'", ""},
        {"delete from moneda where moneda = 'CHF'", ""},
        {"delete from moneda where moneda = 'EUR'", "foreign key"},
        {"update data_list set curs_raportare = 0", "check constraint"},
        {"update doc_partener set val_mon = 0", "permission denied"},
        {"delete from incasare_plata", "permission denied"},
        {"update emitent set operator_parola = 'x'", "permission denied"},
        {"insert into partener (partener) values ('Nou SRL')", "permission denied"},
        {"insert into curs_valutar values ('EUR', '1999-01-01', 1)", "permission denied"},
    };
    const Session session = vek();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        std::string error;
        try {
            session.exec(c.sql);
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (c.refusal.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
    }
}

TEST(Directory, ClientRoleOnlyReadsIt) {
    const std::string directory = "dbt_directory_access";
    testsupport::createDirectoryDatabase(QString::fromStdString(directory));
    EXPECT_THROW(Session::vek(directory).exec("insert into m_firma (nume_firma) values ('X')"),
                 std::runtime_error);
    EXPECT_NO_THROW(Session::vek(directory).exec("select * from m_firma"));
    testsupport::dropDatabase(QString::fromStdString(directory));
}

}  // namespace
}  // namespace dbtest
