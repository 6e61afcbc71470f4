#include "report/model/rpCustomReport.h"
#include "report/model/rpPages.h"
#include "report/print/rpPrinter.h"
#include "report/print/rpPrinters.h"
#include "report/render/rpDrawPage.h"
#include "support/MessageRecorder.h"
#include "support/PrintOutput.h"
#include "support/SpoolerEnvironment.h"
#include "templates/Templates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TestPpd ppd(int dpi, const QString& a4, const QString& a5)
{
    TestPpd p;
    p.Dpi = dpi;
    p.A4Area = a4;
    p.A5Area = a5;
    return p;
}

TestPpd duplexTrays()
{
    TestPpd p;
    p.Slots = {QStringLiteral("Tray1/Tray 1"), QStringLiteral("Tray2/Tray 2"),
        QStringLiteral("Manual/Manual Feed"), QStringLiteral("Auto/Automatic")};
    p.Duplex = true;
    p.OddPaper = true;
    return p;
}

// Unprintable borders in points (left, bottom, right, top edges of the imageable area):
// 12 pt is 100 dots and 14.16 pt 118 dots at 600 dpi, 18 pt 75 dots at 300 dpi.
const auto* const environment = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({
    {QStringLiteral("Border100"),
        ppd(600, QStringLiteral("12 15 583 827"), QStringLiteral("12 15 408 580")).text()},
    {QStringLiteral("Border118"),
        ppd(600, QStringLiteral("14.16 15 583 827"), QStringLiteral("14.16 15 408 580")).text()},
    {QStringLiteral("Coarse300"),
        ppd(300, QStringLiteral("18 24 577 818"), QStringLiteral("18 24 402 571")).text(), true},
    {QStringLiteral("DuplexTrays"), duplexTrays().text()},
    {QStringLiteral("Doomed"),
        ppd(600, QStringLiteral("12 15 583 827"), QStringLiteral("12 15 408 580")).text()},
    {QStringLiteral("NoResolution"),
        ppd(0, QStringLiteral("12 15 583 827"), QStringLiteral("12 15 408 580")).text()},
}));

// A printer of its own for each test, current as the print dialog would make it.
TrpCustomPrinter& select(TrpPrinters& printers, const QString& name)
{
    printers.SetPrinterIndex(int(printers.Printers().indexOf(name)));
    return *printers.Printer();
}

TrpPrintParams a5() { return {11, 148, 210, poPortrait, 7, dmNone, 1}; }

// Prints Page1 of the report the way the print command does: origin moved back by the
// border in whole millimetres, at the printer's resolution.
QString spool(TrpCustomPrinter& printer, const QString& templatePath, const TrpPrintParams& params)
{
    TrpCustomReport report;
    loadTemplate(report, templatePath);
    const auto& page = *static_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    QFile::remove(spooler().outputFile(printer.Name()));
    printer.SetPrintParams(params);
    printer.BeginDoc();
    printer.BeginPage();
    const double scaleX = printer.DPI().x() / 96.0;
    const double scaleY = printer.DPI().y() / 96.0;
    rpDrawPage(page, 0, *printer.Canvas(), scaleX, scaleY,
        -printer.LeftMargin() * printer.DPI().x() / 25.4,
        -printer.TopMargin() * printer.DPI().y() / 25.4, {});
    printer.EndPage();
    printer.EndDoc();
    EXPECT_EQ(printer.Refusal(), QString()) << "the spooler took the document";
    EXPECT_TRUE(spooler().waitForJobs());
    return spooler().outputFile(printer.Name());
}

const QString marginLine = QStringLiteral(VORSELA_TEST_DATA "/marginline.xml");

TEST(PrinterList, holdsTheQueuesByNameWithTheDefaultCurrent)
{
    TrpPrinters printers;
    EXPECT_TRUE(printers.HasPhysicalPrinters());
    QStringList names = printers.Printers();
    names.sort();
    EXPECT_EQ(names,
        (QStringList {
            "Border100", "Border118", "Coarse300", "Doomed", "DuplexTrays", "NoResolution"}));
    ASSERT_NE(printers.Printer(), nullptr);
    EXPECT_EQ(printers.Printer()->Name(), QStringLiteral("Coarse300"));
    EXPECT_TRUE(printers.Printer()->Initialized());
    EXPECT_TRUE(printers.Printer()->Port().isEmpty());
    EXPECT_EQ(&rpPrinters(), &rpPrinters());
}

