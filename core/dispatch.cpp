#include "dispatch.h"

#include <QApplication>
#include <QCursor>

#include "dialogs.h"
#include "errors.h"

namespace wt {

void showError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const SilentStop&) {
    } catch (const Error& e) {
        dialogs().error(errorDisplayText(e));
    } catch (const std::exception& e) {
        dialogs().error(withFullStop(QString::fromUtf8(e.what())));
    } catch (...) {
        dialogs().error(QStringLiteral("Unknown error."));
    }
}

bool dispatch(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        showError(std::current_exception());
        return false;
    }
}

HourglassCursor::HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
HourglassCursor::~HourglassCursor() { QApplication::restoreOverrideCursor(); }

void processPendingEvents() { QCoreApplication::processEvents(); }

}  // namespace wt
