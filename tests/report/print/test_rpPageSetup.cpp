// The page-settings logic without the dialog: the display unit and where it is read from,
// lengths as the fields show and read them, and the size recomputation on the printer.

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpProperty.h"
#include "report/print/rpPageSetup.h"
#include "report/print/rpPrinters.h"
#include "support/SpoolerEnvironment.h"
#include "support/UserSettingsFolder.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The tests' A4/A5 queue as the current printer, and a per-user settings folder of the
// tests' own, so that neither the machine's printers nor the user's settings reach the tests.
const auto* const spoolerEnvironment
    = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({SpoolerEnvironment::a5Laser()}));
const auto* const settings = ::testing::AddGlobalTestEnvironment(new UserSettingsFolder);

const QString kUnitsKey = QStringLiteral("Form.TrpDesignerForm/Units");

TEST(PageSetupUnits, everyCodeButInchesShowsCentimetres)
{
    const struct {
        int code;
        double millimetresPerUnit;
        const char* label;
    } cases[] = {
        {0, 10, "cm"},
        {1, 25.4, "in"},
        {2, 10, "cm"},
        {3, 10, "cm"},
        {4, 10, "cm"}, // no unit of its own: centimetres rather than zeros in every field
        {255, 10, "cm"},
        {-1, 10, "cm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const TrpDisplayUnit unit = rpDisplayUnit(c.code);
        EXPECT_EQ(unit.MillimetresPerUnit, c.millimetresPerUnit);
        EXPECT_EQ(unit.Label, QString::fromLatin1(c.label));
    }
}

TEST(PageSetupUnits, readFromTheUsersStoreOrAnIniFileTheReportNames)
{
    TrpReport report;
    EXPECT_EQ(rpReadUnitsCode(report), 0) << "nothing stored yet";
    {
        QSettings store(
            QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Report Engine"));
        store.setValue(kUnitsKey, 1);
    }
    EXPECT_EQ(rpReadUnitsCode(report), 1);

    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("engine.ini"));
    // As a stored template would name it.
    report.classInfo().property(u"IniFile")->set(report, ini);
    EXPECT_EQ(rpReadUnitsCode(report), 0) << "the INI file does not exist";
    {
        QSettings file(ini, QSettings::IniFormat);
        file.setValue(kUnitsKey, 3);
    }
    EXPECT_EQ(rpReadUnitsCode(report), 3);

    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Report Engine"))
        .remove(kUnitsKey);
}

TEST(PageSetupLengths, shownAndReadWithTheProgramsSeparator)
{
    const TrpDisplayUnit cm = rpDisplayUnit(0);
    const TrpDisplayUnit in = rpDisplayUnit(1);
    const struct {
        char separator;
        double millimetres;
        const TrpDisplayUnit& unit;
        const char* shown;
    } shown[] = {
        {',', 15, cm, "1,50"},
        {'.', 15, cm, "1.50"},
        {',', 210, cm, "21"},
        {',', 148, cm, "14,80"},
        {',', 0, cm, "0"},
        {'.', 25.4, in, "1"},
        {'.', 210, in, "8.27"},
    };
    for (const auto& c : shown) {
        SCOPED_TRACE(c.shown);
        const platform::ScopedNumberFormat format {QLatin1Char(c.separator)};
        EXPECT_EQ(rpFormatLength(c.millimetres, c.unit), QString::fromLatin1(c.shown));
    }

    // Either separator reads under either format; spaces do not count.
    for (const char separator : {',', '.'}) {
        SCOPED_TRACE(separator);
        const platform::ScopedNumberFormat format {QLatin1Char(separator)};
        for (const char* text : {"1,5", "1.5", " 1 ,5 ", "1,50"})
            EXPECT_DOUBLE_EQ(rpParseLength(QString::fromLatin1(text), cm), 15) << text;
        EXPECT_DOUBLE_EQ(rpParseLength(QStringLiteral("1"), cm), 10);
        EXPECT_DOUBLE_EQ(rpParseLength(QStringLiteral("1"), in), 25.4);
        for (const char* text : {"abc", "", "1,5,0", "1,5cm"}) {
            try {
                rpParseLength(QString::fromLatin1(text), cm);
                ADD_FAILURE() << "read '" << text << "'";
            } catch (const platform::EConvertError& error) {
                EXPECT_EQ(error.message(),
                    QStringLiteral("'%1' is not a valid floating point value")
                        .arg(QString::fromLatin1(text)));
            }
        }
    }
}

// A page the way the dialog opens it, on the current printer (the tests' A4/A5 queue).
class PageSetupLogic : public ::testing::Test {
protected:
    TrpPageSetup setupFor(int paper, double width, double height)
    {
        page.SetPaperSize(paper);
        if (paper == 256) {
            page.SetPaperWidth(width);
            page.SetPaperHeight(height);
        }
        return TrpPageSetup(page, *rpPrinters().Printer(), rpDisplayUnit(0));
    }

    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    TrpReportPage page;
};

TEST_F(PageSetupLogic, aPaperThePrinterDoesNotListOpensCustom)
{
    ASSERT_LT(rpPrinters().Printer()->PaperIndex(8), 0) << "the queue must not list A3";
    const TrpPageSetup setup = setupFor(8, 0, 0);
    EXPECT_EQ(setup.Paper(), 256);
    EXPECT_EQ(setup.Width, QStringLiteral("29,70"));
    EXPECT_EQ(setup.Height, QStringLiteral("42"));
    EXPECT_EQ(setupFor(11, 0, 0).Paper(), 11);
}

TEST_F(PageSetupLogic, orientationTurnsCustomSizesAndAsksThePrinterForStandardOnes)
{
    TrpPageSetup custom = setupFor(256, 120, 180);
    custom.ChooseOrientation(poLandscape);
    EXPECT_EQ(custom.Width, QStringLiteral("18"));
    EXPECT_EQ(custom.Height, QStringLiteral("12"));
    custom.ChoosePaper(256);
    EXPECT_EQ(custom.Width, QStringLiteral("12")) << "choosing Custom again swaps as well";
    EXPECT_EQ(custom.Height, QStringLiteral("18"));

    TrpPageSetup a5 = setupFor(11, 0, 0);
    a5.ChooseOrientation(poLandscape);
    EXPECT_EQ(a5.Width, QStringLiteral("21"));
    EXPECT_EQ(a5.Height, QStringLiteral("14,80"));
    a5.ChoosePaper(9);
    EXPECT_EQ(a5.Width, QStringLiteral("29,70"));
    EXPECT_EQ(a5.Height, QStringLiteral("21"));
}

TEST_F(PageSetupLogic, readingChecksEveryFieldBeforeAnyIsUsed)
{
    TrpPageSetup setup = setupFor(11, 0, 0);
    setup.Left = QStringLiteral("1");
    setup.Bottom = QStringLiteral("x");
    EXPECT_THROW(setup.Read(), platform::EConvertError);
    setup.Bottom = QStringLiteral("2.5");
    const TrpPageSettings settings = setup.Read();
    EXPECT_EQ(settings.PaperSize, 11);
    EXPECT_DOUBLE_EQ(settings.PaperWidth, 148);
    EXPECT_DOUBLE_EQ(settings.PaperHeight, 210);
    EXPECT_DOUBLE_EQ(settings.LeftMargin, 10);
    EXPECT_DOUBLE_EQ(settings.BottomMargin, 25);
}

} // namespace
