#include "CertificateRegister.h"

#include "RegisterError.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// SQLite's primary result codes that say why a statement failed.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

const QString kLineColumns = u"number, printed_at, printer, left_margin, top_margin, "
                             u"right_margin, bottom_margin, series, graduate, period_from, "
                             u"period_to, category, transmission, issued_on, head, "
                             u"spoiled_reason"_s;

QString connectionName()
{
    static std::atomic<int> counter {0};
    return u"vorsela-register-%1"_s.arg(++counter);
}

// A text column holds text: an empty field the form never touched is an empty text, not
// a missing value.
QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

// A date the sheet does not tell (a prepared report opened from a file prints only the last
// digit of its years) is kept as an empty text, which reads back as no date.
QString isoDate(const QDate& date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QStringLiteral("");
}

QString jsonList(const QStringList& texts)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
}

// The texts of a JSON array with exactly `count` texts; nothing for anything else.
std::optional<QStringList> textList(const QString& json, int count)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray() || document.array().size() != count)
        return std::nullopt;
    QStringList texts;
    for (const QJsonValue value : document.array()) {
        if (!value.isString())
            return std::nullopt;
        texts.append(value.toString());
    }
    return texts;
}

RegisterLine lineFrom(const QSqlQuery& query)
{
    RegisterLine line;
    line.number = query.value(0).toLongLong();
    line.printedAt
        = QDateTime::fromString(query.value(1).toString(), Qt::ISODateWithMs).toLocalTime();
    line.printer = query.value(2).toString();
    line.leftMargin = query.value(3).toDouble();
    line.topMargin = query.value(4).toDouble();
    line.rightMargin = query.value(5).toDouble();
    line.bottomMargin = query.value(6).toDouble();
    line.series = query.value(7).toString();
    line.graduate = query.value(8).toString();
    line.periodFrom = QDate::fromString(query.value(9).toString(), Qt::ISODate);
    line.periodTo = QDate::fromString(query.value(10).toString(), Qt::ISODate);
    line.category = query.value(11).toString();
    line.transmission = query.value(12).toString();
    line.issuedOn = QDate::fromString(query.value(13).toString(), Qt::ISODate);
    line.head = query.value(14).toString();
    line.spoiledReason = query.value(15).toString();
    return line;
}

} // namespace

CertificateRegister::CertificateRegister(const RegisterLocation& location, int busyTimeoutMs)
    : fLocation(location), fDialect(location.kind), fConnection(connectionName())
{
    try {
        open(busyTimeoutMs);
        prepareSchema();
    } catch (...) {
        QSqlDatabase::database(fConnection, false).close();
        QSqlDatabase::removeDatabase(fConnection);
        throw;
    }
}

CertificateRegister::~CertificateRegister()
{
    QSqlDatabase::database(fConnection, false).close();
    QSqlDatabase::removeDatabase(fConnection);
}

void CertificateRegister::open(int busyTimeoutMs)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(fDialect.driver(), fConnection);
    if (!db.isValid())
        throw RegisterError(u"Журнал выданных свидетельств недоступен: в системе нет "
                            u"драйвера базы данных %1."_s.arg(fDialect.driver()));
    if (fLocation.kind == RegisterLocation::Kind::SQLite) {
        if (QFileInfo(fLocation.file).isDir())
            throw RegisterError(u"Журнал выданных свидетельств (%1) недоступен: на месте "
                                u"файла журнала находится папка."_s.arg(fLocation.describe()));
        db.setDatabaseName(fLocation.file);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(busyTimeoutMs));
    } else {
        db.setHostName(fLocation.host);
        db.setPort(fLocation.port);
        db.setDatabaseName(fLocation.database);
        db.setUserName(fLocation.user);
        db.setConnectOptions(u"connect_timeout=5"_s);
    }
    if (!db.open())
        throw RegisterError(u"Журнал выданных свидетельств (%1) недоступен: %2"_s.arg(
            fLocation.describe(), db.lastError().text()));
    if (fLocation.kind == RegisterLocation::Kind::PostgreSQL)
        exec(u"SET lock_timeout = %1"_s.arg(busyTimeoutMs));
}

