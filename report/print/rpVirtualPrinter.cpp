#include "rpVirtualPrinter.h"

#include "report/model/rpPaper.h"
#include "report/model/rpRes.h"

#include <utility>

namespace {

constexpr double virtualBorder = 5;
constexpr int virtualDpi = 600;

} // namespace

TrpVirtualPrinter::TrpVirtualPrinter()
    : TrpCustomPrinter(rpGet(QStringLiteral("prtVirtual")), QString())
{
}

void TrpVirtualPrinter::Init()
{
    if (FInitialized)
        return;
    for (int code : rpPaperCodes())
        FPapers.append({QString(), code});
    FDefPaper = rpPaperA4;
    FDefPaperWidth = 210;
    FDefPaperHeight = 297;
    FDefOrientation = poPortrait;
    SetViewParams(FDefPaper, FDefPaperWidth, FDefPaperHeight, FDefOrientation);
    FInitialized = true;
}

void TrpVirtualPrinter::SetViewParams(
    int paper, double width, double height, TrpPrinterOrientation orientation)
{
    if (const auto size = rpGetPaperDimensions(paper)) {
        width = size->width;
        height = size->height;
        if (orientation == poLandscape)
            std::swap(width, height);
    } else {
        paper = rpCustomPaper;
    }
    FGeometry = {width, height, virtualBorder, virtualBorder, virtualBorder, virtualBorder};
    const TrpSheetGeometry at600({virtualDpi, virtualDpi}, {}, {}, {});
    FSheet = TrpSheetGeometry::withBorder(at600.Dpi(),
        QSize(at600.ToDotsX(width), at600.ToDotsY(height)),
        QMarginsF(virtualBorder, virtualBorder, virtualBorder, virtualBorder));
    FPaper = paper;
    FOrientation = orientation;
}

void TrpVirtualPrinter::SetPrintParams(const TrpPrintParams& params)
{
    SetViewParams(params.Paper, params.Width, params.Height, params.Orientation);
}
