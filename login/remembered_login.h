#pragma once
// The remembered login: the company and user name typed last, kept in a
// one-row table and stored as JSON in "vekmob.json" in the user's roaming
// configuration folder. The password is never part of it.
#include <QString>
#include <optional>

#include "core/errors.h"

namespace login {

// The file could not be read or written, or holds no table in our layout.
class StorageError : public wt::Error {
  public:
    explicit StorageError(const QString& message)
        : wt::Error(message, QStringLiteral("StorageError")) {}
};

struct LoginRow {
    QString company;
    QString userName;
    bool operator==(const LoginRow&) const = default;
};

// The table dsLogin: no row or one row of two texts of at most 200
// characters. The first change in an empty table starts the row.
class LoginTable {
  public:
    static constexpr int kTextSize = 200;

    const std::optional<LoginRow>& row() const { return row_; }
    void setCompany(const QString& company);
    void setUserName(const QString& userName);
    // Loading a file replaces the whole table.
    void replace(std::optional<LoginRow> row);

  private:
    LoginRow& startedRow();
    std::optional<LoginRow> row_;
};

// The folder's file, or the bare file name (the current directory) when the
// system reports no folder. Worked out anew for each use.
QString rememberedLoginPath();

// Writes the whole table, replacing the file only once it is complete.
void saveLoginTable(const LoginTable& table, const QString& path);
// The file's table, or nothing when no file exists; raises StorageError for
// a file that cannot be read or holds no table in our layout.
std::optional<LoginTable> loadLoginTable(const QString& path);

}  // namespace login
