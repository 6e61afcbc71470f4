// libFuzzer target: arbitrary bytes as a prepared-report file (TrpPreviewPages::LoadFromStream).
//
// A file is either refused with EReadError, leaving the store as it was, or loaded; a loaded
// file must be usable: every page rebuilds, and saving and loading it again gives the same
// pages. Anything else (a crash, a sanitizer report, another exception, a hang, unbounded
// memory) is a finding.

#include "FuzzCheck.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/model/rpStream.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = fuzzBytes(data, size);
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);

    TrpReport report;
    TrpPreviewPages& pages = report.PreviewPages();
    try {
        pages.LoadFromStream(input);
    } catch (const EReadError&) {
        fuzzCheck(pages.Count() == 0 && pages.SourcePagesCount() == 0);
        return 0;
    }

    for (int i = 0; i < pages.Count(); ++i) {
        fuzzCheck(pages.GetPage(i) != nullptr);
        pages.GetPageSize(i);
    }
    fuzzCheck(pages.GetPage(pages.Count()) == nullptr);

    QBuffer output;
    output.open(QIODevice::ReadWrite);
    pages.SaveToStream(output);
    output.seek(0);
    TrpReport again;
    again.PreviewPages().LoadFromStream(output); // an exception here is a finding too
    TrpPreviewPages& reloaded = again.PreviewPages();
    fuzzCheck(reloaded.Count() == pages.Count());
    fuzzCheck(reloaded.ReportName() == pages.ReportName());
    for (int i = 0; i < pages.Count(); ++i) {
        fuzzCheck(reloaded.PageData(i) == pages.PageData(i));
        fuzzCheck(reloaded.GetPageSize(i) == pages.GetPageSize(i));
    }
    return 0;
}
