#pragma once

#include "rpUnits.h"

#include <QString>

// Enumerations and value types of the report model. Sets are bit masks over their
// enumeration (bit n for the member of value n).

enum TrpFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum TrpFrameType { ftLeft, ftRight, ftTop, ftBottom };
enum TrpFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble };
enum TrpBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TrpVisibilityType { vsPreview, vsExport, vsPrint };
enum TrpAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
enum TrpShiftMode { smDontShift, smAlways, smWhenOverlapped };
enum TrpStretchMode { smDontStretch, smActualHeight, smMaxHeight };
enum TrpHAlign { haLeft, haRight, haCenter, haBlock };
enum TrpVAlign { vaTop, vaBottom, vaCenter };
enum TrpShapeKind {
    skRectangle,
    skRoundRectangle,
    skEllipse,
    skTriangle,
    skDiamond,
    skDiagonal1,
    skDiagonal2
};
enum TrpPrinterOrientation { poPortrait, poLandscape };
enum TrpDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };
enum TrpFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };
enum TrpPreviewButton {
    pbPrint,
    pbLoad,
    pbSave,
    pbExport,
    pbZoom,
    pbFind,
    pbOutline,
    pbPageSetup,
    pbTools,
    pbEdit,
    pbNavigator,
    pbExportQuick,
    pbNoClose,
    pbNoFullScreen,
    pbNoEmail
};
enum TrpZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
enum TrpPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
enum TrpPrintPages { ppAll, ppOdd, ppEven };
enum TrpSilentMode { simMessageBoxes, simSilent, simReThrow };

constexpr int rpBit(int member) { return 1 << member; }

// A font: height in pixels at 96 per inch (negative: character height without internal
// leading), style set, character set, colour and name.
struct TrpFont {
    QString Name = QStringLiteral("Arial");
    int Height = -13; // 10 points
    int Style = 0;
    int Charset = rpCharset;
    quint32 Color = clBlack;

    // The whole point size drawing uses: -Height * 72 / 96, halves away from zero.
    int Size() const;
    // Height for a whole point size, halves away from zero.
    void SetSize(int points);

    bool operator==(const TrpFont&) const = default;
};

struct TrpFrameLine {
    quint32 Color = clBlack;
    TrpFrameStyle Style = fsSolid;
    double Width = 1;

    bool operator==(const TrpFrameLine&) const = default;
};

// The border of a view; with no side in Typ nothing is drawn.
struct TrpFrame {
    int Typ = 0;
    quint32 Color = clBlack;
    double Width = 1;
    TrpFrameStyle Style = fsSolid;
    bool DropShadow = false;
    double ShadowWidth = 4;
    quint32 ShadowColor = clBlack;
    TrpFrameLine LeftLine;
    TrpFrameLine TopLine;
    TrpFrameLine RightLine;
    TrpFrameLine BottomLine;

    bool operator==(const TrpFrame&) const = default;
};

// The fill of a view; its back colour is the view's Color.
struct TrpBrushFill {
    quint32 BackColor = clTransparent;
    quint32 ForeColor = clBlack;
    TrpBrushStyle Style = bsSolid;

    bool operator==(const TrpBrushFill&) const = default;
};
