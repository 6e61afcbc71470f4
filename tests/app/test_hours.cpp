#include "MainWindowFixture.h"
#include "support/CLibraryLocale.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class Hours : public MainWindowTest { };

TEST_F(Hours, StartCachesTheTenHoursAndShowsTheirSum)
{
    EXPECT_EQ(main().Edit_13->Text(), u("42,00"));
    EXPECT_EQ(main().Edit_23->Text(), u("420"));
    for (double hours : main().hrs)
        EXPECT_EQ(hours, 42.0);
    EXPECT_EQ(main().auto_sum(u("none")), u("420"));
}

struct TotalCase {
    const char* name;
    const char* field;
    const char* typed;
    const char* total;
};

class TotalAfterTyping : public MainWindowTest, public ::testing::WithParamInterface<TotalCase> { };

TEST_P(TotalAfterTyping, IsTheSumInGeneralFormat)
{
    auto* field = main().findChild<TNkEdit*>(u(GetParam().field));
    ASSERT_TRUE(field);
    retype(field, GetParam().typed);
    EXPECT_EQ(main().Edit_23->Text(), u(GetParam().total));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TotalAfterTyping,
    ::testing::Values(TotalCase {"FortyInFirstField", "Edit_13", "40", "418"},
        TotalCase {"HalfHourKeepsNoTrailingZeros", "Edit_18", "42,5", "420,5"},
        TotalCase {"PointTypedAsComma", "Edit_22", "42.25", "420,25"},
        TotalCase {"ZeroHours", "Edit_16", "0", "378"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Hours, EmptiedFieldBecomesZeroAtOnce)
{
    main().Edit_17->setFocus(Qt::TabFocusReason);
    QTest::keyClick(main().Edit_17, Qt::Key_End);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(main().Edit_17, Qt::Key_Backspace);
    EXPECT_EQ(main().Edit_17->Text(), u("0"));
    EXPECT_EQ(main().Edit_23->Text(), u("378"));
}

TEST_F(Hours, RefusedLetterRecomputesOnlyInTheFirstField)
{
    main().Edit_23->SetText(u("7"));
    main().Edit_14->setFocus(Qt::TabFocusReason);
    QTest::keyClick(main().Edit_14, Qt::Key_Q);
    EXPECT_EQ(main().Edit_14->Text(), u("42,00"));
    EXPECT_EQ(main().Edit_23->Text(), u("7"));

    main().Edit_13->setFocus(Qt::TabFocusReason);
    QTest::keyClick(main().Edit_13, Qt::Key_Q);
    EXPECT_EQ(main().Edit_13->Text(), u("42,00"));
    EXPECT_EQ(main().Edit_23->Text(), u("420"));
}

TEST_F(Hours, FirstFieldKeyPressReadsTheTextFromBeforeTheKeystroke)
{
    retype(main().Edit_13, "4");
    // The key press of "5" sums with "4" still in the field; the change then sums with "45".
    main().Edit_23->SetText(u("-"));
    QStringList totals;
    main().Edit_23->OnChange = [&] { totals.append(main().Edit_23->Text()); };
    QTest::keyClick(main().Edit_13, Qt::Key_5);
    EXPECT_EQ(totals, (QStringList {u("382"), u("423")}));
}

TEST_F(Hours, PastedTextThatIsNoNumberKeepsTheOldValue)
{
    QGuiApplication::clipboard()->setText(u("abc"));
    main().Edit_15->setFocus(Qt::TabFocusReason);
    main().Edit_15->selectAll();
    main().Edit_15->paste();
    EXPECT_EQ(main().Edit_15->Text(), u("abc"));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, u("'abc' is not a valid floating point value."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(main().Edit_23->Text(), u("420"));

    // The window goes on, and the next total still counts the old 42 of this field.
    retype(main().Edit_14, "2");
    EXPECT_EQ(main().Edit_23->Text(), u("380"));
}

TEST_F(Hours, TotalTypedByTheOperatorStaysUntilAnHourChanges)
{
    retype(main().Edit_23, "500");
    EXPECT_EQ(main().Edit_23->Text(), u("500"));
    retype(main().Edit_21, "41");
    EXPECT_EQ(main().Edit_23->Text(), u("419"));
}

// Qt gives the C library the user's locale at start, so under ru_RU.UTF-8 the C library
// writes decimal commas; the hour fields follow the program's number format alone. Before,
// the fields read "42,00,00" and every start and keystroke in Edit_13 showed an error box.
struct StartRow {
    const char* name;
    const char* cLibraryLocale;
    char separator;
    const char* hours;
    const char* typed;
    const char* total;
};

class StartUnderTheCLibrarysLocale : public ::testing::TestWithParam<StartRow> { };

TEST_P(StartUnderTheCLibrarysLocale, HourFieldsReadFortyTwoInTheProgramsFormat)
{
    const StartRow& row = GetParam();
    const ScopedCLibraryLocale cLibrary(row.cLibraryLocale);
    ASSERT_TRUE(cLibrary.applied()) << row.cLibraryLocale << " is missing: run scripts/setup";
    const platform::ScopedNumberFormat format {QLatin1Char(row.separator)};
    QTemporaryDir folder;
    const QString previousDirectory = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    MessageRecorder recorder;
    {
        const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
        TfmMain& main = *windows->fmMain;
        for (TNkEdit* field : {main.Edit_13, main.Edit_14, main.Edit_15, main.Edit_16, main.Edit_17,
                 main.Edit_18, main.Edit_19, main.Edit_20, main.Edit_21, main.Edit_22})
            EXPECT_EQ(field->Text(), u(row.hours)) << field->objectName().toStdString();
        EXPECT_EQ(main.Edit_23->Text(), u("420"));

        QApplication::setActiveWindow(&main);
        main.Edit_13->setFocus(Qt::TabFocusReason);
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused, Qt::Key_Home);
        QTest::keyClick(focused, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(focused, "42.5");
        EXPECT_EQ(main.Edit_13->Text(), u(row.typed));
        EXPECT_EQ(main.Edit_23->Text(), u(row.total));

        main.N1->trigger();
        main.Edit_13->SetText(u("0"));
        EXPECT_EQ(main.Edit_23->Text(), u("378"));
    }
    // The saved hours come back at the next start.
    {
        const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
        EXPECT_EQ(windows->fmMain->Edit_13->Text(), u(row.typed));
        EXPECT_EQ(windows->fmMain->Edit_14->Text(), u(row.hours));
        EXPECT_EQ(windows->fmMain->Edit_23->Text(), u(row.total));
    }
    EXPECT_EQ(recorder.texts(), QStringList());
    QDir::setCurrent(previousDirectory);
}

INSTANTIATE_TEST_SUITE_P(Locales, StartUnderTheCLibrarysLocale,
    ::testing::Values(StartRow {"RussianComma", "ru_RU.UTF-8", ',', "42,00", "42,5", "420,5"},
        StartRow {"RussianPoint", "ru_RU.UTF-8", '.', "42.00", "42.5", "420.5"},
        StartRow {"CComma", "C.UTF-8", ',', "42,00", "42,5", "420,5"},
        StartRow {"CPoint", "C.UTF-8", '.', "42.00", "42.5", "420.5"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
