#include "RegisterBackends.h"
#include "RegisterSamples.h"

#include "register/CertificateRegister.h"
#include "register/RegisterError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <functional>

namespace {

QList<qint64> numbersOf(const QList<RegisterLine>& lines)
{
    QList<qint64> numbers;
    for (const RegisterLine& line : lines)
        numbers.append(line.number);
    return numbers;
}

using CertificateRegisterTest = RegisterBackend;
INSTANTIATE_FOR_BOTH_BACKENDS(CertificateRegisterTest);

TEST_P(CertificateRegisterTest, aRecordComesBackAsWrittenUnderTheNextRunningNumber)
{
    CertificateRegister reg(location);
    RegisterEntry first
        = sampleEntry(QStringLiteral("Иванов Иван Иванович"), QStringLiteral("АБ12"));
    first.number = 77;
    const RegisterEntry second
        = sampleEntry(QStringLiteral("Петрова Анна"), QStringLiteral("АБ13"));
    EXPECT_EQ(reg.record({first, second}), (QList<qint64> {1, 2}));
    EXPECT_EQ(reg.record({first}), QList<qint64> {3});

    const RegisterEntry read = reg.entry(2);
    EXPECT_EQ(read.number, 2);
    EXPECT_EQ(read.printedAt, second.printedAt);
    EXPECT_EQ(read.printer, second.printer);
    EXPECT_EQ(read.desk, QStringLiteral("касса-1"));
    EXPECT_EQ(read.leftMargin, 14.5);
    EXPECT_EQ(read.topMargin, 12.25);
    EXPECT_EQ(read.rightMargin, 15);
    EXPECT_EQ(read.bottomMargin, 20);
    EXPECT_EQ(read.series, second.series);
    EXPECT_EQ(read.graduate, second.graduate);
    EXPECT_EQ(read.periodFrom, second.periodFrom);
    EXPECT_EQ(read.periodTo, second.periodTo);
    EXPECT_EQ(read.category, second.category);
    EXPECT_EQ(read.transmission, second.transmission);
    EXPECT_EQ(read.issuedOn, second.issuedOn);
    EXPECT_EQ(read.head, second.head);
    EXPECT_EQ(read.school, second.school);
    EXPECT_EQ(read.school2, second.school2);
    EXPECT_EQ(read.locality, second.locality);
    EXPECT_EQ(read.hours, second.hours);
    EXPECT_EQ(read.grades, second.grades);
    EXPECT_EQ(read.fields, second.fields);
    EXPECT_FALSE(read.spoiled());

    // A register opened again carries on where it stopped.
    CertificateRegister again(location);
    EXPECT_EQ(again.record({second}), QList<qint64> {4});
}

struct SearchCase {
    const char* name;
    const char* text;
    QDate from;
    QDate to;
    QList<qint64> expected;
};

TEST_P(CertificateRegisterTest, searchFindsPiecesOfNameOrSeriesInAnyCaseWithinIssueDates)
{
    CertificateRegister reg(location);
    reg.record({sampleEntry(
                    QStringLiteral("Иванов Иван"), QStringLiteral("АБ12"), QDate(2026, 5, 1)),
        sampleEntry(QStringLiteral("Ёлкина Мария"), QStringLiteral("ВГ_7"), QDate(2026, 5, 31)),
        sampleEntry(QStringLiteral("Сидоров 100%"), QStringLiteral("АБ13"), QDate(2026, 6, 1)),
        sampleEntry(QStringLiteral("Иванова Ольга"), QStringLiteral("ДЕ1"), QDate(2026, 7, 2))});

    const SearchCase cases[] = {
        {"everything, newest first", "", {}, {}, {4, 3, 2, 1}},
        {"a piece of the name in another case", "иванов", {}, {}, {4, 1}},
        {"capital Ё found by the small ё", "ёлк", {}, {}, {2}},
        {"ё found by е, as people type it", "Елкина", {}, {}, {2}},
        {"a piece of the series", "аб1", {}, {}, {3, 1}},
        {"% is a character, not a wildcard", "100%", {}, {}, {3}},
        {"_ is a character, not a wildcard", "г_7", {}, {}, {2}},
        {"both ends of the range count", "", QDate(2026, 5, 1), QDate(2026, 5, 31), {2, 1}},
        {"open start", "", {}, QDate(2026, 5, 31), {2, 1}},
        {"open end", "иван", QDate(2026, 6, 1), {}, {4}},
        {"nothing matches", "Петров", {}, {}, {}},
    };
    for (const SearchCase& c : cases)
        EXPECT_EQ(numbersOf(reg.search({QString::fromUtf8(c.text), c.from, c.to})), c.expected)
            << c.name;
}

// Fields the operator left untouched and dates a sheet does not tell: the line is kept with
// empty texts and no dates, never refused.
TEST_P(CertificateRegisterTest, untouchedFieldsAndUnknownDatesAreRecordedEmpty)
{
    CertificateRegister reg(location);
    RegisterEntry bare;
    bare.printedAt = QDateTime::currentDateTime();
    bare.graduate = QStringLiteral("Сидоров Иван");
    bare.hours = QStringList(RegisterEntry::kHourCount, QString());
    bare.grades = QStringList(RegisterEntry::kGradeCount, QString());
    bare.fields = QStringList(RegisterEntry::kFieldCount, QString());
    ASSERT_EQ(reg.record({bare}).size(), 1);
    const RegisterEntry back = reg.entry(reg.search({}).at(0).number);
    EXPECT_EQ(back.graduate, QStringLiteral("Сидоров Иван"));
    EXPECT_EQ(back.head, QString());
    EXPECT_EQ(back.school, QString());
    EXPECT_FALSE(back.issuedOn.isValid());
    EXPECT_FALSE(back.periodFrom.isValid());
}

TEST_P(CertificateRegisterTest, aSpoiledBlankKeepsItsLineWithTheReason)
{
    CertificateRegister reg(location);
    reg.record({sampleEntry(QStringLiteral("Иванов"), QStringLiteral("АБ12")),
        sampleEntry(QStringLiteral("Петров"), QStringLiteral("АБ13"))});
    reg.markSpoiled(1, QStringLiteral("  замята бумага "));
    const QList<RegisterLine> lines = reg.search({});
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].spoiledReason, QStringLiteral("замята бумага"));
    EXPECT_FALSE(lines[0].spoiled());

    EXPECT_THROW(reg.markSpoiled(2, QStringLiteral("  ")), RegisterError);
    EXPECT_THROW(reg.markSpoiled(9, QStringLiteral("замята")), RegisterError);
    EXPECT_FALSE(reg.search({})[0].spoiled());
    // The register goes on after a refused change.
    EXPECT_EQ(reg.record({sampleEntry(QStringLiteral("Сидоров"), QStringLiteral("АБ14"))}),
        QList<qint64> {3});
}

