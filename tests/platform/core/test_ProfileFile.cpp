#include "platform/core/CodePage1251.h"
#include "platform/core/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST_F(ProfileFile, DefaultLosesTrailingSpacesWhenNothingIsStored)
{
    EXPECT_EQ(read("Часы", "_1", u("42,00  ")), u("42,00"));
    EXPECT_EQ(read("Часы", "_1", u(" 42,00\t")), u(" 42,00\t"));
}

TEST_F(ProfileFile, BlanksAroundNamesAskedForAndWritten)
{
    writeBytes(path(), platform::encodeWindows1251(u("[Часы]\r\n_1=40\r\n;примечание=да\r\n")));
    EXPECT_EQ(read(" Часы\t", "\t_1 "), u("40"));
    // A comment line is a key like any other, for whoever asks for it.
    EXPECT_EQ(read("Часы", ";примечание"), u("да"));

    // What is written loses its leading blanks, keeps its trailing ones, and is read without.
    ASSERT_TRUE(write(" Часы", "  _2 ", u("  12 ")));
    ASSERT_TRUE(write(" Часы ", " _1", u(" 41")));
    ASSERT_TRUE(write(" Страница ", " Левое_поле", u(" 12,5")));
    EXPECT_EQ(readBytes(path()),
        platform::encodeWindows1251(u("[Часы]\r\n_1=41\r\n;примечание=да\r\n_2 =12 \r\n"
                                      "[Страница ]\r\nЛевое_поле=12,5\r\n")));
    EXPECT_EQ(read("Часы", "_2"), u("12"));
    EXPECT_EQ(read("Страница", "Левое_поле"), u("12,5"));
}

