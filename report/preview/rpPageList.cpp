#include "rpPageList.h"

#include <algorithm>

namespace {

constexpr int kGap = 10;

} // namespace

void TrpPageList::Clear()
{
    FItems.clear();
    FMaxWidth = 0;
}

void TrpPageList::AddPage(int width, int height) { FItems.push_back({width, height, 0, 0}); }

void TrpPageList::CalcBounds(int usableWidth)
{
    FMaxWidth = 0;
    int y = kGap;
    size_t rowStart = 0;
    int x = 0;
    int rowHeight = 0;
    const auto finishRow = [&](size_t rowEnd) {
        // x is the row's width with the gap after its last page.
        const int shift = std::max((usableWidth - x + kGap) / 2, 0) + kGap;
        for (size_t i = rowStart; i < rowEnd; ++i)
            FItems[i].OffsetX += shift;
        if (rowEnd > rowStart) {
            const TrpPageItem& last = FItems[rowEnd - 1];
            FMaxWidth = std::max(FMaxWidth, last.OffsetX + last.Width);
        }
    };
    for (size_t i = 0; i < FItems.size(); ++i) {
        TrpPageItem& item = FItems[i];
        if (i > rowStart && x + item.Width > usableWidth) {
            finishRow(i);
            y += rowHeight + kGap;
            rowStart = i;
            x = 0;
            rowHeight = 0;
        }
        item.OffsetX = x;
        item.OffsetY = y;
        x += item.Width + kGap;
        rowHeight = std::max(rowHeight, item.Height);
    }
    finishRow(FItems.size());
}

QRect TrpPageList::PageRect(int index) const
{
    const TrpPageItem& item = Item(index);
    return QRect(item.OffsetX, item.OffsetY, item.Width, item.Height);
}

QSize TrpPageList::ScrollRange() const
{
    if (FItems.empty())
        return QSize(0, 0);
    const TrpPageItem& last = FItems.back();
    return QSize(FMaxWidth + kGap, last.OffsetY + last.Height + kGap);
}

int TrpPageList::FindPage(int offsetY) const
{
    for (int i = 0; i < Count(); ++i) {
        const TrpPageItem& item = Item(i);
        if (item.OffsetY + item.Height > offsetY)
            return i;
    }
    return Count() - 1;
}

int TrpPageList::PageAt(QPoint point) const
{
    for (int i = 0; i < Count(); ++i) {
        if (PageRect(i).contains(point))
            return i;
    }
    return -1;
}
