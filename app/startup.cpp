#include "startup.h"

#include <cxxabi.h>

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <typeinfo>

#include "core/dialogs.h"
#include "core/errors.h"
#include "data/u_dmCon.h"
#include "grid/style.h"
#include "login/u_fLogin.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "reports/aging/u_fCurrency.h"
#include "u_fJobwiseDetailedReport.h"
#include "u_fJobwiseSummaryReport.h"
#include "u_fMenuTalvor.h"

namespace app {
namespace {

template <typename T>
std::unique_ptr<QObject> assign(T*& global, std::unique_ptr<T> object) {
    global = object.get();
    return object;
}

void forgetGlobals() {
    fCurrency = nullptr;
    fAccountsPayableReceivableAging = nullptr;
    fJobwiseDetailedReport = nullptr;
    fJobwiseSummaryReport = nullptr;
    fLogin = nullptr;
    dmCon = nullptr;
    fMenuTalvor = nullptr;
}

QString kindOf(const std::exception& error) {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status);
    const QString kind = QString::fromUtf8(status == 0 ? name : typeid(error).name());
    std::free(name);
    return kind;
}

// Closing the main window ends the run loop, whatever else is open.
class QuitOnClose : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) QCoreApplication::exit(0);
        return false;
    }
};

}  // namespace

CreatedObjects::~CreatedObjects() {
    while (!objects_.empty()) objects_.pop_back();
    forgetGlobals();
}

void CreatedObjects::create(const std::vector<CreationStep>& steps) {
    for (const CreationStep& step : steps) objects_.push_back(step());
}

std::vector<CreationStep> creationSteps() {
    return {
        [] { return assign(fMenuTalvor, std::make_unique<TfMenuTalvor>()); },
        [] { return assign(dmCon, std::make_unique<TdmCon>()); },
        [] { return assign(fLogin, std::make_unique<TfLogin>(fMenuTalvor)); },
        [] {
            return assign(fJobwiseSummaryReport,
                          std::make_unique<TfJobwiseSummaryReport>(fMenuTalvor));
        },
        [] {
            return assign(fJobwiseDetailedReport,
                          std::make_unique<TfJobwiseDetailedReport>(fMenuTalvor));
        },
        [] {
            return assign(fAccountsPayableReceivableAging,
                          std::make_unique<TfAccountsPayableReceivableAging>(fMenuTalvor));
        },
        [] { return assign(fCurrency, std::make_unique<TfCurrency>(fMenuTalvor)); },
    };
}

void showApplicationErrorBox(const QString& kind, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"),
                    kind + QStringLiteral(": ") + message, QMessageBox::Ok);
    box.exec();
}

int startUp(const std::vector<CreationStep>& steps, const StartupErrorBox& errorBox) {
    wt::setApplicationTitle(wt::applicationTitleFrom(QCoreApplication::applicationFilePath()));
    grid::installFontSubstitutes();
    CreatedObjects objects;
    try {
        objects.create(steps);
    } catch (const wt::Error& error) {
        errorBox(error.kind(), error.message());
        return 1;
    } catch (const std::exception& error) {
        errorBox(kindOf(error), QString::fromUtf8(error.what()));
        return 1;
    }
    QuitOnClose quitOnClose;
    QApplication::setQuitOnLastWindowClosed(false);
    fMenuTalvor->installEventFilter(&quitOnClose);
    fMenuTalvor->show();
    return QApplication::exec();
}

}  // namespace app
