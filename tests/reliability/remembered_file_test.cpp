// The remembered-login file when the client dies while saving it: a child
// process saves in a loop and is killed at random moments; every time, the
// file left behind loads and holds one of the tables that were saved whole.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <random>

#include "login/remembered_login.h"

using namespace Qt::Literals::StringLiterals;

namespace {

login::LoginTable tableNumbered(int n) {
    login::LoginTable table;
    // Long texts make each save take long enough to be caught halfway.
    table.setCompany(u"company %1 "_s.arg(n).leftJustified(login::LoginTable::kTextSize, u'c'));
    table.setUserName(u"user %1"_s.arg(n));
    return table;
}

[[noreturn]] void saveForever(const QString& path) {
    for (int n = 1;; ++n) {
        try {
            login::saveLoginTable(tableNumbered(n), path);
        } catch (...) {
            ::_exit(2);
        }
    }
}

bool isSomeSavedTable(const login::LoginTable& table) {
    const auto& row = table.row();
    if (!row) return false;
    const QString number = row->userName.mid(5);
    return tableNumbered(number.toInt()).row() == row;
}

TEST(RememberedFileKilledMidSave, LeavesTheLastWholeFileEveryTime) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = QDir(folder.path()).filePath(u"vekmob.json"_s);
    login::saveLoginTable(tableNumbered(0), path);
    std::mt19937 random(20241211);
    std::uniform_int_distribution<int> microseconds(0, 20000);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) saveForever(path);
        ::usleep(useconds_t(microseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";

        const std::optional<login::LoginTable> loaded = login::loadLoginTable(path);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_TRUE(isSomeSavedTable(*loaded));
    }
}

}  // namespace
