#include "MainWindowFixture.h"

#include "app/logic/Placeholders.h"
#include "app/logic/RegisterSettings.h"
#include "platform/core/CodePage1251.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "support/PreviewSession.h"

#include <QAction>
#include <QClipboard>
#include <QFile>

namespace {

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(VORSELA_TEST_DATA "/fixtures/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

class SettingsFile : public MainWindowTest {
protected:
    QString path() const { return folder.filePath(u("default.zrf")); }
    void writeSettings(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeSettings1251(const char* text)
    {
        writeSettings(platform::encodeWindows1251(u(text)));
    }
    QByteArray settingsBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString settingsText() const { return platform::decodeWindows1251(settingsBytes()); }
    TrpReportPage& page()
    {
        return *dynamic_cast<TrpReportPage*>(main().rpReport1->FindObject(u("Page1")));
    }
    QList<double> margins()
    {
        return {
            page().TopMargin(), page().BottomMargin(), page().LeftMargin(), page().RightMargin()};
    }
    void save() { main().N1->trigger(); }
};

struct Encoded {
    const char* name;
    const char* file;
};

class StoredSettings : public SettingsFile, public ::testing::WithParamInterface<Encoded> { };

TEST_P(StoredSettings, LoadIntoTheWindowAndSaveBackByteForByte)
{
    const QByteArray original = fixture(GetParam().file);
    writeSettings(original);
    startProgram();

    EXPECT_EQ(main().Edit_01->Text(), u("АНО ДПО \"Автошкола Ворсела\""));
    EXPECT_EQ(main().edit_02->Text(), u("филиал в г. Торжке"));
    EXPECT_EQ(main().edit_03->Text(), u("г. Тверь"));
    EXPECT_EQ(main().edit_04->Text(), u("АБ12-345")); // longer than can be typed, loaded whole
    EXPECT_EQ(main().Edit_27->Text(), u("Петров П.П."));
    EXPECT_EQ(main().Edit_01->FontColor(), placeholders::kGrey);
    EXPECT_EQ(main().Edit_05->Text(), placeholders::kGraduate);
    EXPECT_EQ(main().Edit_15->Text(), u("14,5"));
    EXPECT_EQ(main().Edit_22->Text(), u("4"));
    // The total is the sum of the hours the fields show.
    EXPECT_EQ(main().Edit_23->Text(), u("174,5"));
    EXPECT_EQ(main().hrs[2], 14.5);
    EXPECT_EQ(main().hrs[9], 4.0);
    EXPECT_EQ(margins(), (QList<double> {12.5, 20, 14, 16.25}));
    EXPECT_TRUE(recorder.messages.isEmpty());

    save();
    EXPECT_EQ(settingsBytes(), original);
}

TEST_F(SettingsFile, TheLoadedSchoolNameOpensFocusedAndSelected)
{
    writeSettings1251("[Организация]\r\nНазвание=Автошкола \"Ворсела\"\r\n");
    startProgram();
    EXPECT_EQ(QApplication::focusWidget(), main().Edit_01);
    EXPECT_EQ(main().Edit_01->Text(), u("Автошкола \"Ворсела\""));
    EXPECT_EQ(main().Edit_01->selectedText(), u("Автошкола \"Ворсела\""));
    // Typing replaces it.
    type(QApplication::focusWidget(), u("Школа"));
    EXPECT_EQ(main().Edit_01->Text(), u("Школа"));
}

INSTANTIATE_TEST_SUITE_P(Encodings, StoredSettings,
    ::testing::Values(
        Encoded {"Windows1251", "complete-1251.zrf"}, Encoded {"Utf16LE", "complete-utf16.zrf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, NoFileKeepsTheDesignValuesAndTotalsThem)
{
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(main().hrs[i], 42.0);
    EXPECT_EQ(main().Edit_13->Text(), u("42,00"));
    EXPECT_EQ(main().Edit_23->Text(), u("420"));
    EXPECT_EQ(main().Edit_01->Text(), placeholders::kSchoolName);
    EXPECT_EQ(margins(), (QList<double> {15, 15, 15, 15}));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(SettingsFile, SaveAfterResetWithDefaultsWritesOnlyTheHours)
{
    main().N2->trigger();
    save();
    EXPECT_EQ(settingsText(),
        u("[Часы]\r\n_1=42,00\r\n_2=42,00\r\n_3=42,00\r\n_4=42,00\r\n"
          "_5=42,00\r\n_6=42,00\r\n_7=42,00\r\n_8=42,00\r\n_9=42,00\r\n"
          "_10=42,00\r\n_11=420\r\n"));
}

TEST_F(SettingsFile, NewFileHasSectionsAndKeysInOrder)
{
    main().Edit_05->SetText(u("Петров Пётр Петрович")); // the graduate is never stored
    main().Edit_27->SetText(u("Сидоров С.С."));
    main().edit_03->SetText(u("г. Тверь"));
    page().SetLeftMargin(12.5);
    page().SetTopMargin(20);
    save();
    EXPECT_EQ(settingsText(),
        u("[Организация]\r\nНаселенный_Пункт=г. Тверь\r\nДиректор=Сидоров С.С.\r\n"
          "[Часы]\r\n_1=42,00\r\n_2=42,00\r\n_3=42,00\r\n_4=42,00\r\n_5=42,00\r\n"
          "_6=42,00\r\n_7=42,00\r\n_8=42,00\r\n_9=42,00\r\n_10=42,00\r\n_11=420\r\n"
          "[Страница]\r\nВерхнее_поле=20\r\nЛевое_поле=12,5\r\n"));
}

TEST_F(SettingsFile, SchoolNameOutsideTheCodePageComesBackAtTheNextStart)
{
    writeSettings1251("; файл школы\r\n[Часы]\r\n_1=40\r\n");
    startProgram();
    main().Edit_01->SetText(u("Школа Әлем"));
    save();
    startProgram();
    EXPECT_EQ(main().Edit_01->Text(), u("Школа Әлем"));
    EXPECT_TRUE(settingsBytes().startsWith("\xFF\xFE"));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(SettingsFile, ValuesSetBackToTheirDefaultsKeepWhatTheFileHolds)
{
    writeSettings1251("[Организация]\r\nСерия=АБ12\r\n[Страница]\r\nЛевое_поле=12,5\r\n");
    startProgram();
    main().edit_04->SetText(placeholders::kSeries);
    page().SetLeftMargin(15);
    save();
    startProgram();
    EXPECT_EQ(main().edit_04->Text(), u("АБ12"));
    EXPECT_EQ(page().LeftMargin(), 12.5);
}

// A stored hour that is no number no longer stops the load: every key is read, the cache
// and the total follow what the fields show, and each such field is reported once.
TEST_F(SettingsFile, NonNumericHourIsReportedOnceAndTheRestLoads)
{
    writeSettings1251("[Часы]\r\n_1=40\r\n_2=abc\r\n_3=10\r\n_11=99\r\n"
                      "[Страница]\r\nЛевое_поле=12,5\r\n");
    startProgram();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, u("'abc' is not a valid floating point value."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(main().Edit_13->Text(), u("40"));
    EXPECT_EQ(main().Edit_14->Text(), u("abc"));
    EXPECT_EQ(main().Edit_15->Text(), u("10"));
    EXPECT_EQ(main().Edit_16->Text(), u("42,00"));
    // 40 + 10 + seven fields of 42; the stored total gives way to the sum.
    EXPECT_EQ(main().Edit_23->Text(), u("344"));
    EXPECT_EQ(main().hrs, (std::array<double, 10> {40, 0, 10, 42, 42, 42, 42, 42, 42, 42}));
    EXPECT_EQ(page().LeftMargin(), 12.5);
    EXPECT_TRUE(main().isVisible());
}

// The file of the report: "_1" without "=", "_3" no number, a stored total of 500. Before,
// the total read "0" and typing 41 into Edit_14 gave "41" whatever the other fields showed.
TEST_F(SettingsFile, BrokenHoursLeaveTheTotalInAgreementWithTheFields)
{
    writeSettings1251("[Часы]\r\n_1\r\n_2=0\r\n_3=abc\r\n_4=\r\n_11=500\r\n");
    startProgram();
    EXPECT_EQ(recorder.texts(), QStringList {u("'abc' is not a valid floating point value.")});
    // A line without "=" is no key: the field keeps its text. An empty hour becomes 0.
    EXPECT_EQ(main().Edit_13->Text(), u("42,00"));
    EXPECT_EQ(main().Edit_14->Text(), u("0"));
    EXPECT_EQ(main().Edit_15->Text(), u("abc"));
    EXPECT_EQ(main().Edit_16->Text(), u("0"));
    EXPECT_EQ(main().Edit_17->Text(), u("42,00"));
    EXPECT_EQ(main().hrs, (std::array<double, 10> {42, 0, 0, 0, 42, 42, 42, 42, 42, 42}));
    EXPECT_EQ(main().Edit_23->Text(), u("294"));

    retype(main().Edit_14, "41");
    EXPECT_EQ(main().Edit_23->Text(), u("335"));
    EXPECT_EQ(recorder.messages.size(), 1) << "the field is reported once";
    // Another field that is no number is reported in the same one box, each on a line.
    writeSettings1251("[Часы]\r\n_3=abc\r\n_9=1.5\r\n");
    startProgram();
    ASSERT_EQ(recorder.messages.size(), 2);
    EXPECT_EQ(recorder.messages[1].text,
        u("'abc' is not a valid floating point value.\n'1.5' is not a valid floating point "
          "value."));
    EXPECT_EQ(main().Edit_23->Text(), u("336"));
}

TEST_F(SettingsFile, CommaFileReadUnderAPointSeparator)
{
    writeSettings1251("[Часы]\r\n_1=42.00\r\n_2=40,5\r\n[Страница]\r\nЛевое_поле=12,5\r\n"
                      "Правое_поле=11.5\r\n");
    const platform::ScopedNumberFormat point(QLatin1Char('.'));
    startProgram();
    // The margins convert silently to 15 where they cannot be read; the hour is reported.
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, u("'40,5' is not a valid floating point value."));
    EXPECT_EQ(page().LeftMargin(), 15);
    EXPECT_EQ(page().RightMargin(), 11.5);
}

TEST_F(SettingsFile, MarginsThatAreNoNumberReadAsFifteen)
{
    writeSettings1251("[Страница]\r\nВерхнее_поле=\r\nНижнее_поле=x\r\nЛевое_поле=1e1\r\n"
                      "Правое_поле= 7 \r\n");
    startProgram();
    EXPECT_EQ(margins(), (QList<double> {15, 15, 10, 7}));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

// Margins that leave no certificate on the sheet are not taken: all four stay at 15 mm, the
// operator is told once why, and the certificate's preview opens and paints as usual.
TEST_F(SettingsFile, MarginsThatLeaveNoCertificateOnTheSheetAreRefusedOnce)
{
    const char* const files[] = {
        "[Страница]\r\nЛевое_поле=10000\r\n",
        "[Страница]\r\nЛевое_поле=6000\r\n",
        "[Страница]\r\nВерхнее_поле=1e5\r\n",
        "[Страница]\r\nЛевое_поле=1e308\r\n",
        "[Страница]\r\nПравое_поле=-1e5\r\n",
        "[Страница]\r\nЛевое_поле=150\r\n",
        "[Страница]\r\nЛевое_поле=100\r\nПравое_поле=60\r\nВерхнее_поле=12\r\n",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        recorder.messages.clear();
        writeSettings1251(file);
        startProgram();
        EXPECT_EQ(margins(), (QList<double> {15, 15, 15, 15}));
        ASSERT_EQ(recorder.messages.size(), 1);
        EXPECT_TRUE(recorder.messages[0].text.startsWith(
            u("Поля страницы в файле настроек не приняты, свидетельство печатается с полями "
              "по 15 мм. The ")))
            << recorder.messages[0].text.toStdString();
        EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
        whilePreviewOpen(
            *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
            [](TrpPreviewForm& form) {
                EXPECT_EQ(form.Preview->PageCount(), 1);
                form.grab();
            });
        EXPECT_EQ(recorder.messages.size(), 1);
    }
}

// What an IT person writes with a Linux editor to name the shared register: UTF-8 without a
// byte-order mark. It is read as such, and the save rewrites it whole in the code page.
TEST_F(SettingsFile, FileFromALinuxEditorIsReadAndSavedInOneEncoding)
{
    const QString text = u("; настройки школы\n[Организация]\nНаселенный_Пункт=г. Казань\n"
                           "Серия=АБ12\n\n[Журнал]\nСервер=desk-1\n");
    writeSettings(text.toUtf8());
    startProgram();
    EXPECT_EQ(main().edit_03->Text(), u("г. Казань"));
    EXPECT_EQ(main().edit_04->Text(), u("АБ12"));
    const RegisterLocation location = registerLocation();
    EXPECT_EQ(location.kind, RegisterLocation::Kind::PostgreSQL);
    EXPECT_EQ(location.host, u("desk-1"));
    EXPECT_TRUE(recorder.messages.isEmpty());

    save();
    EXPECT_EQ(settingsBytes(),
        platform::encodeWindows1251(text
            + u("[Часы]\r\n_1=42,00\r\n_2=42,00\r\n_3=42,00\r\n_4=42,00\r\n_5=42,00\r\n"
                "_6=42,00\r\n_7=42,00\r\n_8=42,00\r\n_9=42,00\r\n_10=42,00\r\n_11=420\r\n")));
    startProgram();
    EXPECT_EQ(main().edit_03->Text(), u("г. Казань"));
    EXPECT_EQ(registerLocation().host, u("desk-1"));
}

TEST_F(SettingsFile, BinaryDataInTheFileIsReportedOnceAndKept)
{
    QByteArray garbage("\x7F"
                       "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
        16);
    for (int i = 0; i < 300; ++i)
        garbage.append(char((i * 53 + 7) % 256));
    writeSettings(garbage);
    startProgram();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text,
        u("Не удалось прочитать файл настроек ") + path()
            + u(": в нём не текст. Настройки взяты по умолчанию."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(main().edit_03->Text(), placeholders::kLocality);
    EXPECT_EQ(margins(), (QList<double> {15, 15, 15, 15}));

    main().edit_03->SetText(u("г. Тверь"));
    save();
    EXPECT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(settingsBytes().startsWith(garbage));
}

// A paste into a field keeps its first line, so the lines after it cannot become a section
// and a margin at the next start.
TEST_F(SettingsFile, PastedLinesDoNotBecomeSettings)
{
    QApplication::clipboard()->setText(u("г. Казань\r\n[Страница]\r\nЛевое_поле=100"));
    QTest::mouseClick(main().edit_03, Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(main().edit_03->Text(), u("г. Казань"));
    save();
    startProgram();
    EXPECT_EQ(main().edit_03->Text(), u("г. Казань"));
    EXPECT_EQ(page().LeftMargin(), 15);
    EXPECT_FALSE(settingsText().contains(u("Левое_поле")));
}

TEST_F(SettingsFile, RefusedWriteIsReported)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(u("default.zrf")));
    save();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, u("Unable to write to ") + path() + u("."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
}

} // namespace
