#include "CertificateRegister.h"

#include "RegisterError.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

#include <atomic>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// SQLite's primary result codes that say why a statement failed.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

const QStringList kLineColumns {u"number"_s, u"printed_at"_s, u"printer"_s, u"left_margin"_s,
    u"top_margin"_s, u"right_margin"_s, u"bottom_margin"_s, u"series"_s, u"graduate"_s,
    u"period_from"_s, u"period_to"_s, u"category"_s, u"transmission"_s, u"issued_on"_s, u"head"_s,
    u"spoiled_reason"_s};
// What reads a line: kLineColumns, then the desk.
const int kLineColumnCount = int(kLineColumns.size()) + 1;

// Earlier reasons of a spoiled blank come first, each after the one before.
const QString kReasonSeparator = u"; "_s;

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

QString readOnlyRefusal(const QString& where)
{
    return u"Журнал выданных свидетельств (%1) открыт только для чтения: это рабочее место "
           u"не может в него записывать."_s.arg(where);
}

// What a search compares: the text in small letters, with ё as е, since people type either.
QString searchKey(const QString& text) { return text.toLower().replace(u'ё', u'е'); }

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
    line.desk = query.value(16).toString();
    return line;
}

} // namespace

CertificateRegister::CertificateRegister(const RegisterLocation& location, int busyTimeoutMs)
    : fLocation(location),
      fDialect(location.kind),
      fConnection(connectionName()),
      fBusyTimeoutMs(busyTimeoutMs)
{
    try {
        open();
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

void CertificateRegister::open()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(fDialect.driver(), fConnection);
    if (!db.isValid())
        throw RegisterError(u"Журнал выданных свидетельств недоступен: в системе нет "
                            u"драйвера базы данных %1."_s.arg(fDialect.driver()));
    if (fLocation.kind == RegisterLocation::Kind::SQLite) {
        if (QFileInfo(fLocation.file).isDir())
            throw RegisterError(u"Журнал выданных свидетельств (%1) недоступен: на месте "
                                u"файла журнала находится папка."_s.arg(fLocation.describe()));
        // A file that exists but that this desk may not change, or whose folder takes no
        // journal files, is read as it is.
        const QFileInfo file(fLocation.file);
        fReadOnly
            = file.exists() && (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable());
        QString options = u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(fBusyTimeoutMs);
        if (fReadOnly)
            options += u";QSQLITE_OPEN_READONLY"_s;
        // A write-ahead-journal file is read through a shared-memory file beside it; where
        // there is none and this desk cannot create one, no desk has the file open, and it
        // is read as a file nobody changes meanwhile.
        if (fReadOnly && !QFileInfo::exists(fLocation.file + u"-shm"_s)
            && !QFileInfo(file.absolutePath()).isWritable()) {
            db.setDatabaseName(
                QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded)
                + u"?immutable=1"_s);
            options += u";QSQLITE_OPEN_URI"_s;
        } else {
            db.setDatabaseName(fLocation.file);
        }
        db.setConnectOptions(options);
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
        for (const QString& statement : fDialect.busyTimeout(fBusyTimeoutMs))
            exec(statement);
}

void CertificateRegister::prepareSchema()
{
    int version = schemaVersion();
    if (version == 0 && fReadOnly)
        throw RegisterError(u"Журнал выданных свидетельств (%1) недоступен: файл только для "
                            u"чтения, а журнала в нём ещё нет."_s.arg(fLocation.describe()));
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
    if (!fReadOnly) {
        QSqlQuery allowed = prepared(fDialect.canWrite());
        exec(allowed);
        fReadOnly = allowed.next() && !allowed.value(0).toBool();
    }
    fVersion = version;
    // A register this desk may only read is read in its own version.
    if (fVersion < kSchemaVersion && !fReadOnly)
        upgradeSchema();
}

void CertificateRegister::upgradeSchema()
{
    beginWrite();
    try {
        // Another desk may have brought the tables up to date while this one waited.
        int version = schemaVersion();
        for (; version < kSchemaVersion; ++version)
            for (const QString& statement : fDialect.upgradeFrom(version))
                exec(statement);
        for (const QString& statement : fDialect.writeVersion(version))
            exec(statement);
        exec(u"COMMIT"_s);
        fVersion = version;
    } catch (...) {
        rollback();
        throw;
    }
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

QString CertificateRegister::lineColumns(const QString& table) const
{
    QStringList columns;
    for (const QString& column : kLineColumns)
        columns.append(table + column);
    // Lines of a register read in its first version name no desk.
    columns.append(fVersion >= 2 ? table + u"desk"_s : u"''"_s);
    return columns.join(u", "_s);
}

void CertificateRegister::refuseWhenReadOnly() const
{
    if (fReadOnly)
        throw RegisterError(readOnlyRefusal(fLocation.describe()));
}

QList<qint64> CertificateRegister::record(const QList<RegisterEntry>& entries)
{
    QList<qint64> numbers;
    if (entries.isEmpty())
        return numbers;
    refuseWhenReadOnly();
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
                       u"period_from, period_to, category, transmission, issued_on, head, desk) "
                       u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
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
            line.addBindValue(searchKey(entry.graduate + u'\n' + entry.series));
            line.addBindValue(isoDate(entry.periodFrom));
            line.addBindValue(isoDate(entry.periodTo));
            line.addBindValue(text(entry.category));
            line.addBindValue(text(entry.transmission));
            line.addBindValue(isoDate(entry.issuedOn));
            line.addBindValue(text(entry.head));
            line.addBindValue(text(entry.desk));
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
    const QString text = searchKey(query.text);
    if (!text.isEmpty()) {
        // The first version kept ё apart in its search texts.
        conditions.append(fDialect.containsText(
            fVersion >= 2 ? u"search_text"_s : u"replace(search_text, 'ё', 'е')"_s));
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
    QString statement = u"SELECT %1 FROM certificates"_s.arg(lineColumns(QString()));
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
        = prepared(u"SELECT %1, t.school, t.school_2, t.locality, t.hours, t.grades, t.fields "
                   u"FROM certificates c JOIN certificate_texts t ON t.number = c.number "
                   u"WHERE c.number = ?"_s.arg(lineColumns(u"c."_s)));
    select.addBindValue(number);
    exec(select);
    if (!select.next())
        throw RegisterError(u"В журнале выданных свидетельств нет записи № %1."_s.arg(number));
    RegisterEntry entry;
    static_cast<RegisterLine&>(entry) = lineFrom(select);
    entry.school = select.value(kLineColumnCount).toString();
    entry.school2 = select.value(kLineColumnCount + 1).toString();
    entry.locality = select.value(kLineColumnCount + 2).toString();
    const auto hours
        = textList(select.value(kLineColumnCount + 3).toString(), RegisterEntry::kHourCount);
    const auto grades
        = textList(select.value(kLineColumnCount + 4).toString(), RegisterEntry::kGradeCount);
    const auto fields
        = textList(select.value(kLineColumnCount + 5).toString(), RegisterEntry::kFieldCount);
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
    refuseWhenReadOnly();
    beginWrite();
    try {
        QSqlQuery update = prepared(u"UPDATE certificates SET spoiled_reason = CASE "
                                    u"WHEN spoiled_reason IS NULL OR spoiled_reason = '' THEN ? "
                                    u"ELSE spoiled_reason || ? || ? END WHERE number = ?"_s);
        update.addBindValue(reason.trimmed());
        update.addBindValue(kReasonSeparator);
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
        bool taken = true;
        {
            QSqlQuery attempt(QSqlDatabase::database(fConnection));
            for (const QString& statement : fDialect.tryBeginWrite()) {
                if (!attempt.exec(statement)) {
                    if (!busy(attempt.lastError()))
                        fail(attempt);
                    taken = false;
                    break;
                }
            }
            if (taken && attempt.next())
                taken = attempt.value(0).toBool();
        }
        for (const QString& statement : fDialect.busyTimeout(fBusyTimeoutMs))
            exec(statement);
        if (taken)
            return;
        if (fWaitNotice)
            fWaitNotice();
        for (const QString& statement : fDialect.waitForWriteLock())
            exec(statement);
    } catch (...) {
        rollback();
        throw;
    }
}

bool CertificateRegister::busy(const QSqlError& error) const
{
    if (fLocation.kind == RegisterLocation::Kind::SQLite) {
        const int code = error.nativeErrorCode().toInt() & 0xff;
        return code == kSqliteBusy || code == kSqliteLocked;
    }
    return error.nativeErrorCode() == u"55P03"_s;
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
    if (busy(error))
        throw RegisterError(
            u"Журнал выданных свидетельств (%1) занят другой программой: %2"_s.arg(where, detail));
    if (fLocation.kind == RegisterLocation::Kind::SQLite) {
        const int code = error.nativeErrorCode().toInt() & 0xff;
        if (code == kSqliteReadOnly)
            throw RegisterError(readOnlyRefusal(where) + u" "_s + detail);
        if (code == kSqliteCorrupt || code == kSqliteNotADatabase)
            throw RegisterError(u"Файл журнала выданных свидетельств (%1) повреждён: %2. "
                                u"Файл оставлен как есть."_s.arg(where, detail));
    } else if (error.nativeErrorCode() == u"42501"_s) {
        throw RegisterError(readOnlyRefusal(where) + u" "_s + detail);
    }
    throw RegisterError(u"Журнал выданных свидетельств (%1) недоступен: %2"_s.arg(where, detail));
}
