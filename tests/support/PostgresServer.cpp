#include "PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

QString PostgresServer::binaries()
{
    const QDir versions(u"/usr/lib/postgresql"_s);
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = found.crbegin(); it != found.crend(); ++it) {
        const QString bin = versions.filePath(*it + u"/bin"_s);
        if (QFile::exists(bin + u"/initdb"_s) && QFile::exists(bin + u"/pg_ctl"_s))
            return bin;
    }
    return {};
}

bool PostgresServer::run(const QStringList& command, QString& output) const
{
    QStringList arguments = command;
    QString program = arguments.takeFirst();
    if (geteuid() == 0) {
        arguments.prepend(program);
        arguments.prepend(u"--"_s);
        arguments.prepend(u"postgres"_s);
        arguments.prepend(u"-u"_s);
        program = u"runuser"_s;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(fFolder.path());
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

std::unique_ptr<PostgresServer> PostgresServer::start(QString& error)
{
    const QString bin = binaries();
    std::unique_ptr<PostgresServer> server(new PostgresServer);
    if (!server->fFolder.isValid()) {
        error = u"no temporary folder"_s;
        return nullptr;
    }
    const QString folder = server->fFolder.path();
    // The server's own user must reach and write the folder.
    QFile::setPermissions(folder,
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther
            | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup);
    QString output;
    if (!server->run({bin + u"/initdb"_s, u"-D"_s, folder + u"/data"_s, u"-A"_s, u"trust"_s,
                         u"-U"_s, user(), u"-E"_s, u"UTF8"_s, u"--no-sync"_s},
            output)) {
        error = u"initdb failed: "_s + output;
        return nullptr;
    }
    if (!server->run({bin + u"/pg_ctl"_s, u"-D"_s, folder + u"/data"_s, u"-o"_s,
                         u"-k %1 -c listen_addresses='' -c fsync=off"_s.arg(folder), u"-l"_s,
                         folder + u"/log"_s, u"-w"_s, u"start"_s},
            output)) {
        error = u"pg_ctl start failed: "_s + output;
        return nullptr;
    }
    server->fStarted = true;
    return server;
}

PostgresServer::~PostgresServer()
{
    if (!fStarted)
        return;
    QString output;
    run({binaries() + u"/pg_ctl"_s, u"-D"_s, fFolder.path() + u"/data"_s, u"-m"_s, u"fast"_s,
            u"-w"_s, u"stop"_s},
        output);
}

bool PostgresServer::createDatabase(const QString& name) const
{
    bool created = false;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(u"QPSQL"_s, u"postgres-server-admin"_s);
        admin.setHostName(host());
        admin.setDatabaseName(u"postgres"_s);
        admin.setUserName(user());
        created = admin.open() && QSqlQuery(admin).exec(u"CREATE DATABASE \"%1\""_s.arg(name));
        admin.close();
    }
    QSqlDatabase::removeDatabase(u"postgres-server-admin"_s);
    return created;
}

PostgresServer* testPostgres(QString& error)
{
    static QString startError;
    static std::unique_ptr<PostgresServer> server = [] {
        if (PostgresServer::binaries().isEmpty()) {
            startError = u"not installed"_s;
            return std::unique_ptr<PostgresServer>();
        }
        return PostgresServer::start(startError);
    }();
    error = startError;
    return server.get();
}
