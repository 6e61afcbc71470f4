#include "RegisterSamples.h"

#include "register/CertificateRegister.h"
#include "register/RegisterError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Runs statements on the file through a connection of the test's own.
QStringList sqlite(const QString& path, const QStringList& statements)
{
    QStringList answers;
    {
        QSqlDatabase db
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
            answers.append(query.next() ? query.value(0).toString() : QString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return answers;
}

class RegisterFile : public ::testing::Test {
protected:
    QString path() const { return folder.filePath(QStringLiteral("journal.sqlite")); }

    // A register of 200 lines, closed: everything is in the main file.
    QByteArray healthyRegister()
    {
        {
            CertificateRegister reg(RegisterLocation::sqliteFile(path()));
            QList<RegisterEntry> entries;
            for (int i = 1; i <= 200; ++i)
                entries.append(
                    sampleEntry(QStringLiteral("Выпускник %1").arg(i), QStringLiteral("АБ")));
            reg.record(entries);
        }
        EXPECT_FALSE(QFile::exists(path() + QStringLiteral("-wal")));
        return contents(path());
    }

    QTemporaryDir folder;
};

TEST_F(RegisterFile, aNewRegisterIsCreatedVersionedWithAWriteAheadJournal)
{
    CertificateRegister reg(RegisterLocation::sqliteFile(path()));
    EXPECT_EQ(sqlite(path(),
                  {QStringLiteral("PRAGMA user_version"), QStringLiteral("PRAGMA journal_mode")}),
        (QStringList {QStringLiteral("2"), QStringLiteral("wal")}));
}

struct BrokenFile {
    const char* name;
    std::function<QByteArray(QByteArray healthy)> make;
    const char* message;
};

TEST_F(RegisterFile, aBrokenFileIsReportedAndLeftUntouched)
{
    const BrokenFile cases[] = {
        {"garbage", [](QByteArray) { return QByteArray("это не база данных\n").repeated(300); },
            "повреждён"},
        {"cut inside the header", [](QByteArray healthy) { return healthy.left(60); }, "повреждён"},
        {"cut to half", [](QByteArray healthy) { return healthy.left(healthy.size() / 2); },
            "повреждён"},
        {"cut to its first page", [](QByteArray healthy) { return healthy.left(4096); },
            "повреждён"},
        {"another program's database", [](QByteArray) { return QByteArray(); },
            "не журнал выданных свидетельств"},
        {"written by a newer program", [](QByteArray) { return QByteArray(); },
            "более новой версией"},
    };
    for (const BrokenFile& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        const QByteArray healthy = healthyRegister();
        QFile::remove(path());
        QByteArray broken = c.make(healthy);
        if (QByteArrayView(c.name) == "another program's database") {
            sqlite(path(), {QStringLiteral("CREATE TABLE pupils (name TEXT)")});
            broken = contents(path());
        } else if (QByteArrayView(c.name) == "written by a newer program") {
            write(path(), healthy);
            sqlite(path(), {QStringLiteral("PRAGMA user_version = 3")});
            broken = contents(path());
        } else {
            write(path(), broken);
        }
        try {
            CertificateRegister reg(RegisterLocation::sqliteFile(path()));
            reg.record({sampleEntry(QStringLiteral("Иванов"), QStringLiteral("АБ"))});
            ADD_FAILURE() << "the broken register was written";
        } catch (const RegisterError& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.message))) << error.what();
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(path()))) << error.what();
        }
        EXPECT_EQ(contents(path()), broken);
        EXPECT_FALSE(QFile::exists(path() + QStringLiteral("-wal")));
    }
}

// A register file the desk's user may read but not write (another account's file in a
// folder it cannot write): the lines are found and read, a write is refused in words, and
// the file stays as it was.
TEST_F(RegisterFile, aFileThisUserMayNotWriteIsOpenedReadOnly)
{
    const QByteArray healthy = healthyRegister();
    const QFileDevice::Permissions readable
        = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QFileDevice::Permissions searchable
        = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(path(), readable));
    ASSERT_TRUE(QFile::setPermissions(folder.path(), readable | searchable));

    // Root may write anything, so the other desk runs as an ordinary user there.
    QStringList command {QStringLiteral(VORSELA_REGISTER_WRITER), QStringLiteral("read"), path()};
    if (geteuid() == 0)
        command = QStringList {QStringLiteral("runuser"), QStringLiteral("-u"),
                      QStringLiteral("nobody"), QStringLiteral("--")}
            + command;
    QProcess desk;
    desk.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    desk.start(command.takeFirst(), command);
    ASSERT_TRUE(desk.waitForFinished(60000));
    const QStringList answer = QString::fromUtf8(desk.readAllStandardOutput()).split(u'\n');
    ASSERT_EQ(answer.size(), 3) << answer.join(u'|').toStdString();
    EXPECT_EQ(answer[0], QStringLiteral("read-only 200"));
    EXPECT_EQ(answer[1],
        QStringLiteral("Журнал выданных свидетельств (%1) открыт только для чтения: это рабочее "
                       "место не может в него записывать.")
            .arg(QDir::toNativeSeparators(path())));

    QFile::setPermissions(folder.path(), readable | searchable | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(path()), healthy);
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral("-wal")));
}

TEST_F(RegisterFile, aFolderInTheFilesPlaceIsReported)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("journal.sqlite")));
    try {
        CertificateRegister reg(RegisterLocation::sqliteFile(path()));
        ADD_FAILURE() << "a folder was opened as the register";
    } catch (const RegisterError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("папка"))) << error.what();
    }
}

} // namespace