// A spoiled blank is part of the record of strict-accountability blanks: marking it again
// adds the new reason after the earlier one, and nothing takes a mark back.
TEST_P(CertificateRegisterTest, aBlankSpoiledAgainKeepsEveryReason)
{
    CertificateRegister reg(location);
    reg.record({sampleEntry(QStringLiteral("Иванов"), QStringLiteral("АБ12"))});
    reg.markSpoiled(1, QStringLiteral("замята бумага"));
    reg.markSpoiled(1, QStringLiteral(" напечатан не тот год "));
    EXPECT_EQ(reg.entry(1).spoiledReason, QStringLiteral("замята бумага; напечатан не тот год"));
    EXPECT_THROW(reg.markSpoiled(1, QString()), RegisterError);
    EXPECT_EQ(
        reg.search({}).at(0).spoiledReason, QStringLiteral("замята бумага; напечатан не тот год"));
}

// A register written by the program's first version: its lines stay as they were, gain an
// empty desk, and are found with е for ё; new lines carry on the numbering.
TEST_P(CertificateRegisterTest, aRegisterOfThePreviousVersionIsUpgradedInPlace)
{
    const bool sqlite = GetParam() == RegisterLocation::Kind::SQLite;
    const QString key = sqlite ? QStringLiteral("INTEGER") : QStringLiteral("BIGINT");
    QStringList statements {
        QStringLiteral(
            "CREATE TABLE certificates (number %1 PRIMARY KEY, printed_at TEXT NOT NULL, "
            "printer TEXT NOT NULL, left_margin DOUBLE PRECISION NOT NULL, "
            "top_margin DOUBLE PRECISION NOT NULL, right_margin DOUBLE PRECISION NOT "
            "NULL, bottom_margin DOUBLE PRECISION NOT NULL, series TEXT NOT NULL, "
            "graduate TEXT NOT NULL, search_text TEXT NOT NULL, period_from TEXT NOT "
            "NULL, period_to TEXT NOT NULL, category TEXT NOT NULL, transmission TEXT "
            "NOT NULL, issued_on TEXT NOT NULL, head TEXT NOT NULL, spoiled_reason "
            "TEXT)")
            .arg(key),
        QStringLiteral("CREATE TABLE certificate_texts (number %1 PRIMARY KEY REFERENCES "
                       "certificates (number), school TEXT NOT NULL, school_2 TEXT NOT NULL, "
                       "locality TEXT NOT NULL, hours TEXT NOT NULL, grades TEXT NOT NULL, "
                       "fields TEXT NOT NULL)")
            .arg(key),
        QStringLiteral("CREATE INDEX certificates_issued_on ON certificates (issued_on)"),
        QStringLiteral("CREATE INDEX certificates_search ON certificates (search_text, issued_on)"),
        QStringLiteral("INSERT INTO certificates VALUES (1, '2026-05-04T08:00:00.000Z', 'A5Laser', "
                       "14.5, 12.25, 15, 20, 'АБ12', 'Ёлкин Пётр', 'ёлкин пётр\nаб12', "
                       "'2026-01-10', '2026-04-30', 'B', 'АКПП', '2026-05-04', 'Петров П.П.', "
                       "'замята бумага')"),
        QStringLiteral("INSERT INTO certificate_texts VALUES (1, 'Автошкола', '', 'г. Тверь', "
                       "'[\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"55\"]', "
                       "'[\"Зачтено\",\"Зачтено\",\"Зачтено\",\"Зачтено\",\"Зачтено\","
                       "\"Зачтено\",\"Зачтено\",\"Зачтено\",\"Зачтено\",\"Отлично\"]', '%1')")
            .arg(QString::fromUtf8(
                QJsonDocument(QJsonArray::fromStringList(
                                  QStringList(RegisterEntry::kFieldCount, QStringLiteral("поле"))))
                    .toJson(QJsonDocument::Compact))),
    };
    if (sqlite)
        statements << QStringLiteral("PRAGMA user_version = 1");
    else
        statements << QStringLiteral("CREATE TABLE register_schema (version INTEGER NOT NULL)")
                   << QStringLiteral("INSERT INTO register_schema (version) VALUES (1)");
    runStatements(statements);

    CertificateRegister reg(location);
    EXPECT_FALSE(reg.readOnly());
    const RegisterEntry old = reg.entry(1);
    EXPECT_EQ(old.graduate, QStringLiteral("Ёлкин Пётр"));
    EXPECT_EQ(old.desk, QString());
    EXPECT_EQ(old.spoiledReason, QStringLiteral("замята бумага"));
    EXPECT_EQ(old.hours.last(), QStringLiteral("55"));
    EXPECT_EQ(old.issuedOn, QDate(2026, 5, 4));
    EXPECT_EQ(numbersOf(reg.search({QStringLiteral("елкин петр"), {}, {}})), QList<qint64> {1});

    EXPECT_EQ(reg.record({sampleEntry(QStringLiteral("Ёжиков"), QStringLiteral("АБ13"))}),
        QList<qint64> {2});
    EXPECT_EQ(reg.entry(2).desk, QStringLiteral("касса-1"));
    EXPECT_EQ(numbersOf(reg.search({QStringLiteral("ежик"), {}, {}})), QList<qint64> {2});

    // Opened again, it is the current version and stays so.
    CertificateRegister again(location);
    EXPECT_EQ(numbersOf(again.search({})), (QList<qint64> {2, 1}));
}

