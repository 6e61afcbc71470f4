// The settings file is replaced as a whole: a save killed at any moment leaves the old or
// the new file, never a mixture; a save that cannot write every byte (a file-size limit, a
// full disk) is refused and leaves the old file; and a folder that refuses new files still
// lets a writable file be saved in place.

#include "SettingsSave.h"

#include "platform/core/CodePage1251.h"
#include "platform/core/Exception.h"
#include "platform/core/FileSystem.h"
#include "platform/core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <chrono>
#include <cstring>

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

// A school's file of a few kilobytes: small enough that a save's bytes sit in the file's
// buffer until the commit.
QByteArray smallSettings()
{
    QString text = QString::fromUtf8("[Организация]\r\nНазвание=Автошкола\r\n[Часы]\r\n_1=0\r\n");
    for (int i = 0; text.size() < 9900; ++i)
        text += QString::fromUtf8("; строка %1 из журнала школы\r\n").arg(i);
    return platform::encodeWindows1251(text);
}

// The bytes a save of `settingsSave()` gives the file.
QByteArray savedBytes(const QByteArray& before)
{
    platform::ProfileDocument profile = platform::ProfileDocument::parse(before);
    for (const platform::ProfileEntry& entry : settingsSave())
        EXPECT_TRUE(profile.write(entry.section, entry.key, entry.value));
    return profile.bytes();
}

// Compares whole files without printing them: a failure names the sizes.
::testing::AssertionResult sameBytes(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the file holds " << actual.size() << " bytes, not the "
                                         << expected.size() << " expected";
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

// The writer kills itself at each step of the replacement in turn: before the new file is in
// place the old one is there whole, afterwards the new one.
TEST(ProfileFileReplacement, SaveKilledAtEveryStepLeavesTheOldOrTheNewFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.zrf"));
    const QByteArray before = largeSettings();
    const QByteArray after = savedBytes(before);
    ASSERT_NE(after, before);

    const struct {
        platform::ReplacementStep step;
        const char* name;
        bool saved;
    } steps[] = {
        {platform::ReplacementStep::Opened, "the new file opened", false},
        {platform::ReplacementStep::Written, "every byte written", false},
        {platform::ReplacementStep::Committed, "the new file in place", true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        writeBytes(path, before);
        QProcess child;
        child.start(kWriter,
            {path, QStringLiteral("--killed-at"), QString::number(static_cast<int>(s.step))});
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << "the writer was not killed there";
        EXPECT_TRUE(sameBytes(readBytes(path), s.saved ? after : before));
    }
}

struct SizedFile {
    const char* name;
    QByteArray (*bytes)();
};

const SizedFile kSizedFiles[] = {{"Small", smallSettings}, {"Large", largeSettings}};

class ShortWrite : public ::testing::TestWithParam<SizedFile> {
protected:
    QByteArray before() const { return GetParam().bytes(); }
};

// The limit stops the save halfway through the new file; the process ignores the signal that
// would kill it, so the write just comes back short.
TEST_P(ShortWrite, BeyondTheFileSizeLimitIsRefusedAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.zrf"));
    writeBytes(path, before());
    const qint64 limit = savedBytes(before()).size() / 2;

    const WriterRun run
        = runWriter({path, QStringLiteral("--file-size-limit"), QString::number(limit)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, QStringLiteral("Unable to write to ") + path);
    EXPECT_TRUE(sameBytes(readBytes(path), before()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("default.zrf")});

    // A limit the file stays under lets the same save through.
    const qint64 roomy = savedBytes(before()).size() + 1;
    ASSERT_EQ(
        runWriter({path, QStringLiteral("--file-size-limit"), QString::number(roomy)}).exitCode, 0);
    EXPECT_TRUE(sameBytes(readBytes(path), savedBytes(before())));
}

// A small file system of its own, mounted for the test (which needs root's rights for it),
// filled up with a file beside the settings until only a little room is left.
class FullDisk : public ShortWrite {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("disk")));
        const QByteArray size = "size=" + QByteArray::number(before().size() * 4);
        if (mount("tmpfs", QFile::encodeName(disk()).constData(), "tmpfs", 0, size.constData())
            != 0) {
            FAIL() << "cannot mount a tmpfs for the full-disk test (it needs root): "
                   << std::strerror(errno);
        }
        mounted = true;
        ASSERT_TRUE(QDir(disk()).mkdir(QStringLiteral("school")));
    }
    void TearDown() override
    {
        if (mounted) {
            EXPECT_EQ(umount2(QFile::encodeName(disk()).constData(), MNT_DETACH), 0)
                << std::strerror(errno);
        }
    }

    QString disk() const { return dir.filePath(QStringLiteral("disk")); }
    QString path() const { return disk() + QStringLiteral("/school/default.zrf"); }

    // Writes a filler until the disk is full, then frees `room` bytes of it again.
    void fillLeaving(qint64 room)
    {
        QFile filler(disk() + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(64 * 1024, 'x');
        while (filler.write(block) == block.size()) { }
        ASSERT_TRUE(filler.resize(filler.size() - room));
        struct statvfs stats { };
        ASSERT_EQ(statvfs(QFile::encodeName(disk()).constData(), &stats), 0);
        ASSERT_EQ(qint64(stats.f_bavail * stats.f_bsize), room);
    }

    QTemporaryDir dir;
    bool mounted = false;
};

TEST_P(FullDisk, SaveThatDoesNotFitIsRefusedAndKeepsTheOldFile)
{
    writeBytes(path(), before());
    // Room for a part of the new file only: the first write goes through, the rest does not.
    const qint64 room = savedBytes(before()).size() / 2 / 4096 * 4096;
    ASSERT_GT(room, 0);
    fillLeaving(room);

    try {
        platform::TIniFile(path()).WriteStrings(settingsSave());
        ADD_FAILURE() << "the save passed for a success";
    } catch (const platform::Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path());
    }
    EXPECT_TRUE(sameBytes(readBytes(path()), before()));
    EXPECT_EQ(QDir(disk() + QStringLiteral("/school")).entryList(QDir::Files),
        QStringList {QStringLiteral("default.zrf")});

    // With no room at all not even the first byte is written.
    fillLeaving(0);
    EXPECT_FALSE(platform::replaceFileContents(path(), savedBytes(before())));
    EXPECT_TRUE(sameBytes(readBytes(path()), before()));
}

INSTANTIATE_TEST_SUITE_P(Files, ShortWrite, ::testing::ValuesIn(kSizedFiles),
    [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Files, FullDisk, ::testing::ValuesIn(kSizedFiles),
    [](const auto& info) { return std::string(info.param.name); });

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

    EXPECT_EQ(readBytes(path()), savedBytes(before));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList {QStringLiteral("default.zrf")});
}

// Written in place, the file is cut before the new bytes go in; when they do not all fit, the
// old ones are put back.
TEST_F(LockedFolder, ShortWriteInPlaceRestoresTheOldFile)
{
    const QByteArray before = platform::encodeWindows1251(
        QString::fromUtf8("; файл школы\r\n[Часы]\r\n_1=40\r\n%1\r\n").arg(QString(1000, u'-')));
    createFile(before, kEveryoneWrites);
    const qint64 limit = savedBytes(before).size() - 100;
    ASSERT_GT(limit, before.size());

    const WriterRun run = runWriter({path(), QStringLiteral("--as-nobody"),
        QStringLiteral("--file-size-limit"), QString::number(limit)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, QStringLiteral("Unable to write to ") + path());
    EXPECT_TRUE(sameBytes(readBytes(path()), before));
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