QByteArray utf16(const QString& text)
{
    return QByteArray("\xFF\xFE", 2)
        + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

TEST_F(ProfileFile, ValueOutsideTheCodePageTurnsTheFileIntoUtf16KeepingEveryLine)
{
    writeBytes(path(), fixture("hand-edited-1251.zrf"));
    const QString before = platform::decodeWindows1251(readBytes(path()));

    ASSERT_TRUE(write("Организация", "Директор", u("Gérard")));
    ASSERT_TRUE(write("Организация", "Название", u("Школа Әлем")));
    EXPECT_EQ(readBytes(path()),
        utf16(QString(before).replace(
            u("  название = 'Школа №1'  \r\n"), u("название=Школа Әлем\r\nДиректор=Gérard\r\n"))));
    EXPECT_EQ(read("Организация", "Название"), u("Школа Әлем"));
    EXPECT_EQ(read("Организация", "Директор"), u("Gérard"));

    // Once UTF-16, the file stays so.
    ASSERT_TRUE(write("Часы", "_1", u("41")));
    EXPECT_TRUE(readBytes(path()).startsWith("\xFF\xFE"));
}

TEST_F(ProfileFile, NewFileWithAValueOutsideTheCodePageIsUtf16)
{
    // A character beyond the 16-bit range as well: a surrogate pair is kept whole.
    ASSERT_TRUE(write("Организация", "Серия", u("Ә😀")));
    EXPECT_EQ(readBytes(path()), utf16(u("[Организация]\r\nСерия=Ә😀\r\n")));
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

namespace {

// Files a hand or another program wrote, and what a write of "_1" in "Часы" makes of them.
struct LayoutCase {
    const char* name;
    const char* file;
    const char* read; // what "_1" reads before the write
    const char* written;
};

class ProfileLayout : public ProfileFile, public ::testing::WithParamInterface<LayoutCase> { };

TEST_P(ProfileLayout, ReadAndWriteOfOneKey)
{
    writeBytes(path(), platform::encodeWindows1251(u(GetParam().file)));
    EXPECT_EQ(read("Часы", "_1"), u(GetParam().read));
    ASSERT_TRUE(write("Часы", "_1", u("7")));
    EXPECT_EQ(platform::decodeWindows1251(readBytes(path())), u(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Lines, ProfileLayout,
    ::testing::Values(
        // A line without "=" is a key without a value: the default is read, and a write
        // completes that line.
        LayoutCase {"LineWithoutEqualsIsAKeyWithoutValue", "[Часы]\r\n  _1 \r\n_2=5\r\n", "DEF",
            "[Часы]\r\n_1=7\r\n_2=5\r\n"},
        LayoutCase {
            "EmptyValueIsAKey", "[Часы]\r\n_1=\r\n_2=5\r\n", "", "[Часы]\r\n_1=7\r\n_2=5\r\n"},
        // Keys before the first section belong to none.
        LayoutCase {
            "KeyBeforeAnySection", "_1=3\r\n[Часы]\r\n", "DEF", "_1=3\r\n[Часы]\r\n_1=7\r\n"},
        // Only the first section of a name counts.
        LayoutCase {"RepeatedSection", "[Часы]\r\n_2=1\r\n\r\n[часы]\r\n_1=3\r\n", "DEF",
            "[Часы]\r\n_2=1\r\n_1=7\r\n\r\n[часы]\r\n_1=3\r\n"},
        LayoutCase {"RepeatedKey", "[Часы]\r\n_1=3\r\n_1=4\r\n", "3", "[Часы]\r\n_1=7\r\n_1=4\r\n"},
        // The new key goes before the blank lines closing its section, after its comments.
        LayoutCase {"SectionClosedByBlankLines", "[Часы]\r\n;c\r\n\r\n\n[Б]\r\n", "DEF",
            "[Часы]\r\n;c\r\n_1=7\r\n\r\n\n[Б]\r\n"},
        LayoutCase {"LastLineWithoutEnd", "[Часы]\r\n_2=1", "DEF", "[Часы]\r\n_2=1\r\n_1=7\r\n"},
        // A header needs its "]": without one the line makes no section.
        LayoutCase {"HeaderWithoutBracket", "[Часы\r\n_1=3\r\n", "DEF",
            "[Часы\r\n_1=3\r\n[Часы]\r\n_1=7\r\n"},
        LayoutCase {"HeaderWithoutEnd", "[Часы]", "DEF", "[Часы]\r\n_1=7\r\n"},
        // The name runs to the last "]".
        LayoutCase {"BracketInSectionName", "[Часы]]\r\n_1=3\r\n[Часы] ; все\r\n_1=4\r\n", "4",
            "[Часы]]\r\n_1=3\r\n[Часы] ; все\r\n_1=7\r\n"},
        LayoutCase {"LineEndsKept", "[Часы]\n_1 = \"3\" \r_2=1\n", "3", "[Часы]\n_1=7\r_2=1\n"},
        LayoutCase {
            "CommentLooksLikeKey", "[Часы]\r\n;_1=3\r\n", "DEF", "[Часы]\r\n;_1=3\r\n_1=7\r\n"},
        // Blanks other than spaces and tabs: vertical tab, form feed, Ctrl+Z.
        LayoutCase {"OtherBlanks", "[Часы]\r\n\v_1\f= 3\x1a\r\n", "3", "[Часы]\r\n_1=7\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The writes of one save, in one replacement, leave the same bytes as the same writes made
// one by one.
struct BatchCase {
    const char* name;
    const char* file;
};

class ProfileBatch : public ProfileFile, public ::testing::WithParamInterface<BatchCase> { };

TEST_P(ProfileBatch, OneReplacementEqualsKeyByKeyWrites)
{
    const QList<platform::ProfileEntry> entries {
        {u("Организация"), u("Серия"), u("ВГ")},
        {u("Часы"), u("_1"), u("1")},
        {u("Новая"), u("а"), u("1")},
        {u("Часы"), u("_12"), u("12")},
        {u("НОВАЯ"), u("б"), u("2")},
        {u("часы"), u("_12"), u("twelve")},
        {u("Новая"), u("А"), u("3")},
        {u("Страница"), u("Левое_поле"), u("Әлем")},
    };
    const QByteArray original = GetParam().file[0] ? fixture(GetParam().file) : QByteArray();
    const QString keyByKey = dir.filePath(QStringLiteral("key-by-key.zrf"));
    if (!original.isEmpty()) {
        writeBytes(path(), original);
        writeBytes(keyByKey, original);
    }
    for (const platform::ProfileEntry& entry : entries)
        ASSERT_TRUE(writeProfileString(keyByKey, entry.section, entry.key, entry.value));

    ASSERT_TRUE(platform::writeProfileStrings(path(), entries));
    EXPECT_EQ(readBytes(path()), readBytes(keyByKey));
    EXPECT_EQ(read("Новая", "а"), u("3"));
    EXPECT_EQ(read("Часы", "_12"), u("twelve"));
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileBatch,
    ::testing::Values(BatchCase {"NoFile", ""}, BatchCase {"Windows1251", "default-1251.zrf"},
        BatchCase {"Utf16LE", "default-utf16.zrf"},
        BatchCase {"HandEdited", "hand-edited-1251.zrf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFile, RefusedBatchLeavesTheFileAsItWas)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("default.zrf")));
    EXPECT_FALSE(platform::writeProfileStrings(
        path(), {{u("Часы"), u("_1"), u("1")}, {u("Часы"), u("_2"), u("2")}}));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

} // namespace

namespace {

QByteArray utf16Unmarked(const QString& text, bool bigEndian)
{
    QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    if (bigEndian) {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            std::swap(bytes[i], bytes[i + 1]);
    }
    return bytes;
}

// A file without a byte-order mark, as a Linux editor or a script writes it: it is read in
// its own encoding and a save rewrites it whole in the code page or, where a character does
// not fit, in UTF-16LE with its mark, keeping every line.
struct UnmarkedCase {
    const char* name;
    QByteArray bytes;
    const char* text; // the file's text, which every read and the save keep
    bool fitsCodePage;
};

class UnmarkedFile : public ProfileFile, public ::testing::WithParamInterface<UnmarkedCase> { };

TEST_P(UnmarkedFile, IsReadInItsEncodingAndSavedInOne)
{
    writeBytes(path(), GetParam().bytes);
    EXPECT_EQ(read("Организация", "Населенный_Пункт"), u("г. Казань"));
    EXPECT_EQ(read("журнал", "Сервер"), u("desk-1"));
    EXPECT_TRUE(platform::loadProfile(path()).isText());

    ASSERT_TRUE(write("Организация", "Серия", u("АБ12")));
    const QString saved = u(GetParam().text)
                              .replace(u("Населенный_Пункт=г. Казань\n"),
                                  u("Населенный_Пункт=г. Казань\nСерия=АБ12\r\n"));
    EXPECT_EQ(readBytes(path()),
        GetParam().fitsCodePage ? platform::encodeWindows1251(saved) : utf16(saved));
    EXPECT_EQ(read("Журнал", "Сервер"), u("desk-1"));
}

const char* const kLinuxText = "; настройки школы\n[Организация]\nНаселенный_Пункт=г. Казань\n"
                               "[Журнал]\nСервер=desk-1\n";
const char* const kKazakhText = "[Организация]\nНазвание=Школа Әлем\nНаселенный_Пункт=г. "
                                "Казань\n[Журнал]\nСервер=desk-1\n";

INSTANTIATE_TEST_SUITE_P(Encodings, UnmarkedFile,
    ::testing::Values(UnmarkedCase {"Utf8", u(kLinuxText).toUtf8(), kLinuxText, true},
        UnmarkedCase {"Utf8OutsideTheCodePage", u(kKazakhText).toUtf8(), kKazakhText, false},
        UnmarkedCase {"Utf16LE", utf16Unmarked(u(kLinuxText), false), kLinuxText, true},
        UnmarkedCase {"Utf16BE", utf16Unmarked(u(kLinuxText), true), kLinuxText, true},
        UnmarkedCase {
            "Utf16LEOutsideTheCodePage", utf16Unmarked(u(kKazakhText), false), kKazakhText, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A file whose text begins with a byte-order mark of its own, as an editor leaves one that
// saved a marked file again: the inner mark is a character of the first line, the rest of the
// file keeps its order, and a save writes back what the file held.
struct SecondMarkCase {
    const char* name;
    QByteArray mark;
    bool bigEndian;
    char16_t innerMark;
};

class SecondMark : public ProfileFile, public ::testing::WithParamInterface<SecondMarkCase> { };

TEST_P(SecondMark, LeavesTheRestOfTheFileInItsOrder)
{
    const SecondMarkCase& file = GetParam();
    const QString text = QChar(file.innerMark) + u("; часы\r\n[Часы]\r\n_1=40\r\n");
    writeBytes(path(), file.mark + utf16Unmarked(text, file.bigEndian));
    EXPECT_EQ(read("Часы", "_1"), u("40"));

    ASSERT_TRUE(write("Часы", "_2", u("12")));
    EXPECT_EQ(readBytes(path()), file.mark + utf16Unmarked(text + u("_2=12\r\n"), file.bigEndian));
    EXPECT_EQ(read("Часы", "_1"), u("40"));
    EXPECT_EQ(read("Часы", "_2"), u("12"));
}

INSTANTIATE_TEST_SUITE_P(Marks, SecondMark,
    ::testing::Values(SecondMarkCase {"Utf16LEThenSwappedMark", "\xFF\xFE", false, 0xFFFE},
        SecondMarkCase {"Utf16BEThenSwappedMark", "\xFE\xFF", true, 0xFFFE},
        SecondMarkCase {"Utf16LEMarkTwice", "\xFF\xFE", false, 0xFEFF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFile, BinaryDataIsNoTextAndIsKeptBySaving)
{
    QByteArray garbage("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    for (int i = 0; i < 200; ++i)
        garbage.append(char((i * 37 + 11) % 256));
    writeBytes(path(), garbage);
    EXPECT_FALSE(platform::loadProfile(path()).isText());
    EXPECT_EQ(read("Часы", "_1"), u("DEF"));

    ASSERT_TRUE(write("Часы", "_1", u("40")));
    const QByteArray saved = readBytes(path());
    EXPECT_TRUE(saved.startsWith(garbage));
    EXPECT_EQ(read("Часы", "_1"), u("40"));
}

TEST_F(ProfileFile, StrayControlCharacterInAValueLeavesTheFileText)
{
    // What an earlier version let a paste put into a field and the settings file.
    writeBytes(path(),
        platform::encodeWindows1251(u("[Организация]\r\nНазвание=Автошкола\x01 \"Ворсела\"\r\n"
                                      "Населенный_Пункт=г. Тверь\r\n[Часы]\r\n_1=40\r\n_2=12\r\n"
                                      "_3=14,50\r\n_4=8\r\n")));
    EXPECT_TRUE(platform::loadProfile(path()).isText());
    EXPECT_EQ(read("Часы", "_4"), u("8"));
}

// A line break in a written text would let it make a key or a section of its own: the whole
// save is refused and the file keeps what it held.
TEST_F(ProfileFile, TextWithALineBreakIsRefused)
{
    writeBytes(path(), fixture("default-1251.zrf"));
    const QByteArray before = readBytes(path());
    for (const char* text : {"г. Казань\r\n[Страница]\r\nЛевое_поле=100",
             "г. Казань\nЛевое_поле=100", "г. Казань\r[Страница]"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(platform::writeProfileStrings(path(),
            {{u("Часы"), u("_1"), u("1")}, {u("Организация"), u("Населенный_Пункт"), u(text)}}));
        EXPECT_EQ(readBytes(path()), before);
    }
    EXPECT_FALSE(write("Организация\r\n[Страница]", "Левое_поле", u("100")));
    EXPECT_FALSE(write("Страница", "Верхнее_поле\n_1", u("100")));
    EXPECT_EQ(readBytes(path()), before);
}

} // namespace
