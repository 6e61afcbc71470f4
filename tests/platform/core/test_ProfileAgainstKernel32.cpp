// Our profile code against the system's own profile services: kernel32's
// GetPrivateProfileStringW and WritePrivateProfileStringW and ours apply the same steps to two
// copies of one file, and must read the same values and leave the same file.
//
// Where ours differs on purpose, that is left out of the comparison:
// - a value with a line break, which ours refuses and kernel32 writes (making further lines);
// - a character the code page cannot hold, for which ours turns a code-page file into UTF-16
//   and kernel32 writes a question mark or a look-alike;
// - files without a byte-order mark in UTF-8 or UTF-16, which ours reads in their encoding
//   and kernel32 in the code page;
// - a save that fails, which ours makes all or nothing;
// - names that differ in the case of Cyrillic letters, which ours takes for the same name and
//   the kernel32 of Wine (Latin letters only) for two;
// - the layout of a file that kernel32 rewrites: where Wine writes a file, it writes it whole
//   from what it parsed (blank lines dropped, blanks around names and values and the
//   indentation removed, every line ended in CR LF), while ours keeps every line it does not
//   change. Where the starting file and the written texts are already in that layout, the
//   bytes are compared as they are; elsewhere both files are compared after the same
//   rewrite by kernel32.

#include "platform/core/CodePage1251.h"
#include "platform/core/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using platform::ProfileEntry;
using platform::TextEncoding;

QString u(const char* text) { return QString::fromUtf8(text); }

// One step: a read of a key with its default (`read`), or writes; the writes of one step go
// to ours in one save (writeProfileStrings) and to kernel32 one by one.
struct Step {
    ProfileEntry read;
    QList<ProfileEntry> writes;
};

Step R(const QString& section, const QString& key, const QString& defaultValue = u("DEF"))
{
    return {{section, key, defaultValue}, {}};
}
Step R(const char* section, const char* key, const char* defaultValue = "DEF")
{
    return R(u(section), u(key), u(defaultValue));
}
Step W(const QString& section, const QString& key, const QString& value)
{
    return {{}, {{section, key, value}}};
}
Step W(const char* section, const char* key, const char* value)
{
    return W(u(section), u(key), u(value));
}
Step Save(std::initializer_list<std::array<const char*, 3>> writes)
{
    Step step;
    for (const auto& [section, key, value] : writes)
        step.writes.append({u(section), u(key), u(value)});
    return step;
}

enum class Start { Missing, CodePage, Utf16LE, Utf16BE, Utf8, MissingFolder };

struct StartFile {
    Start kind = Start::Missing;
    QString text;

    std::optional<QByteArray> bytes() const
    {
        switch (kind) {
        case Start::Missing:
        case Start::MissingFolder:
            return std::nullopt;
        case Start::CodePage:
            return platform::encodeWindows1251(text);
        case Start::Utf16LE:
            return platform::encodeText(text, TextEncoding::Utf16LE);
        case Start::Utf16BE:
            return platform::encodeText(text, TextEncoding::Utf16BE);
        case Start::Utf8:
            return platform::encodeText(text, TextEncoding::Utf8);
        }
        return std::nullopt;
    }
    // Text in the code page is read by kernel32 in the system's code page.
    bool inCodePage() const { return kind == Start::CodePage || kind == Start::Missing; }
};

StartFile none() { return {}; }
StartFile codePage(const char* text) { return {Start::CodePage, u(text)}; }
StartFile utf16(const char* text) { return {Start::Utf16LE, u(text)}; }

bool isAscii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// Kernel32 writes a name or a value without its leading blanks, and with its trailing ones
// until it parses the file again.
bool endsInBlank(const QString& text)
{
    return text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('\t'));
}

std::optional<QByteArray> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void writeBytes(const QString& path, const std::optional<QByteArray>& bytes)
{
    if (!bytes)
        return;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(*bytes);
}

// A text as the system's functions take it, ended by a zero (never a null pointer, which
// would make a write a deletion).
LPCWSTR wide(const QString& text) { return reinterpret_cast<LPCWSTR>(text.utf16()); }

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString kernelRead(const QString& path, const ProfileEntry& entry)
{
    // The buffer our reads are cut to: the longest value and its terminating zero.
    std::vector<wchar_t> buffer(platform::kProfileValueLimit + 1);
    const DWORD length = GetPrivateProfileStringW(wide(entry.section), wide(entry.key),
        wide(entry.value), buffer.data(), static_cast<DWORD>(buffer.size()), wide(native(path)));
    return QString::fromWCharArray(buffer.data(), static_cast<qsizetype>(length));
}

