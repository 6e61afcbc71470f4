#pragma once

#include <QRect>
#include <QSize>

#include <vector>

// One page of the preview's layout: its size in screen pixels at the current zoom and the
// position of its top-left corner in the scrollable area.
struct TrpPageItem {
    int Width = 0;
    int Height = 0;
    int OffsetX = 0;
    int OffsetY = 0;
};

// The layout of the prepared pages in the preview: pages in rows, left to right, each row
// centred in the usable width, 10 pixels between pages and around them.
class TrpPageList {
public:
    void Clear();
    // Appends a page of the given size (already at the zoom).
    void AddPage(int width, int height);
    // Places the pages in rows for a usable width.
    void CalcBounds(int usableWidth);

    int Count() const { return static_cast<int>(FItems.size()); }
    const TrpPageItem& Item(int index) const { return FItems[static_cast<size_t>(index)]; }
    QRect PageRect(int index) const;
    // The scrollable extent: the widest row and the bottom of the last page, each plus 10.
    QSize ScrollRange() const;
    // The page at a vertical scroll offset: the first one whose bottom lies below it; the
    // last page when none does, and -1 without pages.
    int FindPage(int offsetY) const;
    // The page under a point of the scrollable area, or -1.
    int PageAt(QPoint point) const;

private:
    std::vector<TrpPageItem> FItems;
    int FMaxWidth = 0;
};
