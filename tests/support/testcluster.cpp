#include "testcluster.h"

#include <libpq-fe.h>

#include <QFile>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace testsupport {
namespace {

QString requiredEnv(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) {
        fprintf(stderr, "%s is not set: run the tests through scripts/test\n", name);
        std::abort();
    }
    return QString::fromUtf8(value);
}

using ConnPtr = std::unique_ptr<PGconn, decltype(&PQfinish)>;

ConnPtr superuserConnection(const QString& database) {
    const QByteArray host = cluster().socketDir.toUtf8();
    const QByteArray port = QByteArray::number(cluster().port);
    const QByteArray db = database.toUtf8();
    const char* keys[] = {"host", "port", "dbname", "user", "client_encoding", nullptr};
    const char* values[] = {host.constData(), port.constData(), db.constData(), "postgres",
                            "UTF8", nullptr};
    ConnPtr conn(PQconnectdbParams(keys, values, 0), &PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw std::runtime_error("superuser connection: " + std::string(PQerrorMessage(conn.get())));
    return conn;
}

QString run(const QString& database, const QString& sql, bool wantScalar) {
    ConnPtr conn = superuserConnection(database);
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(conn.get(), sql.toUtf8().constData()),
                                                         &PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error("superuser SQL failed: " + std::string(PQerrorMessage(conn.get())));
    if (!wantScalar || PQntuples(result.get()) == 0) return QString();
    return QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
}

}  // namespace

const Cluster& cluster() {
    static const Cluster value{requiredEnv("WTALVOR_TEST_PGHOST"),
                               requiredEnv("WTALVOR_TEST_PGPORT").toInt(),
                               requiredEnv("WTALVOR_TEST_PASSWORD")};
    return value;
}

void superuserExec(const QString& database, const QString& sql) { run(database, sql, false); }

QString superuserScalar(const QString& database, const QString& sql) {
    return run(database, sql, true);
}

QString sourcePath(const QString& relativePath) {
    return QStringLiteral(WTALVOR_SOURCE_DIR "/") + relativePath;
}

void superuserExecFile(const QString& database, const QString& relativePath) {
    QFile file(sourcePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + file.fileName().toStdString());
    superuserExec(database, QString::fromUtf8(file.readAll()));
}

void dropDatabase(const QString& name) {
    superuserExec(QStringLiteral("postgres"),
                  QStringLiteral("drop database if exists \"%1\" with (force)").arg(name));
}

static QString createDatabase(const QString& name) {
    dropDatabase(name);
    superuserExec(QStringLiteral("postgres"),
                  QStringLiteral("create database \"%1\" owner vek encoding 'UTF8' template template0")
                      .arg(name));
    return name;
}

QString createCompanyDatabase(const QString& name, bool withDemoData) {
    createDatabase(name);
    superuserExecFile(name, QStringLiteral("db/company.sql"));
    if (withDemoData) superuserExecFile(name, QStringLiteral("db/demo-company-data.sql"));
    return name;
}

QString createDirectoryDatabase(const QString& name) {
    createDatabase(name);
    superuserExecFile(name, QStringLiteral("db/directory.sql"));
    return name;
}

}  // namespace testsupport
