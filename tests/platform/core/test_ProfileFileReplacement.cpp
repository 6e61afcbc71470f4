// The settings file is replaced as a whole: a save killed at any moment leaves the old or
// the new file, never a mixture; and a folder that refuses new files still lets a writable
// file be saved in place.

#include "SettingsSave.h"

#include "platform/core/CodePage1251.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace {

const QString kWriter = QStringLiteral(VORSELA_PROFILE_WRITER);

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A school's file with many comment lines between the hours and the margins, so that the
// save changes both ends of a large file.
QByteArray largeSettings()
{
    QString text = QString::fromUtf8("[Организация]\r\nНазвание=Автошкола\r\n[Часы]\r\n");
    for (int i = 1; i <= 11; ++i)
        text += QStringLiteral("_%1=0\r\n").arg(i);
    for (int i = 0; i < 20000; ++i)
        text += QString::fromUtf8("; строка %1 из журнала школы, сохраненная в файле\r\n").arg(i);
    text += QString::fromUtf8("[Страница]\r\nВерхнее_поле=15\r\n");
    return platform::encodeWindows1251(text);
}

struct WriterRun {
    int exitCode = -1;
    QString errors;
};

WriterRun runWriter(const QStringList& arguments)
{
    QProcess child;
    child.start(kWriter, arguments);
    if (!child.waitForFinished(30000))
        return {};
    return {child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1,
        QString::fromLocal8Bit(child.readAllStandardError())};
}

TEST(ProfileFileReplacement, SaveKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.zrf"));
    const QByteArray before = largeSettings();

    // One save run to its end gives the new bytes and how long a save takes.
    writeBytes(path, before);
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(runWriter({path}).exitCode, 0);
    const auto saveTime = std::chrono::nanoseconds(timer.nsecsElapsed());
    const QByteArray after = readBytes(path);
    ASSERT_NE(after, before);

    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::int64_t> moment(0, saveTime.count() * 5 / 4);
    int untouched = 0;
    int saved = 0;
    for (int run = 0; run < 200; ++run) {
        writeBytes(path, before);
        QProcess child;
        child.start(kWriter, {path});
        ASSERT_TRUE(child.waitForStarted());
        std::this_thread::sleep_for(std::chrono::nanoseconds(moment(random)));
        child.kill();
        child.waitForFinished();

        const QByteArray now = readBytes(path);
        if (now == after) {
            ++saved;
        } else {
            ASSERT_TRUE(now == before) << "run " << run << " left " << now.size() << " bytes";
            ++untouched;
        }
    }
    // Kills landed before and after the replacement, so those in between were tried too.
    EXPECT_GT(untouched, 0);
    EXPECT_GT(saved, 0);
}

// A folder that refuses new files (a shared folder where the operator may only change the
// existing file); the writer runs without root's rights, for which such a folder refuses
// nothing.
class LockedFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::setPermissions(dir.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    }
    void TearDown() override { setFolderWritable(true); }

    QString folder() const { return dir.filePath(QStringLiteral("locked")); }
    QString path() const { return folder() + QStringLiteral("/default.zrf"); }
    void setFolderWritable(bool writable)
    {
        const QFile::Permissions readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
            | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup;
        ASSERT_TRUE(
            QFile::setPermissions(folder(), writable ? readable | QFile::WriteOwner : readable));
    }
    void createFile(const QByteArray& bytes, QFile::Permissions permissions)
    {
        writeBytes(path(), bytes);
        ASSERT_TRUE(QFile::setPermissions(path(), permissions));
        setFolderWritable(false);
    }

    QTemporaryDir dir;
};

const QFile::Permissions kEveryoneReads
    = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ReadUser;
const QFile::Permissions kEveryoneWrites
    = kEveryoneReads | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther | QFile::WriteUser;

TEST_F(LockedFolder, WritableFileIsSavedInPlace)
{
    const QByteArray before
        = platform::encodeWindows1251(QString::fromUtf8("; файл школы\r\n[Часы]\r\n_1=40\r\n"));
    createFile(before, kEveryoneWrites);

    const WriterRun run = runWriter({path(), QStringLiteral("--as-nobody")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();

    platform::ProfileDocument expected = platform::ProfileDocument::parse(before);
    for (const platform::ProfileEntry& entry : settingsSave())
        ASSERT_TRUE(expected.write(entry.section, entry.key, entry.value));
    EXPECT_EQ(readBytes(path()), expected.bytes());
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList {QStringLiteral("default.zrf")});
}

TEST_F(LockedFolder, FileThatMayNotBeWrittenIsRefusedAndKept)
{
    const QByteArray before = platform::encodeWindows1251(QString::fromUtf8("[Часы]\r\n_1=40\r\n"));
    createFile(before, kEveryoneReads);

    EXPECT_EQ(runWriter({path(), QStringLiteral("--as-nobody")}).exitCode, 1);
    EXPECT_EQ(readBytes(path()), before);
}

} // namespace
