#pragma once

#include "register/RegisterLocation.h"
#include "support/PostgresServer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Each test's own empty register: a new SQLite file, or a new database on the tests'
// PostgreSQL server. The PostgreSQL cases are skipped, saying so, only where the server's
// programs are not installed; a server that is installed but does not start fails them.
class RegisterBackend : public ::testing::TestWithParam<RegisterLocation::Kind> {
protected:
    void SetUp() override
    {
        if (GetParam() == RegisterLocation::Kind::SQLite) {
            location
                = RegisterLocation::sqliteFile(folder.filePath(QStringLiteral("journal.sqlite")));
            return;
        }
        QString error;
        PostgresServer* server = testPostgres(error);
        if (!server && PostgresServer::binaries().isEmpty())
            GTEST_SKIP() << "PostgreSQL server programs (initdb, pg_ctl) are not installed "
                            "under /usr/lib/postgresql: install the postgresql package";
        ASSERT_NE(server, nullptr) << error.toStdString();
        static int databases = 0;
        location.kind = RegisterLocation::Kind::PostgreSQL;
        location.host = server->host();
        location.user = PostgresServer::user();
        location.database = QStringLiteral("register_%1").arg(++databases);
        ASSERT_TRUE(server->createDatabase(location.database));
    }

    // Runs statements on the register's database through a connection of the test's own,
    // as another program or an older version would; as `user` when one is given.
    void runStatements(const QStringList& statements, const QString& user = QString()) const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(GetParam() == RegisterLocation::Kind::SQLite
                    ? QStringLiteral("QSQLITE")
                    : QStringLiteral("QPSQL"),
                QStringLiteral("test-statements"));
            if (GetParam() == RegisterLocation::Kind::SQLite) {
                db.setDatabaseName(location.file);
            } else {
                db.setHostName(location.host);
                db.setDatabaseName(location.database);
                db.setUserName(user.isEmpty() ? location.user : user);
            }
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            for (const QString& statement : statements) {
                QSqlQuery query(db);
                ASSERT_TRUE(query.exec(statement))
                    << statement.toStdString() << ": " << query.lastError().text().toStdString();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-statements"));
    }

    QTemporaryDir folder;
    RegisterLocation location;
};

inline std::string backendName(const ::testing::TestParamInfo<RegisterLocation::Kind>& info)
{
    return info.param == RegisterLocation::Kind::SQLite ? "SQLite" : "PostgreSQL";
}

#define INSTANTIATE_FOR_BOTH_BACKENDS(suite)                                                       \
    INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                      \
        ::testing::Values(RegisterLocation::Kind::SQLite, RegisterLocation::Kind::PostgreSQL),     \
        backendName)
