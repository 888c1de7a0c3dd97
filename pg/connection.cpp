#include "connection.h"

#include <libpq-fe.h>

#include "db_error.h"

namespace pg {
namespace {

// The server's own settings the fetch code reads its values by: ISO dates and
// float texts that read back to the same double.
constexpr const char* kSessionOptions = "-c datestyle=ISO -c extra_float_digits=1";

QString withoutPassword(QString message, const QString& password) {
    if (!password.isEmpty()) message.replace(password, QStringLiteral("********"));
    return message;
}

QString connectionErrorText(PGconn* conn) {
    return QString::fromUtf8(PQerrorMessage(conn)).trimmed();
}

// The server compiles a query as large as the aging report's to machine code
// before it runs it; for our one-pass reads that costs a fifth of the query's
// time and never pays back. Servers before 11 know no such setting, and a
// server that refuses it still answers every query: its result is not needed.
void switchOffJustInTimeCompiling(PGconn* conn) {
    constexpr int firstServerWithJit = 110000;
    if (PQserverVersion(conn) < firstServerWithJit) return;
    PQclear(PQexec(conn, "set jit = off"));
}

}  // namespace

Connection::Connection(QString name, ConnectionSettings settings)
    : name_(std::move(name)), settings_(std::move(settings)) {}

Connection::~Connection() { disconnect(); }

void Connection::setServer(const QString& server) {
    if (server == settings_.server) return;
    disconnect();
    settings_.server = server;
}

void Connection::setPort(int port) {
    if (port == settings_.port) return;
    disconnect();
    settings_.port = port;
}

void Connection::setDatabase(const QString& database) {
    if (database == settings_.database) return;
    disconnect();
    settings_.database = database;
}

void Connection::setConnectTimeout(int seconds) { settings_.connectTimeoutSeconds = seconds; }

bool Connection::isConnected() const { return conn_ != nullptr; }

void Connection::ensureConnected() {
    if (conn_) return;
    const QByteArray host = settings_.server.toUtf8();
    const QByteArray port = QByteArray::number(settings_.port);
    const QByteArray database = settings_.database.toUtf8();
    const QByteArray user = settings_.user.toUtf8();
    const QByteArray password = settings_.password.toUtf8();
    const QByteArray timeout = QByteArray::number(settings_.connectTimeoutSeconds);
    // Each value goes to libpq as a whole (expand_dbname = 0), so no value can
    // carry further options such as " sslmode=disable".
    const char* keys[] = {"host",
                          "port",
                          "dbname",
                          "user",
                          "password",
                          "sslmode",
                          "client_encoding",
                          "connect_timeout",
                          "options",
                          "application_name",
                          nullptr};
    const char* values[] = {host.constData(),
                            port.constData(),
                            database.constData(),
                            user.constData(),
                            password.constData(),
                            "require",
                            "UTF8",
                            timeout.constData(),
                            kSessionOptions,
                            "wTalvor",
                            nullptr};
    PGconn* conn = PQconnectdbParams(keys, values, 0);
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString message = withoutPassword(connectionErrorText(conn), settings_.password);
        PQfinish(conn);
        throw DbError(message.isEmpty() ? QStringLiteral("could not connect to the server")
                                        : message);
    }
    switchOffJustInTimeCompiling(conn);
    conn_ = conn;
}

pg_conn* Connection::liveHandle() {
    ensureConnected();
    return conn_;
}

void Connection::disconnect() {
    if (!conn_) return;
    PQfinish(conn_);
    conn_ = nullptr;
}

void Connection::dropIfBroken() {
    if (conn_ && PQstatus(conn_) == CONNECTION_BAD) disconnect();
}

}  // namespace pg
