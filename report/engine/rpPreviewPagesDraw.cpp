#include "rpPreviewPages.h"

#include "report/model/rpPages.h"
#include "report/render/rpDrawPage.h"

void TrpPreviewPages::DrawPage(int index, platform::Canvas& canvas, double ScaleX, double ScaleY,
    double OffsetX, double OffsetY)
{
    const TrpReportPage* page = GetPage(index);
    if (!page)
        return;
    TrpDrawOptions options;
    options.PageCount = Count();
    options.PrintScale = FPrintScale;
    rpDrawPage(*page, index, canvas, ScaleX, ScaleY, OffsetX, OffsetY, options);
}
