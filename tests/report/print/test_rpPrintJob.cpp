#include "platform/core/Exception.h"
#include "report/engine/rpPreviewPages.h"
#include "report/model/rpUnits.h"
#include "report/print/rpPrintCommand.h"
#include "report/print/rpPrinter.h"
#include "report/print/rpPrinters.h"
#include "support/MessageRecorder.h"
#include "support/NumberedCertificate.h"
#include "support/PrintOutput.h"
#include "support/ReportTestHelpers.h"
#include "support/SpoolerEnvironment.h"
#include "templates/Templates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const auto* const environment
    = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({SpoolerEnvironment::a5Laser()}));

// Prints the prepared pages without the dialog and waits for the spooler; true when a job
// came out.
bool printAndCollect(TrpReport& report)
{
    QFile::remove(spooler().output());
    rpPrintPreparedPages(report);
    EXPECT_TRUE(spooler().waitForJobs());
    return QFile::exists(spooler().output());
}

QStringList pageLabels(std::initializer_list<int> numbers)
{
    QStringList labels;
    for (int number : numbers)
        labels.append(number ? QStringLiteral("P%1").arg(number) : QString());
    return labels;
}

// A report of `count` pages, each saying only its number ("P3").
class NumberedPages : public ::testing::Test {
protected:
    // `paper`: the pages' paper code (the certificate's is A5, 11).
    void prepare(int count, int paper = 11)
    {
        loadNumberedCertificate(report, count);
        if (paper != 11)
            page1(report)->SetPaperSize(paper);
        report.PrepareReport();
        ASSERT_EQ(report.PreviewPages().Count(), count);
    }

    MessageRecorder messages;
    TrpReport report;
};

struct PageListCase {
    const char* pages;
    QStringList expected; // empty: no job at all
};

