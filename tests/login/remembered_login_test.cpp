// The remembered-login file on its own: layout, strict loading, safe saving.
#include "login/remembered_login.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace {

using login::LoginRow;
using login::LoginTable;

class RememberedLoginFile : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("vekmob.json"));

    void write(const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static LoginTable tableWith(std::optional<LoginRow> row) {
        LoginTable table;
        table.replace(std::move(row));
        return table;
    }
};

TEST_F(RememberedLoginFile, WhatIsSavedLoadsBack) {
    const std::optional<LoginRow> cases[] = {
        std::nullopt,
        LoginRow{},
        LoginRow{QStringLiteral("Demo Company"), QStringLiteral("ana")},
        LoginRow{QStringLiteral("Vâlcea \"Chim\" \\ SA"), QStringLiteral("Ана\n\t")},
    };
    for (const auto& row : cases) {
        login::saveLoginTable(tableWith(row), path);
        const std::optional<LoginTable> loaded = login::loadLoginTable(path);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(loaded->row(), row);
    }
}

TEST_F(RememberedLoginFile, NoFileLoadsNothing) {
    EXPECT_FALSE(login::loadLoginTable(path).has_value());
}

TEST_F(RememberedLoginFile, TheFileHoldsColumnDefinitionsAndRows) {
    login::saveLoginTable(tableWith(LoginRow{QStringLiteral("Demo"), QStringLiteral("ana")}), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        R"({"columns":[{"name":"company","size":200,"type":"text"},)"
        R"({"name":"userName","size":200,"type":"text"}],)"
        R"("rows":[{"company":"Demo","userName":"ana"}],"table":"dsLogin"})";
    EXPECT_EQ(QJsonDocument::fromJson(file.readAll()).toJson(QJsonDocument::Compact), expected);
}

TEST_F(RememberedLoginFile, TextsAreCutTo200Characters) {
    LoginTable table;
    table.setCompany(QString(250, u'c'));
    table.setUserName(QString(201, u'u'));
    ASSERT_TRUE(table.row().has_value());
    EXPECT_EQ(table.row()->company, QString(200, u'c'));
    EXPECT_EQ(table.row()->userName, QString(200, u'u'));
}

TEST_F(RememberedLoginFile, TheFirstChangeStartsTheRow) {
    LoginTable table;
    EXPECT_FALSE(table.row().has_value());
    table.setUserName(QStringLiteral("ana"));
    ASSERT_TRUE(table.row().has_value());
    EXPECT_EQ(*table.row(), (LoginRow{QString(), QStringLiteral("ana")}));
}

TEST_F(RememberedLoginFile, ContentOutsideTheLayoutIsRefused) {
    const QByteArray columns = R"("columns":[{"name":"company","size":200,"type":"text"},)"
                               R"({"name":"userName","size":200,"type":"text"}])";
    const auto file = [&](const QByteArray& rows, const QByteArray& extra = {}) {
        return "{" + columns + R"(,"table":"dsLogin","rows":)" + rows + extra + "}";
    };
    const struct {
        QByteArray content;
        const char* reason;
    } cases[] = {
        {"", "illegal value"},
        {"{\"rows\": [", "at offset"},
        {"[]", "must hold an object"},
        {file("[]", R"(,"password":"x")"), "exactly the keys"},
        {R"({"columns":[],"rows":[],"table":"dsLogin"})", "the columns must be"},
        {R"({"columns":[{"name":"company","size":100,"type":"text"},{"name":"userName","size":200,"type":"text"}],"rows":[],"table":"dsLogin"})",
         "the columns must be"},
        {R"({"columns":[{"name":"company","size":200,"type":"text"},{"name":"userName","size":200,"type":"text"}],"rows":[],"table":"other"})",
         "the table must be"},
        {file("{}"), "rows must be a list"},
        {file("[1]"), "a row must be an object"},
        {file(R"([{"company":"a"}])"), "exactly the keys"},
        {file(R"([{"company":"a","userName":"b","password":"c"}])"), "exactly the keys"},
        {file(R"([{"company":1,"userName":"b"}])"), "company must be a text"},
        {file(R"([{"company":"a","userName":null}])"), "userName must be a text"},
        {file(R"([{"company":"a","userName":"b"},{"company":"c","userName":"d"}])"),
         "more than one row"},
        {file(R"([{"company":")" + QByteArray(201, 'x') + R"(","userName":"b"}])"),
         "company is longer than 200 characters"},
        {QByteArray(65 * 1024, ' '), "too large"},
    };
    for (const auto& c : cases) {
        write(c.content);
        try {
            login::loadLoginTable(path);
            ADD_FAILURE() << "accepted: " << c.content.left(120).constData();
        } catch (const login::StorageError& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(QLatin1String(c.reason)))
                << error.message().toStdString();
        }
    }
}

TEST_F(RememberedLoginFile, AFileThatCannotBeReadIsAStorageError) {
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    EXPECT_THROW(login::loadLoginTable(path), login::StorageError);
}

TEST_F(RememberedLoginFile, AnUnwritablePlaceIsAStorageErrorNamingThePath) {
    write("not a folder");
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("folder"))));
    const QString cases[] = {
        path + QStringLiteral("/vekmob.json"),   // below a regular file
        dir.filePath(QStringLiteral("folder")),  // a folder in the file's place
    };
    for (const QString& target : cases) {
        try {
            login::saveLoginTable(LoginTable(), target);
            ADD_FAILURE() << "save reported success for " << target.toStdString();
        } catch (const login::StorageError& error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot write \"") + target))
                << error.message().toStdString();
        }
    }
}

TEST_F(RememberedLoginFile, AFailedSaveKeepsTheOldFile) {
    login::saveLoginTable(tableWith(LoginRow{QStringLiteral("old"), QStringLiteral("u")}), path);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(dir.path()).isWritable()) GTEST_SKIP() << "running with rights that ignore modes";
    try {
        login::saveLoginTable(tableWith(LoginRow{QStringLiteral("new"), QStringLiteral("u")}),
                              path);
        ADD_FAILURE() << "save reported success";
    } catch (const login::StorageError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot write \"") + path))
            << error.message().toStdString();
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(login::loadLoginTable(path)->row()->company, QStringLiteral("old"));
}

TEST_F(RememberedLoginFile, TheFileLiesInTheUsersConfigurationFolder) {
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(login::rememberedLoginPath(), path);
    qputenv("XDG_CONFIG_HOME", previous);
}

}  // namespace
