#include "rpDrawPage.h"

#include "report/model/rpPageGeometry.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"
#include "rpRenderShape.h"
#include "rpRenderView.h"

#include <utility>

namespace {

// Objects whose rectangle, enlarged by this many pixels, misses the clip region are not
// drawn at all.
constexpr int kSlack = 20;

int whole(double value) { return int(rpRound(value)); }

void drawView(TrpView& view, platform::Canvas& canvas, double sx, double sy, double ox, double oy,
    const TrpDrawOptions& options)
{
    if (auto* memo = dynamic_cast<TrpCustomMemoView*>(&view)) {
        rpDrawMemo(*memo, canvas, sx, sy, ox, oy, options);
    } else if (auto* line = dynamic_cast<TrpCustomLineView*>(&view)) {
        rpDrawLine(*line, canvas, sx, sy, ox, oy);
    } else if (auto* shape = dynamic_cast<TrpShapeView*>(&view)) {
        rpDrawShape(*shape, canvas, sx, sy, ox, oy);
    } else {
        const TrpDrawState state = BeginDraw(view, canvas, sx, sy, ox, oy);
        DrawBackground(view, state);
        DrawFrame(view, state);
    }
}

} // namespace

void rpDrawPage(const TrpReportPage& page, int pageIndex, platform::Canvas& canvas, double ScaleX,
    double ScaleY, double OffsetX, double OffsetY, const TrpDrawOptions& options)
{
    const TrpDeviceMapping paper {ScaleX, ScaleY, OffsetX, OffsetY};
    // Mirrored margins exchange left and right on the even pages; the width between them
    // stays the same.
    const double leftMargin
        = page.MirrorMargins() && pageIndex % 2 == 1 ? page.RightMargin() : page.LeftMargin();

    const bool printer = canvas.isPrinter();
    const QRegion savedClip = canvas.clipRegion();
    if (!printer) {
        // Right and bottom as the paper's rounded edge minus one, exclusive.
        const int right = whole(paper.MmX(page.PaperWidth())) - 1;
        const int bottom = whole(paper.MmY(page.PaperHeight())) - 1;
        canvas.intersectClipRect(
            QRect(QPoint(whole(OffsetX), whole(OffsetY)), QPoint(right - 1, bottom - 1)));
    }

    // The printable area: the same scale, its corner at the margins.
    const TrpDeviceMapping area {
        ScaleX, ScaleY, paper.MmX(leftMargin), paper.MmY(page.TopMargin())};
    const double ox = area.OffsetX;
    const double oy = area.OffsetY;
    if (page.BackPictureVisible() && (!printer || page.BackPicturePrintable())) {
        const int x = whole(ox);
        const int y = whole(oy);
        const int x1 = whole(area.X(page.PrintableWidth()));
        const int y1 = whole(area.Y(page.PrintableHeight()));
        rpFillArea(canvas, page.Color(), x, y, x1, y1);
        rpFrameArea(canvas, page.Frame(), whole(page.Frame().Width * ScaleX), x, y, x1, y1);
    }

    const TrpVisibilityType needed = printer ? vsPrint : vsPreview;
    const QPoint origin(whole(ox), whole(oy));
    for (TrpComponent* object : page.AllObjects()) {
        auto* view = dynamic_cast<TrpView*>(object);
        if (!view || !(view->Visibility() & rpBit(needed)))
            continue;
        const double left = view->AbsLeft();
        const double top = view->AbsTop();
        const QRect reach(QPoint(whole(left * ScaleX) - kSlack, whole(top * ScaleY) - kSlack),
            QPoint(whole((left + view->Width()) * ScaleX + kSlack),
                whole((top + view->Height()) * ScaleY + kSlack)));
        if (!canvas.clipRegion().intersects(reach.translated(origin)))
            continue;
        drawView(*view, canvas, ScaleX, ScaleY, ox, oy, options);
    }

    if (!printer)
        canvas.setClipRegion(savedClip);
}
