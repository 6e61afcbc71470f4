#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpCustomReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"
#include "report/print/rpPrintCommand.h"
#include "report/print/rpPrinter.h"
#include "report/printui/rpPrintDialog.h"
#include "report/render/rpDrawPage.h"
#include "templates/Templates.h"

#include "support/SpoolerEnvironment.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// One scheduler for the whole program: the client library keeps the first it meets, and
// the benchmarks run their functions more than once.
const SpoolerEnvironment& scheduler()
{
    static SpoolerEnvironment running({{QStringLiteral("Bench"), TestPpd().text(), true}});
    [[maybe_unused]] static const bool started = (running.start(), true);
    return running;
}

const TrpReportPage& certificatePage(const TrpCustomReport& report)
{
    return *static_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
}

// The certificate with a text in every one of its 42 fields.
void loadFilledCertificate(TrpReport& report)
{
    loadCertificateTemplate(report);
    for (int i = 1; i <= 42; ++i) {
        auto* field = static_cast<TrpMemoView*>(report.FindObject(QStringLiteral("Memo%1").arg(i)));
        field->SetText(QStringLiteral("Иванов %1").arg(i));
    }
}

void drawCertificate(TrpPrinter& printer, const TrpReportPage& page)
{
    printer.BeginPage();
    const double scale = printer.DPI().x() / 96.0;
    rpDrawPage(page, 0, *printer.Canvas(), scale, scale,
        -printer.LeftMargin() * printer.DPI().x() / 25.4,
        -printer.TopMargin() * printer.DPI().y() / 25.4, {});
    printer.EndPage();
}

// One certificate from a printer made ready to its being handed to the spooler: Init, the
// page's paper, the page drawn at 600 dpi, the document closed.
void BM_CertificateSpooled(benchmark::State& state)
{
    scheduler();
    TrpCustomReport report;
    loadCertificateTemplate(report);
    const TrpReportPage& page = certificatePage(report);
    for (auto _ : state) {
        TrpPrinter printer(QStringLiteral("Bench"), QString());
        printer.Init();
        if (!printer.Initialized()) {
            state.SkipWithError("the benchmark's print queue is not usable");
            break;
        }
        printer.SetPrintParams({11, 148, 210, poPortrait, 7, dmNone, 1});
        printer.BeginDoc();
        drawCertificate(printer, page);
        printer.EndDoc();
    }
    // The jobs the spooler still holds are finished outside the timing.
    scheduler().waitForJobs(120000);
}

// The filled certificate drawn into a PDF file in-process, on a printer of the list (made
// ready once, as the program's printers are): the document begun with the file as its
// output, the page drawn, the file closed.
void BM_CertificateIntoPdfFile(benchmark::State& state)
{
    scheduler();
    TrpReport report;
    loadFilledCertificate(report);
    const TrpReportPage& page = certificatePage(report);
    QTemporaryDir folder;
    TrpPrinter printer(QStringLiteral("Bench"), QString());
    printer.Init();
    if (!printer.Initialized()) {
        state.SkipWithError("the benchmark's print queue is not usable");
        return;
    }
    printer.FileName = folder.filePath(QStringLiteral("certificate.prn"));
    for (auto _ : state) {
        printer.SetPrintParams({11, 148, 210, poPortrait, 7, dmNone, 1});
        printer.BeginDoc();
        drawCertificate(printer, page);
        printer.EndDoc();
    }
}

long peakResidentKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// From OK in the print dialog to the job handed to the spooler: the dialog's choices taken,
// the page list, the job of the prepared certificate (its paper set, the page drawn at
// 600 dpi, the document closed and handed over). Making the dialog is outside the timing.
void BM_PrintDialogOkToSpooler(benchmark::State& state)
{
    scheduler();
    TrpReport report;
    loadFilledCertificate(report);
    report.PrepareReport();
    for (auto _ : state) {
        const bool printed = rpPrintPreparedPages(report, [&state](TrpReport& r, TrpDuplexMode& d) {
            state.PauseTiming();
            TrpPrintDialog dialog(r, d);
            state.ResumeTiming();
            dialog.OkClick();
            d = dialog.Duplex();
            return dialog.result() == QDialog::Accepted;
        });
        if (!printed) {
            state.SkipWithError("the certificate was not printed");
            break;
        }
    }
    state.counters["peak_rss_MiB"] = double(peakResidentKiB()) / 1024;
    scheduler().waitForJobs(120000);
}

// A report of 100 certificate pages printed into the PDF file of the print command.
void BM_HundredPagesIntoPdf(benchmark::State& state)
{
    scheduler();
    TrpReport report;
    loadFilledCertificate(report);
    TrpReportPage& page = *static_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    page.classInfo().property(u"PageCount")->set(page, 100);
    report.PrepareReport();
    QTemporaryDir folder;
    report.PrintOptions().ShowDialog = false;
    report.PrintOptions().PrnOutFileName = folder.filePath(QStringLiteral("report.prn"));
    for (auto _ : state)
        rpPrintPreparedPages(report);
    state.SetItemsProcessed(state.iterations() * report.PreviewPages().Count());
}

BENCHMARK(BM_CertificateSpooled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CertificateIntoPdfFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintDialogOkToSpooler)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredPagesIntoPdf)->Unit(benchmark::kMillisecond);

} // namespace
