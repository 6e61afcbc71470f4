#include "rpPreviewWorkspace.h"

#include "report/engine/rpPreviewPages.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/QPainterCanvas.h"

#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// Only pages this near the page at the top of the view are considered for painting.
constexpr int kPagesBefore = 60;
constexpr int kPagesAfter = 340;
constexpr double kThumbnailZoom = 0.1;

int scaled(int length, double zoom) { return static_cast<int>(std::nearbyint(length * zoom)); }

} // namespace

TrpPreviewWorkspace::TrpPreviewWorkspace(bool thumbnail, QWidget* parent)
    : QAbstractScrollArea(parent), FThumbnail(thumbnail)
{
    if (FThumbnail)
        FZoom = kThumbnailZoom;
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(kSmallStep);
    horizontalScrollBar()->setSingleStep(kSmallStep);
}

void TrpPreviewWorkspace::SetPageNo(int pageNo)
{
    if (pageNo == FPageNo)
        return;
    FPageNo = pageNo;
    viewport()->update();
}

int TrpPreviewWorkspace::UsableWidth() const
{
    return width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 26;
}

void TrpPreviewWorkspace::UpdatePages(int limit)
{
    FList.Clear();
    if (FPages) {
        const int count = limit < 0 ? FPages->Count() : std::min(limit, FPages->Count());
        for (int i = 0; i < count; ++i) {
            const QSize size = FPages->GetPageSize(i);
            FList.AddPage(scaled(size.width(), FZoom), scaled(size.height(), FZoom));
        }
    }
    FList.CalcBounds(UsableWidth());
    updateScrollBars();
    viewport()->update();
}

void TrpPreviewWorkspace::updateScrollBars()
{
    const QSize range = FList.ScrollRange();
    const QSize view = viewport()->size();
    const bool wasScrolling = FScrolling;
    FScrolling = true;
    horizontalScrollBar()->setRange(0, std::max(0, range.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, range.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    FScrolling = wasScrolling;
}

QPoint TrpPreviewWorkspace::ScrollOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TrpPreviewWorkspace::ScrollToPage(int pageNo)
{
    if (pageNo < 1 || pageNo > FList.Count())
        return;
    const bool wasScrolling = FScrolling;
    FScrolling = true;
    verticalScrollBar()->setValue(FList.Item(pageNo - 1).OffsetY - 10);
    FScrolling = wasScrolling;
}

void TrpPreviewWorkspace::ScrollIntoView(const QRect& rect, int margin)
{
    const QRect wanted = rect.adjusted(-margin, -margin, margin, margin);
    const QRect view(ScrollOffset(), viewport()->size());
    const auto shift = [](int viewStart, int viewLength, int start, int end) {
        if (start < viewStart)
            return start;
        if (end > viewStart + viewLength)
            return std::min(start, end - viewLength);
        return viewStart;
    };
    const bool wasScrolling = FScrolling;
    FScrolling = true;
    horizontalScrollBar()->setValue(
        shift(view.left(), view.width(), wanted.left(), wanted.right() + 1));
    verticalScrollBar()->setValue(
        shift(view.top(), view.height(), wanted.top(), wanted.bottom() + 1));
    FScrolling = wasScrolling;
}

void TrpPreviewWorkspace::SetFound(int pageIndex, const QRect& reportRect)
{
    FFoundPage = pageIndex;
    FFoundRect = reportRect;
    viewport()->update();
}

void TrpPreviewWorkspace::ClearFound()
{
    FFoundPage = -1;
    FFoundRect = QRect();
    viewport()->update();
}

QRect TrpPreviewWorkspace::FoundArea() const
{
    if (FFoundPage < 0 || FFoundPage >= FList.Count())
        return QRect();
    const TrpPageItem& item = FList.Item(FFoundPage);
    const int left = item.OffsetX + scaled(FFoundRect.left(), FZoom);
    const int top = item.OffsetY + scaled(FFoundRect.top(), FZoom);
    const int right = item.OffsetX + scaled(FFoundRect.left() + FFoundRect.width(), FZoom);
    const int bottom = item.OffsetY + scaled(FFoundRect.top() + FFoundRect.height(), FZoom);
    // A little room around the text, so the mark is seen around thin characters too.
    return QRect(QPoint(left - 1, top - 1), QPoint(right, bottom));
}

void TrpPreviewWorkspace::paintEvent(QPaintEvent*)
{
    const QRect view = viewport()->rect();
    paintPages(view);
    platform::runGuardedReportLater([&] { paintMarks(view); });
}

void TrpPreviewWorkspace::paintPages(const QRect& view)
{
    platform::QPainterCanvas canvas(*viewport());
    canvas.fillRect(view, kBackground);
    if (FLocked || !FPages || FList.Count() == 0)
        return;
    const QPoint offset = ScrollOffset();
    const int top = FList.FindPage(offset.y());
    const int first = std::max(0, top - kPagesBefore);
    const int last = std::min(FList.Count() - 1, top + kPagesAfter);
    for (int i = first; i <= last; ++i) {
        const QRect page = FList.PageRect(i).translated(-offset);
        if (!page.adjusted(-2, -2, 2, 2).intersects(view))
            continue;
        canvas.setPen(platform::CanvasPen {kFrame, 1, Qt::SolidLine});
        canvas.setBrush(QColor(Qt::white));
        canvas.rectangle(page.adjusted(0, 0, 0, -1));
        canvas.intersectClipRect(page);
        // A page that cannot be drawn stays blank and is reported once, not at every
        // repaint, until other pages take its place.
        if (!FFailedPages.contains(i) && !platform::runGuardedReportLater([&] {
                FPages->DrawPage(i, canvas, FZoom, FZoom, page.left(), page.top());
            }))
            FFailedPages.insert(i);
        canvas.setClipRegion(view);
        if (i == FPageNo - 1) {
            const QRect outline = page.adjusted(-1, -1, 1, 1);
            canvas.setPen(platform::CanvasPen {kActiveFrame, 2, Qt::SolidLine});
            canvas.polyline({outline.topLeft(), QPoint(outline.right() + 1, outline.top()),
                QPoint(outline.right() + 1, outline.bottom() + 1),
                QPoint(outline.left(), outline.bottom() + 1), outline.topLeft()});
        }
    }
}

void TrpPreviewWorkspace::paintMarks(const QRect& view)
{
    if (FLocked || FList.Count() == 0)
        return;
    QPainter painter(viewport());
    const QPoint offset = ScrollOffset();
    if (FThumbnail) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(kBackground);
        const int ascent = painter.fontMetrics().ascent();
        for (int i = 0; i < FList.Count(); ++i) {
            const QRect page = FList.PageRect(i).translated(-offset);
            if (page.intersects(view))
                painter.drawText(page.topLeft() + QPoint(0, ascent), QString::number(i + 1));
        }
        return;
    }
    const QRect found = FoundArea().translated(-offset);
    if (found.isValid()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(found, Qt::black);
    }
}

void TrpPreviewWorkspace::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    Q_EMIT Resized();
}

