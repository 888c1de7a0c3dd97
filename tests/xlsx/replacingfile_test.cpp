#include "xlsx/replacingfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/errors.h"
#include "textprinting.h"
#include "workbookreader.h"

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ReplacingFileTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ReplacingFileTest, ReplacesTheTargetOnlyOnCommit) {
    const QString target = path("report.xlsx");
    writeFile(target, "old");
    {
        xlsx::ReplacingFile file(target);
        writeFile(file.temporaryPath(), "new");
        EXPECT_EQ(contentOf(target), "old");
        file.commit();
    }
    EXPECT_EQ(contentOf(target), "new");
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), QStringList{"report.xlsx"});
}

TEST_F(ReplacingFileTest, AnAbandonedFileLeavesTheTargetAndNoTemporary) {
    const QString target = path("report.xlsx");
    writeFile(target, "old");
    {
        xlsx::ReplacingFile file(target);
        writeFile(file.temporaryPath(), "partial");
        EXPECT_TRUE(QFileInfo(file.temporaryPath()).fileName().startsWith(".report.xlsx."));
    }
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), QStringList{"report.xlsx"});
}

TEST_F(ReplacingFileTest, KeepsThePermissionsOfTheReplacedFile) {
    const QString target = path("shared.xlsx");
    writeFile(target, "old");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    xlsx::ReplacingFile file(target);
    file.commit();
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(ReplacingFileTest, WritesThroughALinkToTheFileItNames) {
    const QString real = path("real.xlsx");
    writeFile(real, "old");
    ASSERT_TRUE(QFile::link(real, path("link.xlsx")));
    xlsx::ReplacingFile file(path("link.xlsx"));
    writeFile(file.temporaryPath(), "new");
    file.commit();
    EXPECT_TRUE(QFileInfo(path("link.xlsx")).isSymLink());
    EXPECT_EQ(contentOf(real), "new");
}

// Each cause stops the export before anything is written, with the full path
// and the system's reason. They hold when the tests run as root.
TEST_F(ReplacingFileTest, ATargetThatCannotBeCreatedIsRefusedWithTheReason) {
    writeFile(path("plain-file"), "x");
    QDir(dir.path()).mkdir("folder.xlsx");
    writeFile(path("readonly.xlsx"), "old");
    ::chmod(QFile::encodeName(path("readonly.xlsx")).constData(), 0444);
    const struct {
        QString target;
        const char* reason;
    } cases[] = {
        {path("missing/report.xlsx"), "No such file or directory"},
        {path("plain-file/report.xlsx"), "Not a directory"},
        {path("folder.xlsx"), "Is a directory"},
        {path("readonly.xlsx"), "Permission denied"},
    };
    const QStringList before = xlsxtest::filesIn(dir.path());
    for (const auto& c : cases) {
        try {
            xlsx::ReplacingFile file(c.target);
            ADD_FAILURE() << "accepted " << c.target.toStdString();
        } catch (const wt::Error& error) {
            EXPECT_EQ(error.message(), QStringLiteral("Cannot create file \"%1\". %2")
                                           .arg(QDir::toNativeSeparators(c.target), c.reason));
        }
    }
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), before);
    EXPECT_EQ(contentOf(path("readonly.xlsx")), "old");
}

TEST_F(ReplacingFileTest, NamesARelativeTargetByItsFullPath) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    try {
        xlsx::ReplacingFile file("missing/report.xlsx");
        ADD_FAILURE() << "accepted a missing folder";
    } catch (const wt::Error& error) {
        EXPECT_TRUE(error.message().contains(path("missing/report.xlsx")))
            << error.message().toStdString();
    }
    QDir::setCurrent(previous);
}

}  // namespace
