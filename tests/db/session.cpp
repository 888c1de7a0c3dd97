#include "session.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/testcluster.h"

namespace dbtest {
namespace {

PGconn* connect(const std::vector<std::pair<std::string, std::string>>& settings) {
    std::vector<const char*> keys, values;
    for (const auto& [key, value] : settings) {
        keys.push_back(key.c_str());
        values.push_back(value.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 0);
}

PGconn* connectVek(const std::string& database, const std::string& password,
                   const std::string& sslmode) {
    return connect({{"host", "127.0.0.1"},
                    {"port", std::to_string(testsupport::cluster().port)},
                    {"dbname", database},
                    {"user", "vek"},
                    {"password", password},
                    {"sslmode", sslmode},
                    {"client_encoding", "UTF8"},
                    {"connect_timeout", "15"}});
}

PGconn* checked(PGconn* conn) {
    if (PQstatus(conn) != CONNECTION_OK) {
        const std::string message = PQerrorMessage(conn);
        PQfinish(conn);
        throw std::runtime_error("connection failed: " + message);
    }
    return conn;
}

}  // namespace

int Result::column(const std::string& name) const {
    const int index = PQfnumber(result_.get(), name.c_str());
    if (index < 0) ADD_FAILURE() << "no result column " << name;
    return index;
}

Session Session::superuser(const std::string& database) {
    const auto& cluster = testsupport::cluster();
    return Session(checked(connect({{"host", cluster.socketDir.toStdString()},
                                    {"port", std::to_string(cluster.port)},
                                    {"dbname", database},
                                    {"user", "postgres"},
                                    {"client_encoding", "UTF8"}})));
}

Session Session::vek(const std::string& database) {
    return Session(
        checked(connectVek(database, testsupport::cluster().password.toStdString(), "require")));
}

Result Session::exec(const std::string& sql, const std::vector<std::string>& params) const {
    std::vector<const char*> values;
    for (const auto& param : params) values.push_back(param.c_str());
    // Without parameters a text may hold several statements, as fixtures do.
    PGresult* raw = params.empty() ? PQexec(conn_.get(), sql.c_str())
                                   : PQexecParams(conn_.get(), sql.c_str(), int(values.size()),
                                                  nullptr, values.data(), nullptr, nullptr, 0);
    const auto status = PQresultStatus(raw);
    Result result(raw);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        throw std::runtime_error(PQerrorMessage(conn_.get()) + ("in: " + sql));
    return result;
}

std::string vekConnectError(const std::string& database, const std::string& password,
                            const std::string& sslmode) {
    std::unique_ptr<PGconn, decltype(&PQfinish)> conn(connectVek(database, password, sslmode),
                                                      &PQfinish);
    return PQstatus(conn.get()) == CONNECTION_OK ? std::string() : PQerrorMessage(conn.get());
}

}  // namespace dbtest