bool kernelWrite(const QString& path, const ProfileEntry& entry)
{
    return WritePrivateProfileStringW(
               wide(entry.section), wide(entry.key), wide(entry.value), wide(native(path)))
        != 0;
}

QString readLine(const ProfileEntry& entry, const QString& value)
{
    return QStringLiteral("read [%1] \"%2\" default \"%3\": \"%4\"")
        .arg(entry.section, entry.key, entry.value, value);
}

QString writeLine(const QList<ProfileEntry>& entries, bool written)
{
    QString line = QStringLiteral("write");
    for (const ProfileEntry& entry : entries)
        line += QStringLiteral(" [%1] \"%2\"=\"%3\"").arg(entry.section, entry.key, entry.value);
    return line + (written ? u(": done") : u(": failed"));
}

// What a file holds, readably: its encoding, then its text with the line ends shown.
std::string shownFile(const std::optional<QByteArray>& bytes)
{
    if (!bytes)
        return "(no file)";
    const platform::DecodedText decoded = platform::decodeText(*bytes);
    const char* const encoding = !decoded.byteOrderMark ? "code page"
        : decoded.encoding == TextEncoding::Utf8        ? "UTF-8"
        : decoded.encoding == TextEncoding::Utf16LE     ? "UTF-16LE"
                                                        : "UTF-16BE";
    QString text = QLatin1String(encoding) + u(": ")
        + (decoded.byteOrderMark ? decoded.text : platform::decodeWindows1251(*bytes));
    return text.replace(QLatin1Char('\r'), u("\\r"))
        .replace(QLatin1Char('\n'), u("\\n\n"))
        .toStdString();
}

// Every read and every write's outcome, in order, and the file afterwards.
struct Outcome {
    QStringList transcript;
    std::optional<QByteArray> file;
};

class Copies {
public:
    // A new file name for every copy: kernel32 keeps the profiles it parsed, by name.
    QString fresh(const StartFile& start)
    {
        const QString name = QStringLiteral("%1.ini").arg(++fCount);
        if (start.kind != Start::MissingFolder)
            return fDir.filePath(name);
        return fDir.filePath(QStringLiteral("missing/") + name);
    }

    Outcome runKernel32(const StartFile& start, const QList<Step>& steps)
    {
        const QString path = fresh(start);
        writeBytes(path, start.bytes());
        Outcome outcome;
        for (const Step& step : steps) {
            if (step.writes.isEmpty()) {
                outcome.transcript.push_back(readLine(step.read, kernelRead(path, step.read)));
                continue;
            }
            bool written = true;
            for (const ProfileEntry& entry : step.writes)
                written = kernelWrite(path, entry) && written;
            outcome.transcript.push_back(writeLine(step.writes, written));
        }
        outcome.file = readBytes(path);
        return outcome;
    }

    Outcome runOurs(const StartFile& start, const QList<Step>& steps)
    {
        const QString path = fresh(start);
        writeBytes(path, start.bytes());
        Outcome outcome;
        for (const Step& step : steps) {
            if (step.writes.isEmpty()) {
                const QString value = platform::readProfileString(
                    path, step.read.section, step.read.key, step.read.value);
                outcome.transcript.push_back(readLine(step.read, value));
                continue;
            }
            const bool written = platform::writeProfileStrings(path, step.writes);
            outcome.transcript.push_back(writeLine(step.writes, written));
        }
        outcome.file = readBytes(path);
        return outcome;
    }

    // The file as kernel32 writes it again after a change: a key written to a section of its
    // own, then that section removed.
    std::optional<QByteArray> rewritten(const std::optional<QByteArray>& bytes)
    {
        if (!bytes)
            return std::nullopt;
        const QString path = fresh(none());
        writeBytes(path, bytes);
        const QString file = native(path);
        const wchar_t* const section = L"kernel32 rewrite";
        EXPECT_TRUE(WritePrivateProfileStringW(section, L"key", L"1", wide(file)));
        EXPECT_TRUE(WritePrivateProfileStringW(section, nullptr, nullptr, wide(file)));
        return readBytes(path);
    }

