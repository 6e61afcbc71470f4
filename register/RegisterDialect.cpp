#include "RegisterDialect.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Summary columns first: searches read only this table. The texts a reprint needs are in a
// table of their own, so that a search never pages through them.
const QString kCertificates = uR"(CREATE TABLE certificates (
    number %1 PRIMARY KEY,
    printed_at TEXT NOT NULL,
    printer TEXT NOT NULL,
    left_margin DOUBLE PRECISION NOT NULL,
    top_margin DOUBLE PRECISION NOT NULL,
    right_margin DOUBLE PRECISION NOT NULL,
    bottom_margin DOUBLE PRECISION NOT NULL,
    series TEXT NOT NULL,
    graduate TEXT NOT NULL,
    search_text TEXT NOT NULL,
    period_from TEXT NOT NULL,
    period_to TEXT NOT NULL,
    category TEXT NOT NULL,
    transmission TEXT NOT NULL,
    issued_on TEXT NOT NULL,
    head TEXT NOT NULL,
    spoiled_reason TEXT,
    desk TEXT NOT NULL DEFAULT ''
))"_s;

const QString kTexts = uR"(CREATE TABLE certificate_texts (
    number %1 PRIMARY KEY REFERENCES certificates (number),
    school TEXT NOT NULL,
    school_2 TEXT NOT NULL,
    locality TEXT NOT NULL,
    hours TEXT NOT NULL,
    grades TEXT NOT NULL,
    fields TEXT NOT NULL
))"_s;

const QString kIssuedIndex = u"CREATE INDEX certificates_issued_on ON certificates (issued_on)"_s;
// Everything a search looks at, so that a search by text reads this index and not the table.
const QString kSearchIndex
    = u"CREATE INDEX certificates_search ON certificates (search_text, issued_on)"_s;

} // namespace

QString RegisterDialect::driver() const
{
    return fKind == RegisterLocation::Kind::SQLite ? u"QSQLITE"_s : u"QPSQL"_s;
}

QStringList RegisterDialect::createSchema() const
{
    // SQLite keeps its rows in the order of an INTEGER PRIMARY KEY, so "newest first" reads
    // the table backwards.
    const QString key = fKind == RegisterLocation::Kind::SQLite ? u"INTEGER"_s : u"BIGINT"_s;
    return {kCertificates.arg(key), kTexts.arg(key), kIssuedIndex, kSearchIndex};
}

QStringList RegisterDialect::upgradeFrom(int version) const
{
    // Version 1 knew no desks, and searched ё apart from е.
    if (version == 1)
        return {u"ALTER TABLE certificates ADD COLUMN desk TEXT NOT NULL DEFAULT ''"_s,
            u"UPDATE certificates SET search_text = replace(search_text, 'ё', 'е')"_s};
    return {};
}

// A constant advisory lock also guards the creation of the tables, which no table lock can.
QStringList RegisterDialect::tryBeginWrite() const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return {u"PRAGMA busy_timeout = 0"_s, u"BEGIN IMMEDIATE"_s};
    return {u"BEGIN"_s, u"SELECT pg_try_advisory_xact_lock(7405318)"_s};
}

QStringList RegisterDialect::busyTimeout(int milliseconds) const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return {u"PRAGMA busy_timeout = %1"_s.arg(milliseconds)};
    return {u"SET lock_timeout = %1"_s.arg(milliseconds)};
}

QStringList RegisterDialect::waitForWriteLock() const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return {u"BEGIN IMMEDIATE"_s};
    return {u"SELECT pg_advisory_xact_lock(7405318)"_s};
}

QStringList RegisterDialect::readVersion() const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return {u"PRAGMA user_version"_s};
    return {u"SELECT 0 WHERE to_regclass('register_schema') IS NULL"_s,
        u"SELECT version FROM register_schema"_s};
}

QStringList RegisterDialect::writeVersion(int version) const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return {u"PRAGMA user_version = %1"_s.arg(version)};
    return {u"CREATE TABLE IF NOT EXISTS register_schema (version INTEGER NOT NULL)"_s,
        u"DELETE FROM register_schema"_s,
        u"INSERT INTO register_schema (version) VALUES (%1)"_s.arg(version)};
}

QString RegisterDialect::canWrite() const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return u"SELECT 1"_s;
    return u"SELECT has_table_privilege('certificates', 'INSERT') "
           u"AND has_table_privilege('certificates', 'UPDATE')"_s;
}

QString RegisterDialect::countTables() const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return u"SELECT count(*) FROM sqlite_master WHERE type = 'table'"_s;
    return u"SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()"_s;
}

QString RegisterDialect::containsText(const QString& column) const
{
    if (fKind == RegisterLocation::Kind::SQLite)
        return u"instr(%1, ?) > 0"_s.arg(column);
    return u"strpos(%1, ?) > 0"_s.arg(column);
}
