#pragma once
#include "core/errors.h"

namespace pg {

// An error of the database client or the server, or of the query layer's own
// checks (declared columns, required values, a save that changed no row).
class DbError : public wt::Error {
  public:
    explicit DbError(const QString& message, QString sqlState = QString())
        : wt::Error(message, QStringLiteral("EPgError")), sqlState_(std::move(sqlState)) {}
    const QString& sqlState() const { return sqlState_; }

  private:
    QString sqlState_;
};

}  // namespace pg
