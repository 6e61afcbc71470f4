#include "rpEngine.h"

#include "report/model/rpBands.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"
#include "rpPreviewPages.h"
#include "rpReport.h"

class TrpEngine::RunningScope {
public:
    explicit RunningScope(TrpEngine& engine) : fEngine(engine) { fEngine.FRunning = true; }
    ~RunningScope() { fEngine.FRunning = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    TrpEngine& fEngine;
};

TrpEngine::TrpEngine(TrpReport& report) : FReport(report)
{
    FVariables.start = QDateTime::currentDateTime();
}

QString TrpEngine::ExpandExpressions(const QString& text, const QString& delimiters,
    TrpFormatKind displayKind, const QString& displayFormat) const
{
    return rpExpandExpressions(text, delimiters, FVariables, displayKind, displayFormat);
}

void TrpEngine::AddError(const QString& text) { FReport.AddError(text); }

bool TrpEngine::Run(bool ARunDialogs, bool AClearLast, TrpPage* APage)
{
    Q_UNUSED(ARunDialogs) // the program's reports have no dialog pages
    TrpPreviewPages& pages = FReport.PreviewPages();
    if (AClearLast)
        pages.Clear();

    // The store begins filling under the report's name; the system variables start from now.
    pages.Initialize(FReport.ReportOptions().Name);
    pages.SetAddPageAction(apAdd);
    FVariables = TrpSystemVariables {};
    FVariables.start = QDateTime::currentDateTime();
    FVariables.ignoreDivByZero = FReport.EngineOptions().IgnoreDevByZero;
    FPageNo = 0;
    const RunningScope running(*this);
    try {
        RunPages(APage);
    } catch (...) {
        pages.Clear();
        pages.Finish();
        throw;
    }
    pages.Finish();
    return true;
}

void TrpEngine::RunPages(TrpPage* only)
{
    TrpPreviewPages& pages = FReport.PreviewPages();
    QList<TrpReportPage*> reportPages;
    for (int i = 0; i < FReport.PagesCount(); ++i) {
        if (auto* page = dynamic_cast<TrpReportPage*>(FReport.Pages(i)))
            reportPages.append(page);
    }
    // Every report page first gets its source copy in the store; then the visible pages run.
    for (TrpReportPage* page : reportPages)
        pages.AddSourcePage(*page);
    for (TrpReportPage* page : reportPages) {
        if (FReport.Terminated())
            break;
        if (only && only != page)
            continue;
        if (page->Visible())
            RunPage(*page);
    }
}

void TrpEngine::RunPage(TrpReportPage& page)
{
    for (int i = 0; i < page.PageCount(); ++i) {
        if (FReport.Terminated())
            break;
        OutputPage(page);
    }
}

void TrpEngine::OutputPage(TrpReportPage& page)
{
    // The printable area of the page, filled from its top left corner.
    FPageHeight = page.PrintableHeight();
    FPageWidth = page.PrintableWidth();
    FCurX = 0;
    FCurY = 0;

    // A new prepared page; the page variables count it.
    TrpPreviewPages& pages = FReport.PreviewPages();
    pages.AddPage(page);
    ++FPageNo;
    FVariables.page = FPageNo;
    FVariables.pageAbsolute = pages.CurPage() + 1;

    // The objects lying on the page itself, in one band the size of the printable area.
    const double savedY = FCurY;
    TrpNullBand band;
    band.SetWidth(FPageWidth);
    band.SetHeight(FPageHeight);
    QList<TrpComponent*> objects;
    for (TrpComponent* child : page.Objects()) {
        if (!dynamic_cast<TrpBand*>(child))
            objects.append(child);
    }
    band.Borrow(objects);
    TrpComponent::AlignObjects(objects, band.Width(), band.Height());
    ShowBand(band);
    FCurY = savedY;
    band.ReleaseBorrowed();
}

void TrpEngine::ShowBand(TrpNullBand& band)
{
    // Every object takes its values for printing, the band goes into the prepared page as
    // it stands, and every object gets its own values back.
    QList<TrpReportComponent*> objects;
    for (TrpComponent* object : band.Borrowed()) {
        if (auto* component = dynamic_cast<TrpReportComponent*>(object))
            objects.append(component);
    }
    band.BeforePrint();
    qsizetype begun = 0;
    // Whatever happens, every object that began its cycle gets its values back.
    const auto restore = [&] {
        for (qsizetype i = 0; i < begun; ++i)
            objects[i]->AfterPrint();
        band.AfterPrint();
    };
    try {
        for (TrpReportComponent* component : objects) {
            component->BeforePrint();
            ++begun;
            if (component->Visible())
                component->GetData(*this);
        }
        FReport.PreviewPages().AddObject(band);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    FCurY += band.Height();
}