    void compare(const StartFile& start, const QList<Step>& steps)
    {
        const Outcome kernel = runKernel32(start, steps);
        const Outcome ours = runOurs(start, steps);
        // The first step that differs; the later ones mostly follow from it.
        for (qsizetype i = 0; i < kernel.transcript.size(); ++i) {
            if (ours.transcript.at(i) != kernel.transcript.at(i)) {
                ADD_FAILURE() << "step " << i
                              << "\nkernel32: " << kernel.transcript.at(i).toStdString()
                              << "\nours:     " << ours.transcript.at(i).toStdString();
                break;
            }
        }

        const auto written = [&steps](const auto& keep) {
            return std::all_of(steps.cbegin(), steps.cend(), [&keep](const Step& step) {
                return std::all_of(step.writes.cbegin(), step.writes.cend(), keep);
            });
        };
        const bool layoutKept
            = rewritten(start.bytes()) == start.bytes() && written([](const ProfileEntry& entry) {
                  return !endsInBlank(entry.section) && !endsInBlank(entry.key)
                      && !endsInBlank(entry.value);
              });
        if (layoutKept) {
            EXPECT_TRUE(ours.file == kernel.file)
                << "kernel32 " << shownFile(kernel.file) << "\nours " << shownFile(ours.file);
        }
        const std::optional<QByteArray> kernelAgain = rewritten(kernel.file);
        const std::optional<QByteArray> oursAgain = rewritten(ours.file);
        EXPECT_TRUE(oursAgain == kernelAgain)
            << "both rewritten by kernel32:\nkernel32 " << shownFile(kernelAgain) << "\nours "
            << shownFile(oursAgain);
    }

private:
    QTemporaryDir fDir;
    int fCount = 0;
};

bool systemCodePageIs1251() { return GetACP() == 1251; }

// A code-page file is read by kernel32 in the system's code page, by ours in Windows-1251: text
// beyond ASCII in one is compared where the system's code page is Windows-1251 (under Wine,
// that of a Russian LC_CTYPE).
bool needsCodePage1251(const StartFile& start, const QList<Step>& steps)
{
    if (!start.inCodePage())
        return false;
    bool ascii = isAscii(start.text);
    for (const Step& step : steps) {
        ascii = ascii && isAscii(step.read.section) && isAscii(step.read.key)
            && isAscii(step.read.value);
        for (const ProfileEntry& entry : step.writes)
            ascii = ascii && isAscii(entry.section) && isAscii(entry.key) && isAscii(entry.value);
    }
    return !ascii;
}