// A desk whose server user may only read: it finds and reads lines, and every write is
// refused in the operator's words, leaving the register as it was.
TEST_P(CertificateRegisterTest, aRegisterThisDeskMayOnlyReadIsOpenedReadOnly)
{
    if (GetParam() == RegisterLocation::Kind::SQLite)
        GTEST_SKIP() << "covered by RegisterFile.aFileThisUserMayNotWriteIsOpenedReadOnly";
    CertificateRegister(location).record(
        {sampleEntry(QStringLiteral("Иванов"), QStringLiteral("АБ12"))});
    runStatements({QStringLiteral("DROP ROLE IF EXISTS reader_%1").arg(location.database),
        QStringLiteral("CREATE ROLE reader_%1 LOGIN").arg(location.database),
        QStringLiteral("GRANT SELECT ON certificates, certificate_texts, register_schema TO "
                       "reader_%1")
            .arg(location.database)});
    RegisterLocation reader = location;
    reader.user = QStringLiteral("reader_%1").arg(location.database);

    CertificateRegister reg(reader);
    EXPECT_TRUE(reg.readOnly());
    EXPECT_EQ(numbersOf(reg.search({QStringLiteral("иванов"), {}, {}})), QList<qint64> {1});
    EXPECT_EQ(reg.entry(1).graduate, QStringLiteral("Иванов"));
    for (const std::function<void()>& write : std::initializer_list<std::function<void()>> {
             [&] { reg.record({sampleEntry(QStringLiteral("Петров"), QStringLiteral("АБ13"))}); },
             [&] { reg.markSpoiled(1, QStringLiteral("замята")); }}) {
        try {
            write();
            ADD_FAILURE() << "a read-only register was written";
        } catch (const RegisterError& error) {
            EXPECT_EQ(error.message(),
                QStringLiteral("Журнал выданных свидетельств (%1) открыт только для чтения: это "
                               "рабочее место не может в него записывать.")
                    .arg(reader.describe()));
        }
    }
    const QList<RegisterLine> lines = CertificateRegister(location).search({});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_FALSE(lines[0].spoiled());
}

