#include "report/model/rpCustomReport.h"
#include "report/model/rpPages.h"
#include "report/print/rpPrinter.h"
#include "report/render/rpDrawPage.h"
#include "templates/Templates.h"

#include "CupsScheduler.h"

#include <benchmark/benchmark.h>

namespace {

// One certificate from a printer made ready to its being handed to the spooler: Init, the
// page's paper, the page drawn at 600 dpi, the document closed. The scheduler is the tests'
// own, with one file queue.
void BM_CertificateSpooled(benchmark::State& state)
{
    // One scheduler for the whole program: the client library keeps the first it meets, and
    // the benchmark runs this function more than once.
    static const CupsScheduler scheduler({{QStringLiteral("Bench"), TestPpd().text(), true}});
    TrpCustomReport report;
    loadCertificateTemplate(report);
    const auto& page = *static_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    for (auto _ : state) {
        TrpPrinter printer(QStringLiteral("Bench"), QString());
        printer.Init();
        if (!printer.Initialized()) {
            state.SkipWithError("the benchmark's print queue is not usable");
            break;
        }
        printer.SetPrintParams({11, 148, 210, poPortrait, 7, dmNone, 1});
        printer.BeginDoc();
        printer.BeginPage();
        const double scale = printer.DPI().x() / 96.0;
        rpDrawPage(page, 0, *printer.Canvas(), scale, scale,
            -printer.LeftMargin() * printer.DPI().x() / 25.4,
            -printer.TopMargin() * printer.DPI().y() / 25.4, {});
        printer.EndPage();
        printer.EndDoc();
    }
    // The jobs the spooler still holds are finished outside the timing.
    scheduler.waitForJobs(120000);
}

BENCHMARK(BM_CertificateSpooled)->Unit(benchmark::kMillisecond);

} // namespace
