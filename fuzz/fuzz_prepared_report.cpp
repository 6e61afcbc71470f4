// libFuzzer target: arbitrary bytes as a prepared-report file (TrpPreviewPages::LoadFromStream).
//
// A file is either refused with EReadError, leaving the store as it was, or loaded; a loaded
// file must be usable: every page rebuilds, and saving and loading it again gives the same
// pages. Anything else (a crash, a sanitizer report, another exception, a hang, unbounded
// memory) is a finding.

#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/model/rpStream.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);

    TrpReport report;
    TrpPreviewPages& pages = report.PreviewPages();
    try {
        pages.LoadFromStream(input);
    } catch (const EReadError&) {
        check(pages.Count() == 0 && pages.SourcePagesCount() == 0);
        return 0;
    }

    for (int i = 0; i < pages.Count(); ++i) {
        check(pages.GetPage(i) != nullptr);
        pages.GetPageSize(i);
    }
    check(pages.GetPage(pages.Count()) == nullptr);

    QBuffer output;
    output.open(QIODevice::ReadWrite);
    pages.SaveToStream(output);
    output.seek(0);
    TrpReport again;
    again.PreviewPages().LoadFromStream(output); // an exception here is a finding too
    TrpPreviewPages& reloaded = again.PreviewPages();
    check(reloaded.Count() == pages.Count());
    check(reloaded.ReportName() == pages.ReportName());
    for (int i = 0; i < pages.Count(); ++i) {
        check(reloaded.PageData(i) == pages.PageData(i));
        check(reloaded.GetPageSize(i) == pages.GetPageSize(i));
    }
    return 0;
}
