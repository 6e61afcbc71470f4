#include "rpDeviceCaps.h"

#include "report/model/rpUnits.h"

namespace {

double wholeMillimetres(int dots, int dpi) { return double(rpRound(double(dots) / dpi * 25.4)); }

} // namespace

TrpPaperGeometry rpPaperGeometry(const TrpDeviceCaps& caps)
{
    TrpPaperGeometry g;
    g.PaperHeight = wholeMillimetres(caps.PhysicalHeight, caps.DpiY);
    g.PaperWidth = wholeMillimetres(caps.PhysicalWidth, caps.DpiX);
    g.LeftMargin = wholeMillimetres(caps.PhysicalOffsetX, caps.DpiX);
    g.TopMargin = wholeMillimetres(caps.PhysicalOffsetY, caps.DpiY);
    g.RightMargin = g.PaperWidth - wholeMillimetres(caps.HorzRes, caps.DpiX) - g.LeftMargin;
    g.BottomMargin = g.PaperHeight - wholeMillimetres(caps.VertRes, caps.DpiY) - g.TopMargin;
    return g;
}
