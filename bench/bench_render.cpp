#include "report/model/rpCustomReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"
#include "report/render/rpDrawPage.h"
#include "templates/Templates.h"

#include "platform/core/QPainterCanvas.h"
#include "platform/core/RecordingCanvas.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

// Draws Page1 of a template: at 100 % onto an image as the preview does, or at 600 dpi onto
// the recording canvas as the printer would receive it.
void drawTemplate(benchmark::State& state, void (*load)(TrpCustomReport&), bool printer)
{
    TrpCustomReport report;
    load(report);
    const auto& page = *static_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    QImage image(560, 794, QImage::Format_RGB32);
    for (auto _ : state) {
        if (printer) {
            platform::RecordingCanvas canvas(QRect(0, 0, 3496, 4961), true, 600);
            rpDrawPage(page, 0, canvas, 6.25, 6.25, 0, 0, {});
            benchmark::DoNotOptimize(canvas.calls().size());
        } else {
            image.fill(Qt::white);
            platform::QPainterCanvas canvas(image);
            rpDrawPage(page, 0, canvas, 1, 1, 0, 0, {});
        }
    }
}

void BM_CertificateImage100(benchmark::State& s)
{
    drawTemplate(s, loadCertificateTemplate, false);
}
void BM_TestPageImage100(benchmark::State& s) { drawTemplate(s, loadTestPageTemplate, false); }
void BM_CertificateRecording600(benchmark::State& s)
{
    drawTemplate(s, loadCertificateTemplate, true);
}
void BM_TestPageRecording600(benchmark::State& s) { drawTemplate(s, loadTestPageTemplate, true); }

BENCHMARK(BM_CertificateImage100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TestPageImage100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CertificateRecording600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TestPageRecording600)->Unit(benchmark::kMicrosecond);

} // namespace