TEST(PrinterList, aScopePutsAListOfItsOwnInPlaceAndTheOneBeforeBack)
{
    TrpPrinters& program = rpPrinters();
    {
        const TrpPrintersScope scope;
        EXPECT_EQ(&rpPrinters(), &scope.Printers());
        EXPECT_NE(&rpPrinters(), &program);
        EXPECT_EQ(rpPrinters().Printer()->Name(), QStringLiteral("Coarse300"));
        {
            const TrpPrintersScope inner;
            EXPECT_EQ(&rpPrinters(), &inner.Printers());
        }
        EXPECT_EQ(&rpPrinters(), &scope.Printers());
    }
    EXPECT_EQ(&rpPrinters(), &program);
}

struct CapsCase {
    const char* queue;
    int paper;
    int dpi;
    TrpPageGeometry expected;
};

// The physical size and border of each queue in whole millimetres: A5 is 420 x 595 pt; a
// 12 pt border is 4.23 mm (4), 14.16 pt 4.995 mm (5), 15 pt 5.29 mm (5), 18 pt 6.35 mm (6),
// 24 pt 8.47 mm (8); the far borders are what the rounded printable region leaves.
const CapsCase capsCases[] = {
    {"Border100", 11, 600, {148, 210, 4, 5, 4, 6}},
    {"Border118", 11, 600, {148, 210, 5, 5, 4, 6}},
    {"Coarse300", 11, 300, {148, 210, 6, 8, 7, 9}},
    {"Border100", 9, 600, {210, 297, 4, 5, 5, 6}},
};

TEST(PrinterCaps, resolutionPaperAndBorderInWholeMillimetres)
{
    TrpPrinters printers;
    for (const CapsCase& c : capsCases) {
        SCOPED_TRACE(std::string(c.queue) + " paper " + std::to_string(c.paper));
        TrpCustomPrinter& printer = select(printers, QString::fromLatin1(c.queue));
        ASSERT_TRUE(printer.Initialized());
        printer.SetViewParams(c.paper, 0, 0, poPortrait);
        EXPECT_EQ(printer.Paper(), c.paper);
        EXPECT_EQ(printer.DPI(), QPoint(c.dpi, c.dpi));
        EXPECT_EQ(printer.PaperWidth(), c.expected.PaperWidth);
        EXPECT_EQ(printer.PaperHeight(), c.expected.PaperHeight);
        EXPECT_EQ(printer.LeftMargin(), c.expected.LeftMargin);
        EXPECT_EQ(printer.TopMargin(), c.expected.TopMargin);
        EXPECT_EQ(printer.RightMargin(), c.expected.RightMargin);
        EXPECT_EQ(printer.BottomMargin(), c.expected.BottomMargin);
    }
}

TEST(PrinterCaps, landscapeExchangesTheSheetAndCustomTakesTheGivenSize)
{
    TrpPrinters printers;
    TrpCustomPrinter& printer = select(printers, QStringLiteral("Border100"));
    printer.SetViewParams(11, 0, 0, poLandscape);
    EXPECT_EQ(printer.PaperWidth(), 210);
    EXPECT_EQ(printer.PaperHeight(), 148);
    EXPECT_EQ(printer.Orientation(), poLandscape);
    printer.SetViewParams(256, 123.4, 99.5, poPortrait);
    EXPECT_EQ(printer.Paper(), 256);
    EXPECT_EQ(printer.PaperWidth(), 123.4);
    EXPECT_EQ(printer.PaperHeight(), 99.5);
}

TEST(PrinterCaps, resolutionZeroIsNotAValidPrinter)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Wine's PostScript driver gives every queue a resolution, whatever its PPD";
#endif
    MessageRecorder recorder;
    TrpPrinters printers;
    TrpCustomPrinter& printer = select(printers, QStringLiteral("NoResolution"));
    EXPECT_FALSE(printer.Initialized());
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, QStringLiteral("Printer selected is not valid"));
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Error"));
}

TEST(PrinterLists, customFirstAndOnceThenTheDriversPapers)
{
    TrpPrinters printers;
    const TrpCustomPrinter& plain = select(printers, QStringLiteral("Border100"));
    ASSERT_EQ(plain.Papers().size(), 3);
    EXPECT_EQ(plain.Papers()[0].Name, QStringLiteral("Custom"));
    EXPECT_EQ(plain.Papers()[0].Code, 256);
    EXPECT_EQ(plain.PaperIndex(9), 1);
    EXPECT_EQ(plain.PaperIndex(11), 2);
    EXPECT_EQ(plain.PaperIndex(5), -1);
    EXPECT_EQ(plain.PaperNameToNumber(plain.Papers()[2].Name), 11);
    EXPECT_EQ(plain.PaperNameToNumber(QStringLiteral("Letter")), 256);
    EXPECT_EQ(plain.DefPaper(), 9);

    // The odd card has no desktop code: it is the driver's custom size.
    const TrpCustomPrinter& odd = select(printers, QStringLiteral("DuplexTrays"));
    int customs = 0;
    for (const TrpPrinterItem& paper : odd.Papers())
        customs += paper.Code == 256;
    EXPECT_EQ(customs, 1);
    EXPECT_EQ(odd.PaperIndex(256), 0);
}