TEST_F(NumberedPages, thePageListChoosesThePagesInItsOrder)
{
    prepare(12);
    const PageListCase cases[] = {
        {"1,3,5-12", pageLabels({1, 3, 5, 6, 7, 8, 9, 10, 11, 12})},
        {"5-", pageLabels({5, 6, 7, 8, 9, 10, 11, 12})},
        {"12,2,2", pageLabels({12, 2, 2})},
        {"0,13,4", pageLabels({4})},
        // Only an empty list means every page.
        {"", pageLabels({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
    };
    for (const PageListCase& c : cases) {
        SCOPED_TRACE(c.pages);
        report.PrintOptions().PageNumbers = QString::fromUtf8(c.pages);
        const bool job = printAndCollect(report);
        EXPECT_EQ(job, !c.expected.isEmpty());
        if (job) {
            EXPECT_EQ(pageTexts(spooler().output()), c.expected);
        }
        EXPECT_EQ(report.PrintOptions().PageNumbers, QString::fromUtf8(c.pages));
    }
}

TEST_F(NumberedPages, aPageListThatIsNoListPrintsNothingAndKeepsTheOptions)
{
    prepare(3);
    const std::pair<const char*, const char*> cases[] = {
        {"a", "'a' is not a valid integer value"},
        {"3-1", "'3-1' is a backward page range; write it as 1-3"},
    };
    for (const auto& [pages, message] : cases) {
        SCOPED_TRACE(pages);
        report.PrintOptions().PageNumbers = QString::fromUtf8(pages);
        report.PrintOptions().Copies = 2;
        QFile::remove(spooler().output());
        try {
            rpPrintPreparedPages(report);
            ADD_FAILURE() << "no error";
        } catch (const platform::EConvertError& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(message));
        }
        EXPECT_TRUE(spooler().waitForJobs());
        EXPECT_FALSE(QFile::exists(spooler().output()));
        EXPECT_EQ(report.PrintOptions().PageNumbers, QString::fromUtf8(pages));
        EXPECT_EQ(report.PrintOptions().Copies, 2);
    }
}

struct JobCase {
    int copies;
    bool collate;
    bool reverse;
    TrpPrintPages which;
    const char* pages;
    QStringList expected; // the job's pages; the driver makes the uncollated copies
    int driverCopies;
};

TEST_F(NumberedPages, copiesCollateOrderAndOddOrEvenPages)
{
    prepare(3);
    const JobCase cases[] = {
        {1, true, false, ppAll, "", pageLabels({1, 2, 3}), 1},
        {2, true, false, ppAll, "", pageLabels({1, 2, 3, 1, 2, 3}), 1},
        {2, true, true, ppAll, "", pageLabels({3, 2, 1, 3, 2, 1}), 1},
        {2, false, false, ppAll, "", pageLabels({1, 2, 3}), 2},
        {3, false, true, ppOdd, "", pageLabels({3, 1}), 3},
        {2, true, false, ppEven, "", pageLabels({2, 2}), 1},
        {0, true, false, ppAll, "2", pageLabels({2}), 1},
        {1, true, true, ppAll, "1-3", pageLabels({3, 2, 1}), 1},
        {1, true, false, ppOdd, "1-3", pageLabels({1, 3}), 1},
        {2, true, false, ppOdd, "2", {}, 1},
    };
    for (const JobCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
            << c.copies << " copies, collate " << c.collate << ", reverse " << c.reverse
            << ", pages " << c.which << " \"" << c.pages << '"');
        TrpPrintOptions& options = report.PrintOptions();
        options.Copies = c.copies;
        options.Collate = c.collate;
        options.Reverse = c.reverse;
        options.PrintPages = c.which;
        options.PageNumbers = QString::fromUtf8(c.pages);
        const bool job = printAndCollect(report);
        ASSERT_EQ(job, !c.expected.isEmpty());
        if (!job)
            continue;
        EXPECT_EQ(pageTexts(spooler().output()), c.expected);
        EXPECT_EQ(pdfInfoField(spooler().output(), QStringLiteral("Title")),
            QStringLiteral("Report Document"));
        const auto* printer = dynamic_cast<const TrpPrinter*>(rpPrinters().Printer());
        ASSERT_NE(printer, nullptr);
        EXPECT_EQ(printer->DeviceMode().Copies, c.driverCopies);
    }
}

// The size of every page of a job in points, rounded, as the sheet lies: a page that the
// document turns (a PostScript driver's landscape) counts turned.
QList<QSize> pageSizes(const QString& pdf, int pages)
{
    const HostOutput info = runOnHost(QStringLiteral("pdfinfo"),
        {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QString::number(pages),
            readableJob(pdf)});
    QList<QSize> sizes;
    for (const QString& line : QString::fromUtf8(info.out).split(u'\n')) {
        const QStringList words = line.simplified().split(u' ');
        if (words.size() >= 6 && words[0] == u"Page" && words[2] == u"size:")
            sizes.append(QSize(qRound(words[3].toDouble()), qRound(words[5].toDouble())));
        if (words.size() >= 4 && words[0] == u"Page" && words[2] == u"rot:" && !sizes.isEmpty()
            && words[3].toInt() % 180 == 90)
            sizes.last().transpose();
    }
    return sizes;
}

// The printer-ready document carries each page's paper (the spooler's own filter then fits
// every page to the job's first paper).
TEST_F(NumberedPages, aPageOnOtherPaperChangesTheJobsPageSize)
{
    prepare(3);
    TrpPreviewPages& pages = report.PreviewPages();
    TrpReportPage* second = pages.GetPage(1);
    second->SetPaperSize(9);
    pages.ModifyPage(1, *second);
    QTemporaryDir dir;
    report.PrintOptions().PrnOutFileName = dir.filePath(QStringLiteral("job.prn"));
    EXPECT_FALSE(printAndCollect(report));
    const QString job = dir.filePath(QStringLiteral("job.prn"));
    EXPECT_EQ(pageTexts(job), pageLabels({1, 2, 3}));
    EXPECT_EQ(pageSizes(job, 3), (QList<QSize> {{420, 595}, {595, 842}, {420, 595}}));
}

struct ModeCase {
    const char* name;
    TrpPrintMode mode;
    int sheet; // paper code
    int pagePaper; // paper code of every page
    int pages;
    QStringList texts; // one entry a sheet side
    QList<QSize> sizes; // points
};

// The other print modes onto the sheet of the dialog, each sheet side read back from the
// printer-ready document. A5 pages are 148 x 210 mm, A4 210 x 297 mm; the queue's printable
// region on A5 is 140 x 200 mm, so an A4 page takes two columns and two rows of pieces.
TEST_F(NumberedPages, theOtherPrintModesPlacePagesOnTheChosenSheet)
{
    const QSize a4(595, 842);
    const QSize a4Turned(842, 595);
    const QSize a5(420, 595);
    const ModeCase cases[] = {
        {"scaleStretchesEachPageToTheSheet", pmScale, 9, 11, 2, pageLabels({1, 2}), {a4, a4}},
        {"joinPutsTwoA5PagesOnATurnedA4", pmJoin, 9, 11, 3, {"P1 P2", "P3"}, {a4Turned, a4Turned}},
        {"joinOfPagesLargerThanTheSheetPrintsOneASheet", pmJoin, 11, 9, 2, pageLabels({1, 2}),
            {a5, a5}},
        {"splitPrintsAnA4PageInFourPiecesOnA5", pmSplit, 11, 9, 1, {"P1", "", "", ""},
            {a5, a5, a5, a5}},
        {"splitPrintsAPageThatFitsTheSheetWhole", pmSplit, 9, 11, 2, pageLabels({1, 2}), {a4, a4}},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.pages, c.pagePaper);
        TrpPrintOptions& options = report.PrintOptions();
        options.PrintMode = c.mode;
        options.PrintOnSheet = c.sheet;
        QTemporaryDir dir;
        const QString job = dir.filePath(QStringLiteral("job.prn"));
        options.PrnOutFileName = job;
        EXPECT_FALSE(printAndCollect(report));
        EXPECT_EQ(pageTexts(job), c.texts);
        EXPECT_EQ(pageSizes(job, int(c.sizes.size())), c.sizes);
        EXPECT_EQ(pdfInfoField(job, QStringLiteral("Pages")), QString::number(c.texts.size()));
    }
}

