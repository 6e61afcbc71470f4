#pragma once

#include "RegisterDialect.h"
#include "RegisterEntry.h"
#include "RegisterLocation.h"

#include <QList>
#include <QString>

#include <functional>

class QSqlError;
class QSqlQuery;

// The register of issued certificates ("Журнал выданных свидетельств"): one line for every
// printed certificate, numbered by the database in the order written. Opening it creates
// the tables in a new or empty database and brings an older program's tables up to date in
// place; a database that is damaged, locked, written by a newer program or holds other
// tables is refused with a RegisterError and never changed. A register this desk may not
// write (a file without write permission, a server user without the right to write) is
// opened read-only: it can be searched and exported, and every write is refused. Every
// write is one transaction. Not shared between threads.
class CertificateRegister {
public:
    static constexpr int kSchemaVersion = 2;
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
    // Keeps the line as a spoiled blank, with the reason (which must not be empty). A line
    // marked again keeps its earlier reasons and gets this one after them. A spoiled blank
    // stays on record for good: no mark is ever taken back.
    void markSpoiled(qint64 number, const QString& reason);

    const RegisterLocation& location() const { return fLocation; }
    bool readOnly() const { return fReadOnly; }
    int busyTimeoutMs() const { return fBusyTimeoutMs; }
    // Called when a write finds the register held by another desk, just before it waits
    // for it (at most busyTimeoutMs), so that the operator sees why nothing happens.
    void setWaitNotice(std::function<void()> notice) { fWaitNotice = std::move(notice); }

private:
    void open();
    void prepareSchema();
    void upgradeSchema();
    int schemaVersion() const;
    QString lineColumns(const QString& table) const;
    void refuseWhenReadOnly() const;
    QSqlQuery prepared(const QString& statement) const;
    void exec(QSqlQuery& query) const;
    void exec(const QString& statement) const;
    void beginWrite() const;
    // Whether the statement failed because another desk holds the register.
    bool busy(const QSqlError& error) const;
    void rollback() const;
    [[noreturn]] void fail(const QSqlQuery& query) const;

    RegisterLocation fLocation;
    RegisterDialect fDialect;
    QString fConnection;
    int fBusyTimeoutMs;
    std::function<void()> fWaitNotice;
    int fVersion = kSchemaVersion;
    bool fReadOnly = false;
};