// A printer's sources as "name=code", in its order.
QStringList binsOf(const TrpCustomPrinter& printer)
{
    QStringList bins;
    for (const TrpPrinterItem& bin : printer.Bins())
        bins.append(bin.Name + u'=' + QString::number(bin.Code));
    return bins;
}

#ifdef Q_OS_WIN
// A Windows driver names its sources and gives their codes itself: Wine's PostScript driver
// its automatic source, then the PPD's slots from 256 on, and no slot as its default.
TEST(PrinterLists, defaultSourceFirstThenTheDriversSlots)
{
    TrpPrinters printers;
    const TrpCustomPrinter& trays = select(printers, QStringLiteral("DuplexTrays"));
    EXPECT_EQ(binsOf(trays),
        (QStringList {"Default=7", "Automatically Select=15", "Tray 1=256", "Tray 2=257",
            "Manual Feed=258", "Automatic=259"}));
    EXPECT_EQ(trays.BinNameToNumber(QStringLiteral("Manual Feed")), 258);
    EXPECT_EQ(trays.BinIndex(258), 4);
    EXPECT_EQ(trays.BinNameToNumber(QStringLiteral("Tray 9")), 7);
    EXPECT_EQ(trays.DefBin(), 7);
    EXPECT_EQ(trays.DefDuplex(), 1);
    EXPECT_EQ(trays.Bin(), -1);
    EXPECT_EQ(trays.Duplex(), -1);

    const TrpCustomPrinter& plain = select(printers, QStringLiteral("Border100"));
    EXPECT_EQ(binsOf(plain), (QStringList {"Default=7", "Automatically Select=15"}));
    EXPECT_EQ(plain.DefBin(), 7);
}
#else
TEST(PrinterLists, defaultSourceFirstThenTheDriversSlots)
{
    TrpPrinters printers;
    const TrpCustomPrinter& trays = select(printers, QStringLiteral("DuplexTrays"));
    ASSERT_EQ(trays.Bins().size(), 4);
    EXPECT_EQ(trays.Bins()[0].Name, QStringLiteral("Default"));
    EXPECT_EQ(trays.Bins()[0].Code, 7);
    EXPECT_EQ(trays.Bins()[1].Name, QStringLiteral("Tray 1"));
    EXPECT_EQ(trays.Bins()[3].Name, QStringLiteral("Manual Feed"));
    EXPECT_EQ(trays.BinNameToNumber(QStringLiteral("Manual Feed")), 4);
    EXPECT_EQ(trays.BinIndex(4), 3);
    EXPECT_EQ(trays.BinNameToNumber(QStringLiteral("Tray 9")), 7);
    EXPECT_EQ(trays.DefBin(), trays.Bins()[1].Code);
    EXPECT_EQ(trays.DefDuplex(), 1);
    EXPECT_EQ(trays.Bin(), -1);
    EXPECT_EQ(trays.Duplex(), -1);

    const TrpCustomPrinter& plain = select(printers, QStringLiteral("Border100"));
    EXPECT_EQ(binsOf(plain), QStringList {"Default=7"});
    EXPECT_EQ(plain.DefBin(), 7);
}
#endif

struct PlacementCase {
    const char* queue;
    double marginMm; // where the page's 15 mm margin lands on the sheet
};

// 600 dpi, border 100 dots (4.233 mm, taken as 4): the margin lands 0.233 mm late; border 118
// dots (4.995 mm, taken as 5): 0.005 mm early.
const PlacementCase placements[] = {{"Border100", 15.233}, {"Border118", 14.995}};

TEST(PrinterPlacement, pageMarginLandsFromTheSheetsEdgeUpToTheRoundedBorder)
{
    TrpPrinters printers;
    for (const PlacementCase& c : placements) {
        SCOPED_TRACE(c.queue);
        TrpCustomPrinter& printer = select(printers, QString::fromLatin1(c.queue));
        const QString pdf = spool(printer, marginLine, a5());
        EXPECT_NEAR(pdfPageSize(pdf).width(), 420, 1);
        EXPECT_NEAR(pdfPageSize(pdf).height(), 595, 1);
        const QImage sheet = rasterAt600(pdf);
        ASSERT_FALSE(sheet.isNull());
        const double expected = c.marginMm * 600 / 25.4;
        const int middle = qRound(25 * 600 / 25.4); // 10 mm below the rectangle's top edge
        EXPECT_NEAR(firstInkColumn(sheet, middle), expected, 1.0);
        EXPECT_NEAR(firstInkRow(sheet, middle), 15.292 * 600 / 25.4, 1.0); // top border 15 pt
    }
}

