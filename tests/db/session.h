#pragma once
// Plain libpq sessions on the test cluster: the superuser over the socket, the
// role vek over TCP with SSL as the client comes in.
#include <libpq-fe.h>

#include <memory>
#include <string>
#include <vector>

namespace dbtest {

class Result {
  public:
    explicit Result(PGresult* result) : result_(result, &PQclear) {}
    int rows() const { return PQntuples(result_.get()); }
    int columns() const { return PQnfields(result_.get()); }
    std::string name(int column) const { return PQfname(result_.get(), column); }
    Oid type(int column) const { return PQftype(result_.get(), column); }
    int column(const std::string& name) const;  // fails the test when missing
    bool isNull(int row, int column) const { return PQgetisnull(result_.get(), row, column); }
    std::string text(int row, int column) const { return PQgetvalue(result_.get(), row, column); }
    std::string text(int row, const std::string& name) const { return text(row, column(name)); }

  private:
    std::unique_ptr<PGresult, decltype(&PQclear)> result_;
};

class Session {
  public:
    static Session superuser(const std::string& database);
    static Session vek(const std::string& database);

    // Runs SQL with text parameters ($1, $2 ...); throws on error.
    Result exec(const std::string& sql, const std::vector<std::string>& params = {}) const;

  private:
    explicit Session(PGconn* conn) : conn_(conn, &PQfinish) {}
    std::unique_ptr<PGconn, decltype(&PQfinish)> conn_;
};

// Connects as vek over TCP and gives libpq's error, or "" when connected.
std::string vekConnectError(const std::string& database, const std::string& password,
                            const std::string& sslmode);

}  // namespace dbtest