// Cancel in the progress window sets Terminated; here the report's observer does it when
// the first page has been drawn.
class CancelAfterFirstPage : public TrpProgressObserver {
public:
    explicit CancelAfterFirstPage(TrpReport& report) : FReport(report) { }
    void InternalOnProgressStart(TrpProgressType) override { }
    void InternalOnProgress(TrpProgressType type, int) override
    {
        if (type == ptPrinting)
            FReport.SetTerminated(true);
    }
    void InternalOnProgressStop(TrpProgressType) override { }

private:
    TrpReport& FReport;
};

TEST_F(NumberedPages, cancelAbortsTheJobAndTheSpoolerGetsNothing)
{
    prepare(3);
    report.PrintOptions().Copies = 2;
    CancelAfterFirstPage cancel(report);
    report.SetProgressObserver(&cancel);
    EXPECT_FALSE(printAndCollect(report));
    report.SetProgressObserver(nullptr);
    EXPECT_TRUE(report.Terminated());
    EXPECT_TRUE(
        spooler().run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty());
}

// The queue stops taking jobs while the pages are drawn (an administrator, a full spool
// disk): the operator is told the document was not accepted, instead of a job that seems
// printed and never comes out.
class RejectJobsAfterFirstPage : public TrpProgressObserver {
public:
    void InternalOnProgressStart(TrpProgressType) override { }
    void InternalOnProgress(TrpProgressType type, int) override
    {
        if (type == ptPrinting && !rejecting) {
            spooler().run(QStringLiteral("cupsreject"), {QStringLiteral("A5Laser")});
            rejecting = true;
        }
    }
    void InternalOnProgressStop(TrpProgressType) override { }
    ~RejectJobsAfterFirstPage() override
    {
        spooler().run(QStringLiteral("cupsaccept"), {QStringLiteral("A5Laser")});
    }