void TrpPreviewWorkspace::scrollContentsBy(int, int dy)
{
    viewport()->update();
    if (dy != 0 && !FScrolling && FList.Count() > 0)
        Q_EMIT TopPageChanged(FList.FindPage(verticalScrollBar()->value()) + 1);
}

void TrpPreviewWorkspace::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        vertical->setValue(vertical->value() - kSmallStep);
        break;
    case Qt::Key_Down:
        vertical->setValue(vertical->value() + kSmallStep);
        break;
    case Qt::Key_Left:
        horizontal->setValue(horizontal->value() - kSmallStep);
        break;
    case Qt::Key_Right:
        horizontal->setValue(horizontal->value() + kSmallStep);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (ctrl) {
            // Paging with Ctrl belongs to the preview.
            event->ignore();
            return;
        }
        vertical->setValue(
            vertical->value() + (event->key() == Qt::Key_PageUp ? -kLargeStep : kLargeStep));
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void TrpPreviewWorkspace::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier)
        Q_EMIT ZoomStep(delta > 0 ? 1 : -1);
    else
        verticalScrollBar()->setValue(
            verticalScrollBar()->value() + (delta > 0 ? -kWheelStep : kWheelStep));
    event->accept();
}

void TrpPreviewWorkspace::mousePressEvent(QMouseEvent* event)
{
    if (FLocked || event->button() != Qt::LeftButton)
        return;
    FDragging = true;
    FDragMoved = false;
    FDragStart = event->position().toPoint();
    FDragOffset = ScrollOffset();
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void TrpPreviewWorkspace::mouseMoveEvent(QMouseEvent* event)
{
    if (FLocked || !FDragging)
        return;
    const QPoint delta = event->position().toPoint() - FDragStart;
    if (delta.manhattanLength() > 2)
        FDragMoved = true;
    horizontalScrollBar()->setValue(FDragOffset.x() - delta.x());
    verticalScrollBar()->setValue(FDragOffset.y() - delta.y());
}

void TrpPreviewWorkspace::mouseReleaseEvent(QMouseEvent* event)
{
    if (!FDragging || event->button() != Qt::LeftButton)
        return;
    FDragging = false;
    viewport()->unsetCursor();
    if (FLocked || FDragMoved)
        return;
    const int page = FList.PageAt(event->position().toPoint() + ScrollOffset());
    if (page >= 0)
        Q_EMIT PageClicked(page + 1);
}

void TrpPreviewWorkspace::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT DoubleClicked();
}