void CertificateRegister::prepareSchema()
{
    int version = schemaVersion();
    if (version == 0) {
        QSqlQuery tables = prepared(fDialect.countTables());
        exec(tables);
        tables.next();
        const int count = tables.value(0).toInt();
        tables.finish();
        if (count > 0)
            throw RegisterError(
                u"%1 — не журнал выданных свидетельств: в базе данных есть "
                u"другие таблицы. Она оставлена как есть."_s.arg(fLocation.describe()));
        // Readers never wait for a writer, and a crash in the middle of a write leaves
        // the register as it was before it.
        if (fLocation.kind == RegisterLocation::Kind::SQLite)
            exec(u"PRAGMA journal_mode = WAL"_s);
        beginWrite();
        try {
            // Another desk may have created the tables while this one waited.
            version = schemaVersion();
            if (version == 0) {
                for (const QString& statement : fDialect.createSchema())
                    exec(statement);
                for (const QString& statement : fDialect.writeVersion(kSchemaVersion))
                    exec(statement);
                version = kSchemaVersion;
            }
            exec(u"COMMIT"_s);
        } catch (...) {
            rollback();
            throw;
        }
    }
    if (version > kSchemaVersion)
        throw RegisterError(u"Журнал выданных свидетельств (%1) записан более новой версией "
                            u"программы; эта версия его не меняет."_s.arg(fLocation.describe()));
}

int CertificateRegister::schemaVersion() const
{
    for (const QString& statement : fDialect.readVersion()) {
        QSqlQuery query = prepared(statement);
        exec(query);
        if (query.next())
            return query.value(0).toInt();
    }
    return 0;
}