TEST_P(CertificateRegisterTest, twoDesksWritingAtOnceGetEveryRunningNumberOnce)
{
    CertificateRegister reg(location, 30000);
    QStringList arguments;
    if (GetParam() == RegisterLocation::Kind::SQLite)
        arguments = {QStringLiteral("sqlite"), location.file};
    else
        arguments = {QStringLiteral("postgres"), location.host, location.database, location.user};
    constexpr int kEach = 40;
    arguments << QString::number(kEach) << QStringLiteral("второй");
    QProcess other;
    other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other.start(QStringLiteral(VORSELA_REGISTER_WRITER), arguments);
    ASSERT_TRUE(other.waitForStarted());
    for (int i = 1; i <= kEach; ++i)
        reg.record({sampleEntry(QStringLiteral("первый %1").arg(i), QStringLiteral("первый"))});
    ASSERT_TRUE(other.waitForFinished(60000));
    EXPECT_EQ(other.exitCode(), 0);

    const QList<RegisterLine> lines = reg.search({});
    QList<qint64> expected;
    for (qint64 n = 2 * kEach; n >= 1; --n)
        expected.append(n);
    EXPECT_EQ(numbersOf(lines), expected);
    EXPECT_EQ(reg.search({QStringLiteral("второй"), {}, {}}).size(), kEach);
    EXPECT_EQ(reg.search({QStringLiteral("первый"), {}, {}}).size(), kEach);
}

TEST_P(CertificateRegisterTest, aWriteWhileAnotherDeskHoldsTheRegisterIsRefusedAndNothingIsKept)
{
    CertificateRegister holder(location);
    holder.record({sampleEntry(QStringLiteral("Иванов"), QStringLiteral("АБ12"))});
    CertificateRegister waiting(location, 200);
    int notices = 0;
    waiting.setWaitNotice([&] { ++notices; });
    {
        // The other desk's write transaction, opened by hand and left open.
        QSqlDatabase other = QSqlDatabase::addDatabase(GetParam() == RegisterLocation::Kind::SQLite
                ? QStringLiteral("QSQLITE")
                : QStringLiteral("QPSQL"),
            QStringLiteral("other-desk"));
        if (GetParam() == RegisterLocation::Kind::SQLite) {
            other.setDatabaseName(location.file);
        } else {
            other.setHostName(location.host);
            other.setDatabaseName(location.database);
            other.setUserName(location.user);
        }
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        if (GetParam() == RegisterLocation::Kind::SQLite) {
            ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
        } else {
            ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN")));
            ASSERT_TRUE(hold.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7405318)")));
        }
        try {
            waiting.record({sampleEntry(QStringLiteral("Петров"), QStringLiteral("АБ13"))});
            ADD_FAILURE() << "the write went through a held register";
        } catch (const RegisterError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("занят другой программой")))
                << error.what();
        }
        // The desk heard that it waits, once, before it waited.
        EXPECT_EQ(notices, 1);
        // Readers are not held up by a writer.
        EXPECT_EQ(waiting.search({}).size(), 1);
        hold.exec(QStringLiteral("ROLLBACK"));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other-desk"));
    EXPECT_EQ(waiting.record({sampleEntry(QStringLiteral("Петров"), QStringLiteral("АБ13"))}),
        QList<qint64> {2});
    EXPECT_EQ(notices, 1);
}

} // namespace
