#pragma once
// A PostgreSQL connection profile: settings plus the libpq handle, connected on
// demand by the first query that opens on it. Settings reach libpq as
// keyword/value arrays only, always with sslmode=require and UTF-8.
#include <QString>
#include <memory>

struct pg_conn;

namespace pg {

struct ConnectionSettings {
    QString server;
    int port = 5432;
    QString database;
    QString user;
    QString password;
    int connectTimeoutSeconds = 15;
};

class Connection {
  public:
    Connection(QString name, ConnectionSettings settings);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& name() const { return name_; }
    const ConnectionSettings& settings() const { return settings_; }

    // A value that differs from the current one closes the connection first;
    // the same value changes nothing.
    void setServer(const QString& server);
    void setPort(int port);
    void setDatabase(const QString& database);
    void setConnectTimeout(int seconds);

    bool isConnected() const;
    // Connects with the current settings unless connected; raises DbError.
    void ensureConnected();
    void disconnect();

    // For the query layer: the handle, connected first where there is none,
    // so that every query and save after a lost connection reconnects.
    pg_conn* liveHandle();
    // Called by the query layer after a failure: a broken link is dropped so
    // that the next open reconnects.
    void dropIfBroken();

  private:
    QString name_;
    ConnectionSettings settings_;
    pg_conn* conn_ = nullptr;
};

}  // namespace pg
