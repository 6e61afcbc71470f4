#pragma once

#include "platform/core/Canvas.h"

#include <QPointF>

class TrpShapeView;
class TrpCustomLineView;

// The rectangle: outlined through both device corners with the frame's pen, filled with the
// view's colour. The program's reports use no other shape kind, and none other is drawn.
void rpDrawShape(const TrpShapeView& shape, platform::Canvas& canvas, double scaleX, double scaleY,
    double offsetX, double offsetY);

// A line with its arrow heads; a diagonal line runs corner to corner of its box, any other
// along its left edge (when at least as high as wide) or its top edge.
void rpDrawLine(const TrpCustomLineView& line, platform::Canvas& canvas, double scaleX,
    double scaleY, double offsetX, double offsetY);

// An arrow head with its tip at `tip` on the line from `shaftEnd`: the barbs lie `width` to
// either side of the point of the line `length` from the tip (on the shaft's side when the
// shaft is longer). Returns barb, tip, barb, unrounded.
QList<QPointF> rpArrowHead(QPointF tip, QPointF shaftEnd, double width, double length);