QList<qint64> CertificateRegister::record(const QList<RegisterEntry>& entries)
{
    QList<qint64> numbers;
    if (entries.isEmpty())
        return numbers;
    beginWrite();
    try {
        QSqlQuery last = prepared(u"SELECT COALESCE(MAX(number), 0) FROM certificates"_s);
        exec(last);
        last.next();
        qint64 number = last.value(0).toLongLong();
        last.finish();

        QSqlQuery line
            = prepared(u"INSERT INTO certificates (number, printed_at, printer, left_margin, "
                       u"top_margin, right_margin, bottom_margin, series, graduate, search_text, "
                       u"period_from, period_to, category, transmission, issued_on, head) "
                       u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
        QSqlQuery texts
            = prepared(u"INSERT INTO certificate_texts (number, school, school_2, locality, "
                       u"hours, grades, fields) VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
        for (const RegisterEntry& entry : entries) {
            ++number;
            line.addBindValue(number);
            line.addBindValue(entry.printedAt.toUTC().toString(Qt::ISODateWithMs));
            line.addBindValue(text(entry.printer));
            line.addBindValue(entry.leftMargin);
            line.addBindValue(entry.topMargin);
            line.addBindValue(entry.rightMargin);
            line.addBindValue(entry.bottomMargin);
            line.addBindValue(text(entry.series));
            line.addBindValue(text(entry.graduate));
            line.addBindValue((entry.graduate + u'\n' + entry.series).toLower());
            line.addBindValue(isoDate(entry.periodFrom));
            line.addBindValue(isoDate(entry.periodTo));
            line.addBindValue(text(entry.category));
            line.addBindValue(text(entry.transmission));
            line.addBindValue(isoDate(entry.issuedOn));
            line.addBindValue(text(entry.head));
            exec(line);

            texts.addBindValue(number);
            texts.addBindValue(text(entry.school));
            texts.addBindValue(text(entry.school2));
            texts.addBindValue(text(entry.locality));
            texts.addBindValue(jsonList(entry.hours));
            texts.addBindValue(jsonList(entry.grades));
            texts.addBindValue(jsonList(entry.fields));
            exec(texts);
            numbers.append(number);
        }
        exec(u"COMMIT"_s);
    } catch (...) {
        rollback();
        throw;
    }
    return numbers;
}

QList<RegisterLine> CertificateRegister::search(const RegisterQuery& query, int limit) const
{
    // The lines are picked from the narrow search index, which a search reads whole, and
    // only the picked ones are read from the table.
    QStringList conditions;
    QVariantList values;
    const QString text = query.text.toLower();
    if (!text.isEmpty()) {
        conditions.append(fDialect.containsText(u"search_text"_s));
        values.append(text);
    }
    if (!query.issuedFrom.isNull()) {
        conditions.append(u"issued_on >= ?"_s);
        values.append(isoDate(query.issuedFrom));
    }
    if (!query.issuedTo.isNull()) {
        conditions.append(u"issued_on <= ?"_s);
        values.append(isoDate(query.issuedTo));
    }
    QString statement = u"SELECT %1 FROM certificates"_s.arg(kLineColumns);
    if (!conditions.isEmpty())
        statement += u" WHERE number IN (SELECT number FROM certificates WHERE %1)"_s.arg(
            conditions.join(u" AND "_s));
    statement += u" ORDER BY number DESC"_s;
    if (limit > 0)
        statement += u" LIMIT %1"_s.arg(limit);
    QSqlQuery select = prepared(statement);
    for (const QVariant& value : values)
        select.addBindValue(value);
    exec(select);
    QList<RegisterLine> lines;
    while (select.next())
        lines.append(lineFrom(select));
    if (select.lastError().isValid())
        fail(select);
    return lines;
}

RegisterEntry CertificateRegister::entry(qint64 number) const
{
    QSqlQuery select
        = prepared(u"SELECT c.%1, t.school, t.school_2, t.locality, t.hours, t.grades, t.fields "
                   u"FROM certificates c JOIN certificate_texts t ON t.number = c.number "
                   u"WHERE c.number = ?"_s.arg(QString(kLineColumns).replace(u", "_s, u", c."_s)));
    select.addBindValue(number);
    exec(select);
    if (!select.next())
        throw RegisterError(u"В журнале выданных свидетельств нет записи № %1."_s.arg(number));
    RegisterEntry entry;
    static_cast<RegisterLine&>(entry) = lineFrom(select);
    entry.school = select.value(16).toString();
    entry.school2 = select.value(17).toString();
    entry.locality = select.value(18).toString();
    const auto hours = textList(select.value(19).toString(), RegisterEntry::kHourCount);
    const auto grades = textList(select.value(20).toString(), RegisterEntry::kGradeCount);
    const auto fields = textList(select.value(21).toString(), RegisterEntry::kFieldCount);
    if (!hours || !grades || !fields)
        throw RegisterError(u"Запись № %1 журнала выданных свидетельств (%2) повреждена."_s.arg(
            QString::number(number), fLocation.describe()));
    entry.hours = *hours;
    entry.grades = *grades;
    entry.fields = *fields;
    return entry;
}

void CertificateRegister::markSpoiled(qint64 number, const QString& reason)
{
    if (reason.trimmed().isEmpty())
        throw RegisterError(u"Укажите, почему бланк испорчен."_s);
    beginWrite();
    try {
        QSqlQuery update
            = prepared(u"UPDATE certificates SET spoiled_reason = ? WHERE number = ?"_s);
        update.addBindValue(reason.trimmed());
        update.addBindValue(number);
        exec(update);
        if (update.numRowsAffected() != 1)
            throw RegisterError(u"В журнале выданных свидетельств нет записи № %1."_s.arg(number));
        exec(u"COMMIT"_s);
    } catch (...) {
        rollback();
        throw;
    }
}

QSqlQuery CertificateRegister::prepared(const QString& statement) const
{
    QSqlQuery query(QSqlDatabase::database(fConnection));
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        fail(query);
    return query;
}

void CertificateRegister::exec(QSqlQuery& query) const
{
    if (!query.exec())
        fail(query);
}

void CertificateRegister::exec(const QString& statement) const
{
    QSqlQuery query(QSqlDatabase::database(fConnection));
    if (!query.exec(statement))
        fail(query);
}

void CertificateRegister::beginWrite() const
{
    try {
        for (const QString& statement : fDialect.beginWrite())
            exec(statement);
    } catch (...) {
        rollback();
        throw;
    }
}

void CertificateRegister::rollback() const
{
    QSqlQuery(QSqlDatabase::database(fConnection)).exec(u"ROLLBACK"_s);
}

void CertificateRegister::fail(const QSqlQuery& query) const
{
    const QSqlError error = query.lastError();
    const QString where = fLocation.describe();
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (fLocation.kind == RegisterLocation::Kind::SQLite) {
        const int code = error.nativeErrorCode().toInt() & 0xff;
        if (code == kSqliteBusy || code == kSqliteLocked)
            throw RegisterError(
                u"Журнал выданных свидетельств (%1) занят другой программой: %2"_s.arg(
                    where, detail));
        if (code == kSqliteCorrupt || code == kSqliteNotADatabase)
            throw RegisterError(u"Файл журнала выданных свидетельств (%1) повреждён: %2. "
                                u"Файл оставлен как есть."_s.arg(where, detail));
    } else if (error.nativeErrorCode() == u"55P03"_s) {
        throw RegisterError(
            u"Журнал выданных свидетельств (%1) занят другой программой: %2"_s.arg(where, detail));
    }
    throw RegisterError(u"Журнал выданных свидетельств (%1) недоступен: %2"_s.arg(where, detail));
}
