#include "platform/core/CodePage1251.h"
#include "platform/core/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::readProfileString;
using platform::writeProfileString;

QString u(const char* text) { return QString::fromUtf8(text); }

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(VORSELA_TEST_DATA "/fixtures/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ProfileFile : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("default.zrf")); }
    QString read(const char* section, const char* key, const QString& def = QStringLiteral("DEF"))
    {
        return readProfileString(path(), u(section), u(key), def);
    }
    bool write(const char* section, const char* key, const QString& value)
    {
        return writeProfileString(path(), u(section), u(key), value);
    }

    QTemporaryDir dir;
};

struct EncodedFixture {
    const char* name;
    const char* file;
};

class WindowsWrittenFile : public ProfileFile,
                           public ::testing::WithParamInterface<EncodedFixture> { };

TEST_P(WindowsWrittenFile, ReadsValuesAndWritesBackOnlyWhatChanged)
{
    const QByteArray original = fixture(GetParam().file);
    writeBytes(path(), original);

    EXPECT_EQ(read("Организация", "Название"), u("АНО ДПО \"Автошкола Ворсела\""));
    EXPECT_EQ(read("организация", "СЕРИЯ"), u("АБ12"));
    EXPECT_EQ(read("Часы", "_3"), u("14,50"));
    EXPECT_EQ(read("Страница", "Левое_поле"), u("12,5"));
    EXPECT_EQ(read("Страница", "Правое_поле"), u("DEF"));
    EXPECT_EQ(read("Нет", "_1"), u("DEF"));

    // Writing the values the file already holds leaves it byte for byte.
    ASSERT_TRUE(write("Часы", "_1", u("42,00")));
    ASSERT_TRUE(write("Организация", "Серия", u("АБ12")));
    EXPECT_EQ(readBytes(path()), original);

    // A changed value replaces its line in place and nothing else.
    ASSERT_TRUE(write("Часы", "_2", u("16,00")));
    QByteArray expected = original;
    const bool utf16 = original.startsWith("\xFF\xFE");
    const auto enc = [utf16](const char* text) {
        const QString s = QString::fromUtf8(text);
        return utf16 ? QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2)
                     : platform::encodeWindows1251(s);
    };
    expected.replace(enc("_2=12,00"), enc("_2=16,00"));
    EXPECT_EQ(readBytes(path()), expected);
}

INSTANTIATE_TEST_SUITE_P(Encodings, WindowsWrittenFile,
    ::testing::Values(EncodedFixture {"Windows1251", "default-1251.zrf"},
        EncodedFixture {"Utf16LE", "default-utf16.zrf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFile, NewFileIsWindows1251WithSectionsInOrderOfFirstWrite)
{
    ASSERT_TRUE(write("Организация", "Серия", u("АБ12")));
    ASSERT_TRUE(write("Часы", "_1", u("42,00")));
    ASSERT_TRUE(write("Часы", "_2", u("12")));
    ASSERT_TRUE(write("Организация", "Директор", u("Петров П.П.")));
    EXPECT_EQ(readBytes(path()),
        platform::encodeWindows1251(u("[Организация]\r\nСерия=АБ12\r\nДиректор=Петров П.П.\r\n"
                                      "[Часы]\r\n_1=42,00\r\n_2=12\r\n")));
}

TEST_F(ProfileFile, HandEditedFileKeepsCommentsUnknownSectionsAndLayout)
{
    writeBytes(path(), fixture("hand-edited-1251.zrf"));
    EXPECT_EQ(read("Организация", "Название"), u("Школа №1"));
    EXPECT_EQ(read("Прочее", "ключ"), u("значение"));
    EXPECT_EQ(read("Часы", "_1"), u("40"));

    ASSERT_TRUE(write("Организация", "Серия", u("ВГ")));
    ASSERT_TRUE(write("Часы", "_2", u("8")));
    ASSERT_TRUE(write("Страница", "Левое_поле", u("12,5")));
    EXPECT_EQ(readBytes(path()),
        platform::encodeWindows1251(u("; настройки школы\r\n"
                                      "[организация]\r\n"
                                      "  название = 'Школа №1'  \r\n"
                                      "Серия=ВГ\r\n"
                                      "\r\n"
                                      "[Прочее]\r\n"
                                      "Ключ=значение\r\n"
                                      "[ЧАСЫ]\r\n"
                                      "_1=40\r\n"
                                      "_2=8\r\n"
                                      "[Страница]\r\n"
                                      "Левое_поле=12,5\r\n")));
}

TEST_F(ProfileFile, ReadIsCutAt2047Characters)
{
    const QString longText(3000, QLatin1Char('x'));
    ASSERT_TRUE(write("Организация", "Название", longText));
    EXPECT_EQ(read("Организация", "Название"), longText.left(2047));
}

TEST_F(ProfileFile, DefaultLosesTrailingBlanksWhenNothingIsStored)
{
    EXPECT_EQ(read("Часы", "_1", u("42,00  ")), u("42,00"));
}

TEST_F(ProfileFile, CharactersOutsideTheCodePageAreStoredAsQuestionMarks)
{
    ASSERT_TRUE(write("Организация", "Директор", u("Gérard")));
    EXPECT_EQ(read("Организация", "Директор"), u("G?rard"));
}

TEST_F(ProfileFile, RefusedWriteLeavesNoFileBehind)
{
    const QString missingFolder = dir.filePath(QStringLiteral("missing/default.zrf"));
    EXPECT_FALSE(writeProfileString(missingFolder, u("Часы"), u("_1"), u("1")));
    EXPECT_FALSE(QFile::exists(missingFolder));

    // A folder in the file's place cannot be written either.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("default.zrf")));
    EXPECT_FALSE(write("Часы", "_1", u("1")));
}

TEST_F(ProfileFile, WriteReplacesTheFileAtomically)
{
    writeBytes(path(), fixture("default-1251.zrf"));
    ASSERT_TRUE(write("Часы", "_1", u("50")));
    // Nothing but the settings file is left in the folder: the temporary was renamed.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("default.zrf")});
    EXPECT_EQ(read("Часы", "_1"), u("50"));
}

} // namespace
