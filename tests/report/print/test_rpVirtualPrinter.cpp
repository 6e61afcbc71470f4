#include "report/model/rpPaper.h"
#include "report/print/rpPrinters.h"
#include "support/SpoolerEnvironment.h"

#include <gtest/gtest.h>

// A scheduler without queues. Its own program: the print service's client library keeps the
// first scheduler it talks to for the whole process.
namespace {

const auto* const environment = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({}));

TEST(VirtualPrinter, standsInWhenTheSystemHasNoPrinter)
{
    TrpPrinters printers;
    EXPECT_FALSE(printers.HasPhysicalPrinters());
    EXPECT_EQ(printers.Printers(), QStringList {QStringLiteral("Virtual")});
    ASSERT_EQ(printers.PrinterIndex(), 0);
    const TrpCustomPrinter& printer = *printers.Printer();
    EXPECT_TRUE(printer.Initialized());
    EXPECT_EQ(printer.DPI(), QPoint(600, 600));
    EXPECT_EQ(printer.Paper(), 9);
    EXPECT_EQ(printer.Orientation(), poPortrait);
    EXPECT_EQ(printer.PaperWidth(), 210);
    EXPECT_EQ(printer.PaperHeight(), 297);
    EXPECT_EQ(printer.LeftMargin(), 5);
    EXPECT_EQ(printer.BottomMargin(), 5);
    ASSERT_EQ(printer.Papers().size(), rpPaperCodes().size() + 1);
    EXPECT_EQ(printer.Papers()[0].Code, 256);
    EXPECT_EQ(printer.Papers()[0].Name, QStringLiteral("Custom"));
    for (int i = 0; i < rpPaperCodes().size(); ++i)
        EXPECT_EQ(printer.Papers()[i + 1].Code, rpPaperCodes()[i]);
    EXPECT_EQ(printer.Bins().size(), 1);
}

TEST(VirtualPrinter, viewParamsFromThePaperTable)
{
    TrpPrinters printers;
    TrpCustomPrinter& printer = *printers.Printer();
    printer.SetViewParams(11, 0, 0, poLandscape);
    EXPECT_EQ(printer.PaperWidth(), 210);
    EXPECT_EQ(printer.PaperHeight(), 148);
    EXPECT_EQ(printer.Orientation(), poLandscape);
    printer.SetViewParams(9999, 120, 80, poPortrait);
    EXPECT_EQ(printer.Paper(), 256);
    EXPECT_EQ(printer.PaperWidth(), 120);
    EXPECT_EQ(printer.PaperHeight(), 80);
    EXPECT_EQ(printer.TopMargin(), 5);
}

} // namespace
