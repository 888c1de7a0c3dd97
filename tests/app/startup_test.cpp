// Start-up: the seven objects in order, what is visible, how the run ends.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QMessageBox>
#include <QTimer>
#include <stdexcept>

#include "app/u_fJobwiseDetailedReport.h"
#include "app/u_fJobwiseSummaryReport.h"
#include "app/u_fMenuTalvor.h"
#include "core/dialogs.h"
#include "data/u_dmCon.h"
#include "login/u_fLogin.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "reports/aging/u_fCurrency.h"
#include "tests/support/fakedialogs.h"

namespace {

// Which of the seven global references are set, in creation order.
std::vector<bool> assignedGlobals() {
    return {fMenuTalvor != nullptr,
            dmCon != nullptr,
            fLogin != nullptr,
            fJobwiseSummaryReport != nullptr,
            fJobwiseDetailedReport != nullptr,
            fAccountsPayableReceivableAging != nullptr,
            fCurrency != nullptr};
}

std::vector<QWidget*> ownedWindows() {
    return {fLogin, fJobwiseSummaryReport, fJobwiseDetailedReport, fAccountsPayableReceivableAging,
            fCurrency};
}

void failToShowErrorBox(const QString& kind, const QString& message) {
    ADD_FAILURE() << "start-up error box: " << kind.toStdString() << ": " << message.toStdString();
}

// Runs code once the run loop is going.
void whenRunning(std::function<void()> check) { QTimer::singleShot(0, std::move(check)); }

TEST(StartUp, CreatesTheSevenObjectsOnceAndInOrder) {
    testsupport::FakeDialogs dialogs;
    std::vector<std::vector<bool>> afterEachStep;
    std::vector<app::CreationStep> steps;
    for (app::CreationStep& step : app::creationSteps())
        steps.push_back([&, step] {
            std::unique_ptr<QObject> object = step();
            afterEachStep.push_back(assignedGlobals());
            return object;
        });
    whenRunning([] { fMenuTalvor->close(); });
    EXPECT_EQ(app::startUp(steps, failToShowErrorBox), 0);
    ASSERT_EQ(afterEachStep.size(), 7u);
    for (size_t step = 0; step < 7; ++step)
        for (size_t object = 0; object < 7; ++object)
            EXPECT_EQ(afterEachStep[step][object], object <= step) << step << "/" << object;
    EXPECT_EQ(assignedGlobals(), std::vector<bool>(7, false));
}

TEST(StartUp, ShowsOnlyTheLoggedOutMainWindowAndTouchesNoDatabase) {
    testsupport::FakeDialogs dialogs;
    whenRunning([] {
        EXPECT_EQ(wt::applicationTitle(),
                  wt::applicationTitleFrom(QCoreApplication::applicationFilePath()));
        EXPECT_TRUE(fMenuTalvor->isVisible());
        for (QWidget* window : ownedWindows()) {
            EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
            EXPECT_TRUE(window->isWindow());
            EXPECT_EQ(window->parentWidget(), fMenuTalvor);
        }
        EXPECT_TRUE(fMenuTalvor->PanelLogin->isVisible());
        EXPECT_TRUE(fMenuTalvor->PanelVersion->isVisible());
        EXPECT_FALSE(fMenuTalvor->PanelMenu->isVisible());
        EXPECT_FALSE(dmCon->conVek.isConnected());
        EXPECT_FALSE(dmCon->conVekMob.isConnected());
        EXPECT_FALSE(dmCon->glLoggedIn);
        fMenuTalvor->close();
    });
    EXPECT_EQ(app::startUp(app::creationSteps(), failToShowErrorBox), 0);
}

TEST(StartUp, ClosingTheMainWindowEndsTheRunWhateverElseIsOpen) {
    testsupport::FakeDialogs dialogs;
    whenRunning([] {
        fAccountsPayableReceivableAging->show();
        fJobwiseSummaryReport->show();
        fMenuTalvor->close();
    });
    EXPECT_EQ(app::startUp(app::creationSteps(), failToShowErrorBox), 0);
}

TEST(StartUp, ClosingAnotherWindowOnlyHidesIt) {
    testsupport::FakeDialogs dialogs;
    whenRunning([] {
        fJobwiseSummaryReport->show();
        fJobwiseSummaryReport->close();
        QTimer::singleShot(0, [] {
            EXPECT_FALSE(fJobwiseSummaryReport->isVisible());
            EXPECT_TRUE(fMenuTalvor->isVisible());
            fMenuTalvor->close();
        });
    });
    EXPECT_EQ(app::startUp(app::creationSteps(), failToShowErrorBox), 0);
}

TEST(StartUp, AFailedCreationShowsItsKindAndMessageAndEndsWithCode1) {
    const struct {
        size_t step;
        std::function<void()> fail;
        QString kind, message;
    } cases[] = {
        {2,
         [] {
             throw wt::Error(QStringLiteral("Resource TfLogin not found"),
                             QStringLiteral("EResNotFound"));
         },
         QStringLiteral("EResNotFound"), QStringLiteral("Resource TfLogin not found")},
        {6, [] { throw std::runtime_error("out of handles"); },
         QStringLiteral("std::runtime_error"), QStringLiteral("out of handles")},
    };
    for (const auto& c : cases) {
        testsupport::FakeDialogs dialogs;
        std::vector<app::CreationStep> steps = app::creationSteps();
        steps[c.step] = [fail = c.fail]() -> std::unique_ptr<QObject> {
            fail();
            return nullptr;
        };
        QStringList shown;
        const int code = app::startUp(
            steps, [&](const QString& kind, const QString& message) { shown << kind << message; });
        EXPECT_EQ(code, 1);
        EXPECT_EQ(shown, (QStringList{c.kind, c.message}));
        EXPECT_TRUE(dialogs.errors.isEmpty());
        EXPECT_EQ(assignedGlobals(), std::vector<bool>(7, false));
    }
}

TEST(StartUp, TheErrorBoxIsCaptionedApplicationError) {
    QString caption, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        box->accept();
    });
    app::showApplicationErrorBox(QStringLiteral("EResNotFound"),
                                 QStringLiteral("Resource missing"));
    EXPECT_EQ(caption, QStringLiteral("Application Error"));
    EXPECT_TRUE(text.contains(QStringLiteral("EResNotFound")));
    EXPECT_TRUE(text.contains(QStringLiteral("Resource missing")));
}

}  // namespace
