#include "fetch.h"

#include <libpq-fe.h>

#include "db_error.h"

namespace pg {
namespace {

constexpr Oid kTextOid = 25;

QString trimmedUtf8(const char* text) { return QString::fromUtf8(text).trimmed(); }

// The server's primary message when it sent one, libpq's own text otherwise.
DbError errorOf(const PGresult* result, PGconn* conn) {
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    QString message = primary ? trimmedUtf8(primary) : QString();
    if (message.isEmpty() && result) message = trimmedUtf8(PQresultErrorMessage(result));
    if (message.isEmpty()) message = trimmedUtf8(PQerrorMessage(conn));
    if (message.isEmpty()) message = QStringLiteral("the database did not answer");
    return DbError(message, state ? QString::fromLatin1(state) : QString());
}

bool isFailure(ExecStatusType status) {
    return status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE ||
           status == PGRES_NONFATAL_ERROR;
}

struct ParamArrays {
    std::vector<const char*> values;
    std::vector<Oid> types;
    ParamArrays(const ParamValues& params, bool asText) {
        for (const auto& param : params) values.push_back(param ? param->constData() : nullptr);
        if (asText) types.assign(params.size(), kTextOid);
    }
};

void send(PGconn* conn, const QByteArray& sql, const ParamValues& params, bool paramsAreText) {
    const ParamArrays arrays(params, paramsAreText);
    if (!PQsendQueryParams(conn, sql.constData(), int(params.size()),
                           arrays.types.empty() ? nullptr : arrays.types.data(),
                           arrays.values.data(), nullptr, nullptr, 0))
        throw errorOf(nullptr, conn);
}

// Keeps the first error of a statement while the rest of its results are
// read off the connection, so the connection stays usable.
class FirstError {
  public:
    template <typename F>
    void guard(F&& step) {
        if (error_) return;
        try {
            step();
        } catch (...) {
            error_ = std::current_exception();
        }
    }
    void keep(DbError error) {
        if (!error_) error_ = std::make_exception_ptr(std::move(error));
    }
    void rethrow() const {
        if (error_) std::rethrow_exception(error_);
    }
    explicit operator bool() const { return bool(error_); }

  private:
    std::exception_ptr error_;
};

}  // namespace

void ResultDeleter::operator()(pg_result* result) const { PQclear(result); }

TableBuilder::TableBuilder(QString queryName, const FieldDefs& declared, QString hiddenColumn)
    : queryName_(std::move(queryName)), declared_(declared), hiddenName_(std::move(hiddenColumn)) {}

void TableBuilder::bind(const pg_result* result) {
    if (!hiddenName_.isEmpty()) {
        hiddenColumn_ = resultColumnNumber(result, hiddenName_);
        if (hiddenColumn_ >= 0) hidden_ = makeColumn(hiddenName_, FieldKind::String);
    }
    declared_.empty() ? bindAll(result) : bindDeclared(result);
    bound_ = true;
}

void TableBuilder::bindDeclared(const pg_result* result) {
    for (const FieldDef& def : declared_) {
        const int column = resultColumnNumber(result, def.name);
        if (column < 0 || column == hiddenColumn_)
            throw DbError(QStringLiteral("%1: Field '%2' not found").arg(queryName_, def.name));
        const FieldKind actual = kindOfType(PQftype(result, column));
        if (!sameGroup(def.kind, actual))
            throw DbError(
                QStringLiteral("%1: Type mismatch for field '%2', expecting: %3 actual: %4")
                    .arg(queryName_, def.name, kindName(def.kind), kindName(actual)));
        addSource(result, column, def.name);
    }
}

void TableBuilder::bindAll(const pg_result* result) {
    for (int column = 0; column < PQnfields(result); ++column)
        if (column != hiddenColumn_)
            addSource(result, column, QString::fromUtf8(PQfname(result, column)));
}

void TableBuilder::addSource(const pg_result* result, int resultColumn, const QString& name) {
    const Oid type = PQftype(result, resultColumn);
    table_.addColumn(makeColumn(name, kindOfType(type)));
    sources_.push_back(
        {resultColumn, type, PQftable(result, resultColumn), PQftablecol(result, resultColumn)});
}

void TableBuilder::appendRow(const pg_result* result) {
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        Column& column = table_.mutableColumn(int(i));
        const int source = sources_[i].resultColumn;
        if (PQgetisnull(result, 0, source))
            column.appendNull();
        else
            column.appendRaw(PQgetvalue(result, 0, source), PQgetlength(result, 0, source));
    }
    if (hidden_)
        hidden_->appendRaw(PQgetvalue(result, 0, hiddenColumn_),
                           PQgetlength(result, 0, hiddenColumn_));
}

Table TableBuilder::takeTable() {
    table_.squeeze();
    if (hidden_) hidden_->squeeze();
    return std::move(table_);
}

void fetchInto(Connection& connection, const QByteArray& sql, const ParamValues& params,
               bool paramsAreText, TableBuilder& builder) {
    PGconn* conn = connection.liveHandle();
    try {
        send(conn, sql, params, paramsAreText);
    } catch (...) {
        connection.dropIfBroken();
        throw;
    }
    PQsetSingleRowMode(conn);
    FirstError first;
    while (PGresult* raw = PQgetResult(conn)) {
        const Result result(raw);
        const ExecStatusType status = PQresultStatus(raw);
        if (isFailure(status)) {
            first.keep(errorOf(raw, conn));
            continue;
        }
        first.guard([&] {
            if (!builder.isBound()) builder.bind(raw);
            if (status == PGRES_SINGLE_TUPLE) builder.appendRow(raw);
        });
    }
    if (first) connection.dropIfBroken();
    first.rethrow();
}

Result execute(Connection& connection, const QByteArray& sql, const ParamValues& params) {
    PGconn* conn = connection.liveHandle();
    const ParamArrays arrays(params, false);
    Result result(PQexecParams(conn, sql.constData(), int(params.size()), nullptr,
                               arrays.values.data(), nullptr, nullptr, 0));
    if (!result || isFailure(PQresultStatus(result.get()))) {
        DbError error = errorOf(result.get(), conn);
        connection.dropIfBroken();
        throw error;
    }
    return result;
}

QByteArray resultText(const pg_result* result, int row, int column) {
    return QByteArray(PQgetvalue(result, row, column), PQgetlength(result, row, column));
}

bool resultIsNull(const pg_result* result, int row, int column) {
    return PQgetisnull(result, row, column);
}

int resultRowCount(const pg_result* result) { return PQntuples(result); }

// Exact name first; otherwise the first name that differs only in case.
int resultColumnNumber(const pg_result* result, const QString& name) {
    const QByteArray wanted = name.toUtf8();
    int caseless = -1;
    for (int column = 0; column < PQnfields(result); ++column) {
        const char* candidate = PQfname(result, column);
        if (wanted == candidate) return column;
        if (caseless < 0 && name.compare(QString::fromUtf8(candidate), Qt::CaseInsensitive) == 0)
            caseless = column;
    }
    return caseless;
}

}  // namespace pg
