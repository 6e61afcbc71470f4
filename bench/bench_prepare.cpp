// Preparation of the certificate: one filled certificate, and a synthetic report of many
// certificate pages whose texts all depend on the page number.

#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "templates/Templates.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>

namespace {

constexpr int kManyPages = 10000;
constexpr int kFilePages = 100000;

// What the main window writes into the 42 fields for one graduate.
const char16_t* const kFilled[42] = {u"Негосударственное образовательное учреждение",
    u"«Автошкола Вираж»", u"г. Вологда", u"АА", u"Сидоров Сергей Петрович", u"07", u"сентября",
    u"24", u"15", u"декабря", u"24", u"Водитель транспортного средства", u"категории \"B\"",
    u"Основы законодательства в сфере дорожного движения", u"42", u"Зачтено",
    u"Психофизиологические основы", u"12", u"Зачтено", u"Основы управления", u"14", u"Зачтено",
    u"Первая помощь", u"16", u"Зачтено", u"Устройство и ТО", u"15", u"Зачтено",
    u"Основы управления ТС категории \"B\"", u"12", u"Зачтено", u"Вождение", u"56", u"Отлично",
    u"190", u"Квалификационный экзамен", u"Отлично", u"15", u"декабря", u"24", u"Петров П. П.",
    u"МП"};

void fill(TrpReport& report, const QString& suffix = {})
{
    for (int i = 1; i <= 42; ++i) {
        auto* memo = dynamic_cast<TrpMemoView*>(report.FindObject(QStringLiteral("Memo%1").arg(i)));
        memo->SetText(QString::fromUtf16(kFilled[i - 1]) + suffix);
    }
}

TrpReportPage* page1(TrpReport& report)
{
    return dynamic_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
}

void setPageCount(TrpReport& report, int count)
{
    TrpReportPage* page = page1(report);
    page->classInfo().property(u"PageCount")->set(*page, count);
}

size_t allocatedBytes() { return mallinfo2().uordblks; }

void BM_PrepareCertificate(benchmark::State& state)
{
    TrpReport report;
    loadCertificateTemplate(report);
    fill(report);
    report.EngineOptions().SilentMode = simSilent;
    for (auto _ : state) {
        const bool prepared = report.PrepareReport(true);
        benchmark::DoNotOptimize(prepared);
    }
    state.counters["pages"] = report.PreviewPages().Count();
}
BENCHMARK(BM_PrepareCertificate)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// 10,000 certificate pages (PageCount) whose every text carries [Page#], so no two pages
// are alike.
void BM_PrepareManyPages(benchmark::State& state)
{
    TrpReport report;
    loadCertificateTemplate(report);
    fill(report, QStringLiteral(" [Page#]"));
    setPageCount(report, kManyPages);
    report.EngineOptions().SilentMode = simSilent;
    double bytesPerPage = 0;
    for (auto _ : state) {
        state.PauseTiming();
        report.PreviewPages().Clear();
        const size_t before = allocatedBytes();
        state.ResumeTiming();
        const bool prepared = report.PrepareReport(false);
        state.PauseTiming();
        benchmark::DoNotOptimize(prepared);
        bytesPerPage = double(allocatedBytes() - before) / kManyPages;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kManyPages);
    state.counters["pages"] = report.PreviewPages().Count();
    state.counters["store_bytes_per_page"] = bytesPerPage;
    state.counters["entry_bytes_per_page"]
        = double(report.PreviewPages().PagesDataSize()) / kManyPages;
}
BENCHMARK(BM_PrepareManyPages)->Unit(benchmark::kMillisecond)->Iterations(3);

// Rebuilding every page of the synthetic report, as paging through the preview does: the
// cache keeps at most PagesInCache pages alive.
void BM_GetManyPages(benchmark::State& state)
{
    TrpReport report;
    loadCertificateTemplate(report);
    fill(report, QStringLiteral(" [Page#]"));
    setPageCount(report, kManyPages);
    report.EngineOptions().SilentMode = simSilent;
    report.PrepareReport(true);
    TrpPreviewPages& pages = report.PreviewPages();
    const qsizetype baseline = TrpComponent::InstanceCount();
    qsizetype most = 0;
    int cached = 0;
    for (auto _ : state) {
        for (int i = 0; i < pages.Count(); ++i) {
            benchmark::DoNotOptimize(pages.GetPage(i));
            most = std::max(most, TrpComponent::InstanceCount() - baseline);
            cached = std::max(cached, pages.CachedPages());
        }
    }
    state.SetItemsProcessed(state.iterations() * pages.Count());
    state.counters["most_live_objects"] = double(most);
    state.counters["most_cached_pages"] = cached;
}
BENCHMARK(BM_GetManyPages)->Unit(benchmark::kMillisecond)->Iterations(1);

// Opening a prepared-report file of 100,000 test pages, each with its own number in a text:
// the loader checks every page before it replaces the store, and the preview opens the
// file with neither progress nor a way to cancel, so it must keep up with 100,000 pages a
// second.
void BM_LoadManyPages(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.prp"));
    {
        TrpReport prepared;
        loadTestPageTemplate(prepared);
        auto* memo = dynamic_cast<TrpMemoView*>(prepared.FindObject(QStringLiteral("Memo1")));
        memo->SetText(QStringLiteral("Страница [Page#]"));
        setPageCount(prepared, kFilePages);
        prepared.EngineOptions().SilentMode = simSilent;
        prepared.PrepareReport(true);
        prepared.PreviewPages().SaveToFile(path);
    }
    TrpReport report;
    for (auto _ : state)
        report.PreviewPages().LoadFromFile(path);
    state.SetItemsProcessed(state.iterations() * report.PreviewPages().Count());
    state.counters["pages"] = report.PreviewPages().Count();
    state.counters["pages_per_second"] = benchmark::Counter(
        double(state.iterations()) * report.PreviewPages().Count(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadManyPages)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
