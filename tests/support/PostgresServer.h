#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL server of the tests' own: a fresh cluster in a temporary folder, listening
// only on a Unix socket there, with password-free access for one user. The server's
// programs run as the `postgres` user when the tests run as root (initdb refuses root).
class PostgresServer {
public:
    // The folder of initdb and pg_ctl; empty when the server is not installed.
    static QString binaries();

    // Starts the server; nothing when it cannot be started (why goes to `error`).
    static std::unique_ptr<PostgresServer> start(QString& error);
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // The socket's folder, which clients take as the host name.
    QString host() const { return fFolder.path(); }
    static QString user() { return QStringLiteral("vorsela"); }
    // Creates an empty database; false when the server refused.
    bool createDatabase(const QString& name) const;

private:
    PostgresServer() = default;
    bool run(const QStringList& command, QString& output) const;

    QTemporaryDir fFolder;
    bool fStarted = false;
};

// The program's PostgreSQL server, started with the first test that asks for it and stopped
// when the program ends; nothing when it cannot be started (why goes to `error`).
PostgresServer* testPostgres(QString& error);
