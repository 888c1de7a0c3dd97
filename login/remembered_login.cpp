#include "remembered_login.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace login {
namespace {

const QString kFileName = QStringLiteral("vekmob.json");
const QString kCompany = QStringLiteral("company");
const QString kUserName = QStringLiteral("userName");
// Far above what two 200-character texts can take, even fully escaped.
constexpr qint64 kMaxFileBytes = 64 * 1024;

QString cut(const QString& text) { return text.left(LoginTable::kTextSize); }

[[noreturn]] void notOurLayout(const QString& path, const QString& detail) {
    throw StorageError(QStringLiteral("\"%1\" holds no remembered login: %2").arg(path, detail));
}

QJsonArray columnDefinitions() {
    QJsonArray columns;
    for (const QString& name : {kCompany, kUserName})
        columns.append(QJsonObject{{QStringLiteral("name"), name},
                                   {QStringLiteral("type"), QStringLiteral("text")},
                                   {QStringLiteral("size"), LoginTable::kTextSize}});
    return columns;
}

QJsonArray rows(const LoginTable& table) {
    QJsonArray rows;
    if (const auto& row = table.row())
        rows.append(QJsonObject{{kCompany, row->company}, {kUserName, row->userName}});
    return rows;
}

void requireKeys(const QJsonObject& object, QStringList keys, const QString& what,
                 const QString& path) {
    QStringList present = object.keys();
    present.sort();
    keys.sort();
    if (present != keys)
        notOurLayout(path, QStringLiteral("%1 must hold exactly the keys %2")
                               .arg(what, keys.join(QStringLiteral(", "))));
}

void requireColumnDefinitions(const QJsonValue& columns, const QString& path) {
    if (columns != QJsonValue(columnDefinitions()))
        notOurLayout(path, QStringLiteral("the columns must be company and userName, "
                                          "both text of 200 characters"));
}

QString rowText(const QJsonObject& row, const QString& column, const QString& path) {
    const QJsonValue value = row.value(column);
    if (!value.isString()) notOurLayout(path, QStringLiteral("%1 must be a text").arg(column));
    const QString text = value.toString();
    if (text.size() > LoginTable::kTextSize)
        notOurLayout(path, QStringLiteral("%1 is longer than %2 characters")
                               .arg(column)
                               .arg(LoginTable::kTextSize));
    return text;
}

std::optional<LoginRow> readRows(const QJsonValue& rows, const QString& path) {
    if (!rows.isArray()) notOurLayout(path, QStringLiteral("rows must be a list"));
    const QJsonArray list = rows.toArray();
    if (list.size() > 1) notOurLayout(path, QStringLiteral("it holds more than one row"));
    if (list.isEmpty()) return std::nullopt;
    if (!list.first().isObject()) notOurLayout(path, QStringLiteral("a row must be an object"));
    const QJsonObject row = list.first().toObject();
    requireKeys(row, {kCompany, kUserName}, QStringLiteral("a row"), path);
    return LoginRow{rowText(row, kCompany, path), rowText(row, kUserName, path)};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StorageError(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    QByteArray content = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw StorageError(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    if (content.size() > kMaxFileBytes) notOurLayout(path, QStringLiteral("the file is too large"));
    return content;
}

QJsonObject parse(const QByteArray& content, const QString& path) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError)
        notOurLayout(path,
                     QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset));
    if (!document.isObject()) notOurLayout(path, QStringLiteral("the file must hold an object"));
    return document.object();
}

[[noreturn]] void cannotWrite(const QString& path, const QString& reason) {
    throw StorageError(QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
}

}  // namespace

void LoginTable::setCompany(const QString& company) { startedRow().company = cut(company); }
void LoginTable::setUserName(const QString& userName) { startedRow().userName = cut(userName); }
void LoginTable::replace(std::optional<LoginRow> row) { row_ = std::move(row); }

LoginRow& LoginTable::startedRow() {
    if (!row_) row_.emplace();
    return *row_;
}

QString rememberedLoginPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) return kFileName;
    return QDir(folder).filePath(kFileName);
}

void saveLoginTable(const LoginTable& table, const QString& path) {
    const QJsonObject content{{QStringLiteral("table"), QStringLiteral("dsLogin")},
                              {QStringLiteral("columns"), columnDefinitions()},
                              {QStringLiteral("rows"), rows(table)}};
    // A user's configuration folder may not exist yet on a fresh account.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) cannotWrite(path, QStringLiteral("the folder cannot be created"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) cannotWrite(path, file.errorString());
    file.write(QJsonDocument(content).toJson());
    if (!file.commit()) cannotWrite(path, file.errorString());
}

std::optional<LoginTable> loadLoginTable(const QString& path) {
    if (!QFileInfo::exists(path)) return std::nullopt;
    const QJsonObject content = parse(readFile(path), path);
    requireKeys(content,
                {QStringLiteral("table"), QStringLiteral("columns"), QStringLiteral("rows")},
                QStringLiteral("the file"), path);
    if (content.value(QStringLiteral("table")) != QJsonValue(QStringLiteral("dsLogin")))
        notOurLayout(path, QStringLiteral("the table must be dsLogin"));
    requireColumnDefinitions(content.value(QStringLiteral("columns")), path);
    LoginTable table;
    table.replace(readRows(content.value(QStringLiteral("rows")), path));
    return table;
}

}  // namespace login