TEST(PrinterDocument, customPaperRecordAndTheJobsSheet)
{
    TrpPrinters printers;
    auto& printer = dynamic_cast<TrpPrinter&>(select(printers, QStringLiteral("Border100")));
    printer.SetPrintParams({256, 148, 210, poLandscape, 7, dmNone, 1});
    EXPECT_EQ(printer.DeviceMode().PaperLength, 1480);
    EXPECT_EQ(printer.DeviceMode().PaperWidth, 2100);
    const TrpPrintParams custom {256, 148, 210, poPortrait, 7, dmNone, 1};
    const QString pdf = spool(printer, marginLine, custom);
    EXPECT_EQ(printer.DeviceMode().PaperLength, 2100);
    EXPECT_EQ(printer.DeviceMode().PaperWidth, 1480);
    EXPECT_EQ(printer.Paper(), 256);
    EXPECT_NEAR(pdfPageSize(pdf).width(), 148 * 72 / 25.4, 1);
    EXPECT_NEAR(pdfPageSize(pdf).height(), 210 * 72 / 25.4, 1);
}

TEST(PrinterDocument, untitledDocumentIsTheReportDocument)
{
    TrpPrinters printers;
    TrpCustomPrinter& printer = select(printers, QStringLiteral("Border100"));
    EXPECT_EQ(pdfInfoField(spool(printer, marginLine, a5()), QStringLiteral("Title")),
        QStringLiteral("Report Document"));
    printer.Title = QStringLiteral("Свидетельство");
    EXPECT_EQ(
        pdfInfoField(spool(printer, marginLine, a5()), QStringLiteral("Title")), printer.Title);
}

TEST(PrinterDocument, fileNameTakesTheOutputInsteadOfTheQueue)
{
    TrpPrinters printers;
    TrpCustomPrinter& printer = select(printers, QStringLiteral("Border100"));
    QTemporaryDir dir;
    printer.FileName = dir.filePath(QStringLiteral("certificate.prn"));
    spool(printer, marginLine, a5());
    EXPECT_FALSE(QFile::exists(spooler().outputFile(QStringLiteral("Border100"))));
    EXPECT_NEAR(pdfPageSize(printer.FileName).width(), 420, 1);
}

TEST(PrinterDocument, endDocForgetsTheDialogsChoicesAndRestoresTheDriversDefaults)
{
    TrpPrinters printers;
    auto& printer = dynamic_cast<TrpPrinter&>(select(printers, QStringLiteral("DuplexTrays")));
    printer.SetBin(4);
    printer.SetDuplex(3);
    TrpPrintParams params = a5();
    params.Duplex = dmVertical;
    printer.SetPrintParams(params);
    EXPECT_EQ(printer.DeviceMode().DefaultSource, 4);
    EXPECT_EQ(printer.DeviceMode().Duplex, 3);
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    printer.BeginPage();
    printer.EndPage();
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Bin(), -1);
    EXPECT_EQ(printer.Duplex(), -1);
    EXPECT_EQ(printer.DeviceMode().DefaultSource, printer.DefBin());
    EXPECT_EQ(printer.DeviceMode().Duplex, printer.DefDuplex());
    EXPECT_EQ(printer.Paper(), 11);
    EXPECT_TRUE(spooler().waitForJobs());
}

// A queue that went away while the page was drawn: the document ends without hanging, the
// printer is ready for the next one, and the spooler's refusal is kept for the job to tell.
TEST(PrinterDocument, queueRemovedDuringTheJobEndsTheDocumentWithTheRefusal)
{
    TrpPrinters printers;
    TrpCustomPrinter& printer = select(printers, QStringLiteral("Doomed"));
    TrpCustomReport report;
    loadTemplate(report, marginLine);
    const auto& page = *static_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    printer.SetPrintParams(a5());
    printer.BeginDoc();
    printer.BeginPage();
    rpDrawPage(page, 0, *printer.Canvas(), 6.25, 6.25, 0, 0, {});
    printer.EndPage();
    ASSERT_TRUE(spooler().removeQueue(QStringLiteral("Doomed")));
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Canvas(), nullptr);
    // The spooler's own words ("No such file or directory") name nothing the operator knows.
    EXPECT_TRUE(printer.Refusal().startsWith(
        QStringLiteral("the printer \"Doomed\" or its queue no longer exists (")))
        << printer.Refusal().toStdString();
    EXPECT_TRUE(spooler().waitForJobs());
    EXPECT_FALSE(QFile::exists(spooler().outputFile(QStringLiteral("Doomed"))));
}

} // namespace
