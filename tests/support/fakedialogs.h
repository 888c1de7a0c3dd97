#pragma once
// Dialogs that never block: they record what would have been shown, and a
// modal showing runs a scripted function instead of a nested loop.
#include <QDialog>
#include <QStringList>
#include <functional>

#include "core/dialogs.h"

namespace testsupport {

class FakeDialogs : public wt::UserDialogs {
  public:
    FakeDialogs() : previous_(wt::setDialogs(this)) {}
    ~FakeDialogs() override { wt::setDialogs(previous_); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    QStringList informations;
    QStringList errors;
    // What happens while a window is shown modally; its return is the result.
    std::function<int(QDialog&)> modalRun = [](QDialog&) { return int(QDialog::Rejected); };

    void information(const QString& text) override { informations.append(text); }
    void error(const QString& text) override { errors.append(text); }
    bool confirm(const QString&) override { return true; }
    std::optional<QString> saveFileName(const wt::SaveFileRequest&) override {
        return std::nullopt;
    }
    int showModal(QDialog& window) override { return modalRun(window); }

  private:
    wt::UserDialogs* previous_;
};

}  // namespace testsupport
