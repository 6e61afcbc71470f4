#pragma once

#include "rpPageList.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QSet>

class TrpPreviewPages;

// The scrollable page area of the preview: lays the prepared pages out in rows at the zoom
// and paints those near the view through the renderer. The thumbnail panel is a second one
// at zoom 0.1 that writes the page numbers.
class TrpPreviewWorkspace : public QAbstractScrollArea {
    Q_OBJECT

public:
    static inline const QColor kBackground {128, 128, 128};
    static inline const QColor kFrame {96, 96, 96};
    static inline const QColor kActiveFrame {255, 199, 60};
    static constexpr int kSmallStep = 8;
    static constexpr int kLargeStep = 300;
    static constexpr int kWheelStep = 20;

    explicit TrpPreviewWorkspace(bool thumbnail, QWidget* parent = nullptr);

    void SetPreviewPages(TrpPreviewPages* pages) { FPages = pages; }
    double Zoom() const { return FZoom; }
    void SetZoom(double zoom) { FZoom = zoom; }
    int PageNo() const { return FPageNo; }
    // Repaints the frames when the number changes.
    void SetPageNo(int pageNo);
    void SetLocked(bool locked) { FLocked = locked; }

    // The page area's width less the vertical scroll bar and 26 pixels.
    int UsableWidth() const;
    // The pages are new (prepared, loaded or replaced): a page that failed to draw is tried
    // again.
    void PagesReplaced() { FFailedPages.clear(); }
    // Rebuilds the layout at the zoom from the first `limit` pages (all when negative).
    void UpdatePages(int limit = -1);
    const TrpPageList& PageList() const { return FList; }
    QPoint ScrollOffset() const;
    // Scrolls so that the page's top lies 10 pixels below the top of the view.
    void ScrollToPage(int pageNo);
    // Scrolls the least needed to show a rectangle of the scrollable area with a margin.
    void ScrollIntoView(const QRect& rect, int margin);

    // The search hit, in report pixels of its page; marked by inverting it.
    void SetFound(int pageIndex, const QRect& reportRect);
    void ClearFound();
    int FoundPage() const { return FFoundPage; }
    // The hit's rectangle in the scrollable area.
    QRect FoundArea() const;

Q_SIGNALS:
    void PageClicked(int pageNo);
    void TopPageChanged(int pageNo);
    void ZoomStep(int steps);
    void DoubleClicked();
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void updateScrollBars();
    void paintPages(const QRect& view);
    void paintMarks(const QRect& view);

    bool FThumbnail;
    TrpPreviewPages* FPages = nullptr;
    TrpPageList FList;
    double FZoom = 1.0;
    int FPageNo = 1;
    bool FLocked = false;
    bool FScrolling = false;
    int FFoundPage = -1;
    QRect FFoundRect;
    bool FDragging = false;
    bool FDragMoved = false;
    QPoint FDragStart;
    QPoint FDragOffset;
    // Pages whose drawing failed since the pages were last replaced.
    QSet<int> FFailedPages;
};
