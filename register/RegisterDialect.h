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
    // Begins a transaction that holds the register's write lock until it ends, so that
    // writers from several desks take their running numbers one after the other.
    QStringList beginWrite() const;
    // The schema version of the database (0 for a database without the register's tables):
    // the first of these queries that yields a row gives it.
    QStringList readVersion() const;
    QStringList writeVersion(int version) const;
    // A condition that holds when the column's text contains the text of the next bound
    // value, taken literally (an empty text is in every text).
    QString containsText(const QString& column) const;
    // How many tables of any kind the database holds.
    QString countTables() const;

private:
    RegisterLocation::Kind fKind;
};
