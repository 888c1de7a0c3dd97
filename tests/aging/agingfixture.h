#pragma once
// A company database of the test's own, dmCon pointed at it, the aging window
// and the currency picker created as at start-up, and dialogs that answer by
// themselves and remember what they were asked to show.
#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>
#include <functional>
#include <optional>
#include <ostream>

#include "core/dialogs.h"

class QDialog;

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace agingtest {

class FakeDialogs : public wt::UserDialogs {
  public:
    void information(const QString& text) override { informations << text; }
    void error(const QString& text) override { errors << text; }
    bool confirm(const QString& text) override {
        confirmations << text;
        return true;
    }
    std::optional<QString> saveFileName(const wt::SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return saveAnswer;
    }
    // Shows the window (so that it runs its show handler), lets the test act
    // on it, hides it and returns the test's result.
    int showModal(QDialog& window) override;

    QStringList informations;
    QStringList errors;
    QStringList confirmations;
    std::vector<wt::SaveFileRequest> saveRequests;
    std::optional<QString> saveAnswer;
    std::function<int(QDialog&)> whileModal;
};

enum class Data { Fixture, Demo };

class AgingTest : public ::testing::Test {
  protected:
    explicit AgingTest(Data data = Data::Fixture) : data_(data) {}
    void SetUp() override;
    void TearDown() override;

    // Presses Search with the fixture's dates: issued and paid up to the
    // fixture's day.
    void searchAtFixtureDay();
    void search();
    QString scalar(const QString& sql) const;
    void exec(const QString& sql) const;

    static QDate fixtureDay() { return {2024, 6, 15}; }

    QString database;
    FakeDialogs dialogs;

  private:
    Data data_;
    wt::UserDialogs* previousDialogs_ = nullptr;
};

}  // namespace agingtest
