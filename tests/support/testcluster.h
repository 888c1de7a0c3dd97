#pragma once
// The private PostgreSQL cluster that scripts/test starts: where it is, and
// scratch databases for tests. The superuser works over the Unix socket; the
// client's role "vek" comes in over TCP with SSL, as the client does.
#include <QString>
#include <QStringList>

namespace testsupport {

struct Cluster {
    QString socketDir;  // WTALVOR_TEST_PGHOST
    int port = 0;       // WTALVOR_TEST_PGPORT
    QString password;   // WTALVOR_TEST_PASSWORD: the role vek's password
};
// Fails the test program when scripts/test did not set the cluster up.
const Cluster& cluster();

// Runs SQL as the superuser on a database of the cluster; raises on error.
void superuserExec(const QString& database, const QString& sql);
// The first column of the first row of a query, as text ("" for NULL).
QString superuserScalar(const QString& database, const QString& sql);
// Runs a file of SQL (path relative to the source tree, e.g. "db/company.sql").
void superuserExecFile(const QString& database, const QString& relativePath);

// Drops and creates an empty company database with the schema of
// db/company.sql; with demo data when asked. Returns its name.
QString createCompanyDatabase(const QString& name, bool withDemoData = false);
// Drops and creates a directory database with the schema of db/directory.sql.
QString createDirectoryDatabase(const QString& name);
void dropDatabase(const QString& name);

// A path inside the source tree.
QString sourcePath(const QString& relativePath);

}  // namespace testsupport
