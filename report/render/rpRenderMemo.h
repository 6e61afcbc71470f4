#pragma once

#include "platform/core/Canvas.h"

#include <QString>
#include <QStringList>

class TrpCustomMemoView;

// What a page's drawing hands to each text object.
struct TrpMemoDrawContext {
    int PageCount = 1;
    QString CopyName;
    // 1 unless the object is being printed by a job that scales its pages.
    double PrintScale = 1;
};

// Draws a text object: its lines broken on the reference font, fitted onto the device,
// clipped to its text rectangle when Clipped. Offsets are those of the printable area.
void rpDrawMemo(const TrpCustomMemoView& memo, platform::Canvas& canvas, double scaleX,
    double scaleY, double offsetX, double offsetY, const TrpMemoDrawContext& context);

// The text rectangle inside the object's frame and gaps; right and bottom exclusive.
QRect rpMemoTextRect(
    const TrpCustomMemoView& memo, double scaleX, double scaleY, double offsetX, double offsetY);

// How many lines the text takes in the object, broken as drawing breaks them.
int rpMemoLineCount(const TrpCustomMemoView& memo, const QStringList& lines);

// The characters of the text that the object's font has no glyph for, each once: they would
// print as the face's empty box.
QString rpMemoMissingCharacters(const TrpCustomMemoView& memo, const QStringList& lines);