struct Case {
    const char* name;
    StartFile start;
    QList<Step> steps;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ProfileAgainstKernel32 : public ::testing::TestWithParam<Case> { };

TEST_P(ProfileAgainstKernel32, ReadsTheSameAndLeavesTheSameFile)
{
    const Case& c = GetParam();
    if (needsCodePage1251(c.start, c.steps) && !systemCodePageIs1251())
        GTEST_SKIP() << "the system's code page is " << GetACP() << ", not Windows-1251";
    Copies copies;
    copies.compare(c.start, c.steps);
}

const char* const kSettings = "[Организация]\r\nНазвание=Автошкола \"Ворсела\"\r\nСерия=АБ12\r\n"
                              "[Часы]\r\n_1=40\r\n_2=12\r\n_3=14,50\r\n";

QList<Step> settingsSteps()
{
    return {R("Часы", "_1"), R("Организация", "Название"), R("Часы", "_9"), R("Нет", "_1"),
        W("Часы", "_2", "12"), W("Часы", "_3", "16,00"), W("Часы", "_4", "8"),
        W("Страница", "Левое_поле", "12,5"), W("Организация", "Директор", "Петров П.П."),
        R("Часы", "_3"), R("Страница", "Левое_поле"), R("Организация", "Директор")};
}

const QString kLong = QString(3000, QLatin1Char('x'));
const QString kLongCyrillic = QString(2100, QChar(0x0416));

INSTANTIATE_TEST_SUITE_P(Files, ProfileAgainstKernel32,
    ::testing::Values(
        Case {"MissingFile", none(),
            {R("Часы", "_1"), W("Организация", "Серия", "АБ12"), W("Часы", "_1", "42,00"),
                W("Часы", "_2", "12"), W("Организация", "Директор", "Петров П.П."),
                R("Организация", "Серия"), R("Часы", "_2")}},
        Case {"EmptyFile", codePage(""), {R("A", "k"), W("A", "k", "1"), R("A", "k")}},
        Case {"CodePageFile", codePage(kSettings), settingsSteps()},
        Case {"Utf16File", utf16(kSettings), settingsSteps()},
        Case {"Utf16BigEndianFile", {Start::Utf16BE, u(kSettings)}, settingsSteps()},
        Case {"Utf8FileWithMark", {Start::Utf8, u(kSettings)}, settingsSteps()},
        Case {"LfLineEnds", codePage("[A]\nk=1\n\n[B]\nj=2\n"),
            {R("A", "k"), W("A", "k", "2"), W("A", "n", "3"), W("B", "j", "4"), W("C", "m", "5")}},
        Case {"LastLineWithoutEnd", codePage("[A]\r\nk=1"),
            {R("A", "k"), W("A", "j", "2"), R("A", "j")}},
        Case {"SectionAtTheEndWithoutNewline", codePage("[A]\r\nk=1\r\n[B]"),
            {R("B", "k"), W("B", "k", "1"), W("C", "k", "2"), R("B", "k")}},
        Case {"BlanksAroundNamesAndValues",
            codePage(" [ A ] \r\n  k  =  v  \r\n\tj\t=\t2\t\r\n\r\n[B]\r\nm=1\r\n"),
            {R("A", "k"), R("A", "j"), W("A", "k", "new"), W("A", "n", "3"), R("A", "k"),
                R("B", "m")}},
        Case {"RequestedNamesWithBlanks", codePage("[A]\r\nk=1\r\n"),
            {R(" A ", " k "), R("A ", "k\t"), W(" A ", " k ", "2"), R("A", "k"),
                W("A", " new ", "  v  "), R("A", "new"), W(" B ", "k", "1"), R("B", "k")}},
        Case {"LeadingBlanksInWrittenTexts", codePage("[A]\r\nk=1\r\n"),
            {W(" A", "\tk", "  2"), W("A", " j", "\t3"), W("  B", "k", " 4"), R("A", "k"),
                R("A", "j"), R("B", "k")}},
        Case {"Quotes",
            codePage("[A]\r\nq1=\"a\"\r\nq2='a'\r\nq3=\"a\r\nq4=\"\"\r\nq5=\"\r\nq6=\"a'\r\n"
                     "q7= \"a b\" \r\nq8=a\"\r\nq9=\"a\"b\"\r\n"),
            {R("A", "q1"), R("A", "q2"), R("A", "q3"), R("A", "q4"), R("A", "q5"), R("A", "q6"),
                R("A", "q7"), R("A", "q8"), R("A", "q9"), W("A", "q1", "\" b \""), R("A", "q1"),
                W("A", "q0", "'c'"), R("A", "q0")}},
        Case {"RepeatedSections", codePage("[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n[A]\r\nm=4\r\n"),
            {R("A", "k"), R("a", "j"), R("A", "m"), W("a", "j", "X"), W("A", "m", "Y"), R("A", "j"),
                R("A", "m")}},
        Case {"RepeatedKeys", codePage("[A]\r\nk=1\r\nK=2\r\n"),
            {R("A", "K"), W("A", "K", "Z"), R("A", "k")}},
        Case {"CaseOfLatinNames", codePage("[Section]\r\nKey=1\r\n"),
            {R("SECTION", "key"), W("section", "KEY", "2"), W("SECTION", "new", "3"),
                R("Section", "NEW"), R("section", "Key")}},
        Case {"LineWithoutEquals", codePage("[A]\r\nnoeq\r\nk=1\r\n  spaced  \r\n"),
            {R("A", "noeq"), R("A", "spaced"), W("A", "NOEQ", "v"), W("A", "spaced", "w"),
                R("A", "noeq"), R("A", "spaced")}},
        Case {"CommentLines", codePage("; settings\r\n[A]\r\n;c=2\r\nk=1\r\n# h=3\r\n"),
            {R("A", ";c"), R("A", "# h"), W("A", ";c", "5"), W("A", "n", "1"), R("A", ";c")}},
        Case {"KeysBeforeTheFirstSection", codePage("top=1\r\n[A]\r\nk=1\r\n"),
            {R("A", "top"), W("A", "top", "2"), R("A", "top")}},
        Case {"HeaderWithoutBracket", codePage("[A\r\nk=1\r\n[B]\r\nj=2\r\n"),
            {R("A", "k"), R("[A", "k"), R("B", "j"), W("A", "k", "2"), R("A", "k")}},
        Case {"BracketsInHeader", codePage("[a]b]\r\nk=1\r\n[c]d\r\nk=2\r\n"),
            {R("a", "k"), R("a]b", "k"), R("c", "k"), W("a]b", "k", "3"), R("a]b", "k")}},
        Case {"EmptyKeyName", codePage("[A]\r\n=5\r\nk=1\r\n"),
            {R("A", ""), W("A", "", "6"), R("A", "")}},
        Case {"LongValues", none(),
            {W(u("A"), u("k"), kLong), R("A", "k"), W(u("Б"), u("ж"), kLongCyrillic), R("Б", "ж")}},
        Case {"CyrillicNamesAndValues",
            codePage("[Часы]\r\n_1=40\r\n[Организация]\r\nСерия=АБ12\r\n"),
            {R("Часы", "_1"), W("Организация", "Серия", "ВГ"), W("Новая", "Ключ", "Значение"),
                R("Организация", "Серия"), R("Новая", "Ключ")}},
        Case {"Defaults", none(), {R("A", "k", "  def  "), R("A", "k", ""), R("A", "k", "\t")}},
        Case {"EmptyAndBlankValues", codePage("[A]\r\nk=1\r\n"),
            {W("A", "k", ""), R("A", "k"), W("A", "k", "   "), R("A", "k"), W("A", "j", "\t"),
                R("A", "j")}},
        Case {"OtherBlanks", codePage("[A]\r\n\vk\v=\fv\x1a\r\nj=\xc2\xa0w\xc2\xa0\r\n"),
            {R("A", "k"), R("A", "j"), W("A", "k", "1"), R("A", "k")}},
        Case {"SeveralWritesInOneSave", codePage(kSettings),
            {Save({{"Организация", "Серия", "ВГ"}, {"Часы", "_1", "1"}, {"Новая", "а", "1"},
                 {"Часы", "_12", "12"}, {"Новая", "б", "2"}, {"Часы", "_12", "twelve"}}),
                R("Новая", "а"), R("Часы", "_12")}},
        Case {"MissingFolder", {Start::MissingFolder, {}}, {W("A", "k", "1"), R("A", "k")}}),
    [](const auto& info) { return std::string(info.param.name); });

// Random steps over a small alphabet of names and values, from fixed seeds.
QList<Step> randomSteps(std::mt19937& random, bool ascii)
{
    QStringList sections {u("A"), u("a"), u(" A "), u("B"), u("Часы"), u("Организация")};
    QStringList keys {u("k"), u("K"), u(" k"), u("_1"), u("_2"), u("Серия"), u("x y")};
    QStringList values {u(""), u("1"), u("14,50"), u("  v  "), u("\"q\""), u("'x'"), u("a=b"),
        u("Петров П.П."), u("\"Ворсела\" АНО")};
    if (ascii) {
        for (QStringList* list : {&sections, &keys, &values})
            list->removeIf([](const QString& text) { return !isAscii(text); });
    }
    const auto pick = [&random](const QStringList& list) {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
    };
    QList<Step> steps;
    for (int i = 0; i < 40; ++i) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        if (kind < 5) {
            steps.append(R(pick(sections), pick(keys)));
            continue;
        }
        Step step;
        const int writes = kind == 9 ? 3 : 1;
        for (int w = 0; w < writes; ++w)
            step.writes.append({pick(sections), pick(keys), pick(values)});
        steps.append(step);
    }
    return steps;
}

TEST(ProfileAgainstKernel32Random, ReadsTheSameAndLeavesTheSameFile)
{
    const QList<StartFile> starts {none(),
        codePage("; settings\r\n[A]\r\nk=1\r\n\r\n[Часы]\r\n_1=40\r\n"),
        codePage("[a]\n  K = \"2\" \n[B]\nk\n"), utf16(kSettings)};
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed);
        const StartFile& start = starts.at(seed % starts.size());
        const bool ascii = start.inCodePage() && !systemCodePageIs1251();
        SCOPED_TRACE("seed " + std::to_string(seed));
        const QList<Step> steps = randomSteps(random, ascii);
        // A Cyrillic code-page file needs the code page (see needsCodePage1251).
        if (ascii && !isAscii(start.text))
            continue;
        Copies copies;
        copies.compare(start, steps);
    }
}

} // namespace
