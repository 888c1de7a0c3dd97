// The main window: its two states, the Login button and the menu dispatch.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/startup.h"
#include "app/u_fJobwiseDetailedReport.h"
#include "app/u_fJobwiseSummaryReport.h"
#include "app/u_fMenuTalvor.h"
#include "data/u_dmCon.h"
#include "login/u_fLogin.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "tests/support/fakedialogs.h"

namespace {

const QString kWorkInProgress = QStringLiteral("Work in progress");

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        objects.create(app::creationSteps());
        fMenuTalvor->show();
    }

    QTreeWidgetItem* node(const QString& text) const {
        const auto found =
            fMenuTalvor->TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0);
    }
    void choose(const QString& text) const { fMenuTalvor->TreeView1->setCurrentItem(node(text)); }

    void pressLoginAndLogIn(bool succeeds) {
        dialogs.modalRun = [succeeds](QDialog& window) {
            EXPECT_EQ(&window, fLogin);
            dmCon->glLoggedIn = succeeds;
            return int(succeeds ? QDialog::Accepted : QDialog::Rejected);
        };
        fMenuTalvor->ButtonLogin->click();
    }

    testsupport::FakeDialogs dialogs;
    app::CreatedObjects objects;
};

TEST_F(MainWindow, LoggedOutShowsTheLoginButtonAboveTheVersionStrip) {
    const TfMenuTalvor& window = *fMenuTalvor;
    EXPECT_EQ(window.size(), QSize(341, 340));
    EXPECT_EQ(window.Label1->text(), QStringLiteral("wTalvor v.2021.04.07 "));
    EXPECT_EQ(window.PanelLogin->geometry(), QRect(0, 0, 341, 49));
    EXPECT_EQ(window.ButtonLogin->geometry(), QRect(8, 8, 81, 35));
    EXPECT_EQ(window.PanelVersion->geometry(), QRect(0, 49, 341, 19));
    EXPECT_EQ(window.Label1->geometry().right(), window.PanelVersion->contentsRect().right());
    EXPECT_FALSE(window.PanelMenu->isVisible());
}

TEST_F(MainWindow, OnlyASuccessfulLoginShowsTheMenuForGood) {
    pressLoginAndLogIn(false);
    pressLoginAndLogIn(false);
    EXPECT_TRUE(fMenuTalvor->PanelLogin->isVisible());
    EXPECT_FALSE(fMenuTalvor->PanelMenu->isVisible());

    pressLoginAndLogIn(true);
    const TfMenuTalvor& window = *fMenuTalvor;
    EXPECT_FALSE(window.PanelLogin->isVisible());
    EXPECT_EQ(window.PanelVersion->geometry(), QRect(0, 0, 341, 19));
    EXPECT_EQ(window.PanelMenu->geometry(), QRect(0, 19, 341, 340 - 19));
    EXPECT_TRUE(window.TreeView1->isVisible());
    EXPECT_EQ(window.TreeView1->topLevelItemCount(), 2);
    for (int i = 0; i < window.TreeView1->topLevelItemCount(); ++i)
        EXPECT_FALSE(window.TreeView1->topLevelItem(i)->isExpanded());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(MainWindow, EntriesAnswerWhenTheSelectionMovesOntoThem) {
    const struct {
        QString choice;
        int messagesAfter;
    } steps[] = {
        {"Job Reports", 0},
        {"Jobwise summary report", 1},
        {"Jobwise summary report", 1},  // already selected: no change
        {"Jobwise detailed report", 2},
        {"Jobwise summary report", 3},
        {"Financial Reports", 3},
    };
    for (const auto& step : steps) {
        choose(step.choice);
        EXPECT_EQ(dialogs.informations.size(), step.messagesAfter) << step.choice.toStdString();
    }
    EXPECT_EQ(dialogs.informations, QStringList(3, kWorkInProgress));
    EXPECT_FALSE(fJobwiseSummaryReport->isVisible());
    EXPECT_FALSE(fJobwiseDetailedReport->isVisible());
}

TEST_F(MainWindow, ArrowKeysTriggerEntriesAsAClickDoes) {
    QTreeWidget* tree = fMenuTalvor->TreeView1;
    choose(QStringLiteral("Job Reports"));
    QTest::keyClick(tree, Qt::Key_Right);  // expands
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Jobwise summary report"));
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Jobwise detailed report"));
    EXPECT_EQ(dialogs.informations, QStringList(2, kWorkInProgress));
}

TEST_F(MainWindow, TheAgingEntryShowsItsWindowOnlyWhenTheSelectionMoves) {
    choose(QStringLiteral("Accounts payable/receivable - aging"));
    EXPECT_TRUE(fAccountsPayableReceivableAging->isVisible());
    fAccountsPayableReceivableAging->close();
    choose(QStringLiteral("Accounts payable/receivable - aging"));
    EXPECT_FALSE(fAccountsPayableReceivableAging->isVisible());
    choose(QStringLiteral("Financial Reports"));
    choose(QStringLiteral("Accounts payable/receivable - aging"));
    EXPECT_TRUE(fAccountsPayableReceivableAging->isVisible());
    EXPECT_TRUE(dialogs.informations.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(MainWindow, WindowsWearTheSharedDefaults) {
    const struct {
        QWidget* window;
        QString caption;
        QSize clientSize;
    } windows[] = {
        {fMenuTalvor, "fMenuTalvor", {341, 340}},
        {fLogin, "fLogin", {297, 222}},
        {fJobwiseSummaryReport, " fJobwiseSummaryReport", {589, 389}},
        {fJobwiseDetailedReport, "fJobwiseDetailedReport", {583, 369}},
    };
    for (const auto& w : windows) {
        EXPECT_EQ(w.window->windowTitle(), w.caption);
        EXPECT_EQ(w.window->size(), w.clientSize) << w.caption.toStdString();
        EXPECT_EQ(w.window->font().family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(w.window->font().pixelSize(), 11);
        EXPECT_EQ(w.window->palette().color(QPalette::Window),
                  w.window->palette().color(QPalette::Button));
    }
}

}  // namespace
