#include "Canvas.h"

namespace platform {

Canvas::Canvas(const QRect& bounds) : FBounds(bounds), FClip(bounds) { }

void Canvas::setClipRegion(const QRegion& region)
{
    FClip = region;
    clipChanged();
}

void Canvas::intersectClipRect(const QRect& rect)
{
    FClip = FClip.intersected(rect);
    clipChanged();
}

} // namespace platform