    bool rejecting = false;
};

TEST_F(NumberedPages, aQueueThatStopsTakingJobsIsReportedNotShownAsPrinted)
{
    prepare(2);
    {
        RejectJobsAfterFirstPage reject;
        report.SetProgressObserver(&reject);
        QFile::remove(spooler().output());
        bool accepted = false;
        rpPrintPreparedPages(report, {}, [&accepted](const TrpAcceptedJob&) { accepted = true; });
        EXPECT_TRUE(spooler().waitForJobs());
        EXPECT_FALSE(QFile::exists(spooler().output()));
        EXPECT_FALSE(accepted) << "a refused document is no printed certificate";
        report.SetProgressObserver(nullptr);
        ASSERT_TRUE(reject.rejecting);
    }
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(messages.messages[0].text.startsWith(
        QStringLiteral("The printer did not accept the document: ")))
        << messages.messages[0].text.toStdString();

    // Taking jobs again, the queue prints the next document and nothing is reported.
    EXPECT_TRUE(printAndCollect(report));
    EXPECT_EQ(messages.messages.size(), 1);
}

TEST_F(NumberedPages, theOutputFileTakesTheJobInsteadOfThePrinter)
{
    prepare(2);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("certificate.prn"));
    report.PrintOptions().PrnOutFileName = file;
    EXPECT_FALSE(printAndCollect(report));
    EXPECT_EQ(pageTexts(file), pageLabels({1, 2}));
    EXPECT_EQ(report.PrintOptions().PrnOutFileName, file);

    report.PrintOptions().PrnOutFileName.clear();
    EXPECT_TRUE(printAndCollect(report));
}

// The filled certificate from the print command: one A5 page whose every field's ink lies in
// the field's box, measured from the sheet's edges (the printer layer keeps the distance to
// within half a millimetre).
TEST(PrintCommand, theCertificateLandsOnAnA5PageWithEveryFieldInItsBox)
{
    MessageRecorder messages;
    TrpReport report;
    loadCertificateTemplate(report);
    for (int i = 1; i <= 42; ++i)
        memo(report, QStringLiteral("Memo%1").arg(i))->SetText(QStringLiteral("%1").arg(i % 10));
    const TrpReportPage& page = *page1(report);
    const double left = page.LeftMargin();
    const double top = page.TopMargin();
    QList<QRect> boxes;
    const double dots = 600 / 25.4;
    const double slack = 0.6 * dots;
    for (int i = 1; i <= 42; ++i) {
        const TrpMemoView& field = *memo(report, QStringLiteral("Memo%1").arg(i));
        const QRectF box((left + field.Left() / rp01cm) * dots, (top + field.Top() / rp01cm) * dots,
            field.Width() / rp01cm * dots, field.Height() / rp01cm * dots);
        boxes.append(box.adjusted(-slack, -slack, slack, slack).toAlignedRect());
    }
    report.PrepareReport();
    ASSERT_TRUE(printAndCollect(report));
    EXPECT_EQ(pdfPageSize(spooler().output()), QSizeF(420, 595));
    EXPECT_EQ(pdfInfoField(spooler().output(), QStringLiteral("Pages")), QStringLiteral("1"));

    const QImage sheet = rasterAt600(spooler().output());
    ASSERT_FALSE(sheet.isNull());
    const InkInBoxes ink = inkInBoxes(sheet, boxes);
    EXPECT_EQ(ink.stray, 0);
    for (int i = 0; i < 42; ++i)
        EXPECT_GT(ink.perBox[i], 0) << "Memo" << i + 1;
}

} // namespace
