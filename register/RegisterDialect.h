#pragma once

#include "RegisterLocation.h"

#include <QString>
#include <QStringList>

class QSqlDatabase;

// What differs between the two databases the register runs on; every query of the register
// is written once for both.
class RegisterDialect {
public:
    explicit RegisterDialect(RegisterLocation::Kind kind) : fKind(kind) { }

    QString driver() const;
    // The table definitions of the current schema.
    QStringList createSchema() const;
    // What brings the tables of a register of the given schema version to the next version,
    // keeping every line.
    QStringList upgradeFrom(int version) const;
    // A write is a transaction that holds the register's write lock until it ends, so that
    // writers from several desks take their running numbers one after the other. It begins
    // with these statements, which try to take the lock without waiting: the lock is not
    // taken when one fails as busy, or when the last yields a row that is false.
    QStringList tryBeginWrite() const;
    // Run after that try whatever came of it: how long a statement waits for a busy
    // register.
    QStringList busyTimeout(int milliseconds) const;
    // Waits for the lock when the try did not take it, inside the transaction begun.
    QStringList waitForWriteLock() const;
    // The schema version of the database (0 for a database without the register's tables):
    // the first of these queries that yields a row gives it.
    QStringList readVersion() const;
    QStringList writeVersion(int version) const;
    // A condition that holds when the column's text contains the text of the next bound
    // value, taken literally (an empty text is in every text).
    QString containsText(const QString& column) const;
    // Whether the connected user may write lines: one row, true or false. (An SQLite file
    // the user cannot write is opened read-only before this is asked.)
    QString canWrite() const;
    // How many tables of any kind the database holds.
    QString countTables() const;

private:
    RegisterLocation::Kind fKind;
};
