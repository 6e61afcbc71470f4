#pragma once

#include "RegisterDialect.h"
#include "RegisterEntry.h"
#include "RegisterLocation.h"

#include <QList>
#include <QString>

class QSqlQuery;

// The register of issued certificates ("Журнал выданных свидетельств"): one line for every
// printed certificate, numbered by the database in the order written. Opening it creates
// the tables in a new or empty database; a database that is damaged, locked, written by a
// newer program or holds other tables is refused with a RegisterError and never changed.
// Every write is one transaction. Not shared between threads.
class CertificateRegister {
public:
    static constexpr int kSchemaVersion = 1;
    static constexpr int kDefaultBusyTimeoutMs = 5000;

    // busyTimeoutMs: how long a write waits for another desk's write to end.
    explicit CertificateRegister(
        const RegisterLocation& location, int busyTimeoutMs = kDefaultBusyTimeoutMs);
    ~CertificateRegister();
    CertificateRegister(const CertificateRegister&) = delete;
    CertificateRegister& operator=(const CertificateRegister&) = delete;

    // Writes the entries as consecutive lines, all or none; their numbers are the
    // database's next ones, whatever the entries hold. Returns the numbers given.
    QList<qint64> record(const QList<RegisterEntry>& entries);
    // The lines matching the query, newest first; with a limit, only that many of the
    // newest.
    QList<RegisterLine> search(const RegisterQuery& query, int limit = 0) const;
    // The whole record of a line.
    RegisterEntry entry(qint64 number) const;
    // Keeps the line as a spoiled blank, with the reason (which must not be empty).
    void markSpoiled(qint64 number, const QString& reason);

    const RegisterLocation& location() const { return fLocation; }

private:
    void open(int busyTimeoutMs);
    void prepareSchema();
    int schemaVersion() const;
    QSqlQuery prepared(const QString& statement) const;
    void exec(QSqlQuery& query) const;
    void exec(const QString& statement) const;
    void beginWrite() const;
    void rollback() const;
    [[noreturn]] void fail(const QSqlQuery& query) const;

    RegisterLocation fLocation;
    RegisterDialect fDialect;
    QString fConnection;
};
