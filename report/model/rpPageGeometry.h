#pragma once

#include "rpUnits.h"

#include <QMarginsF>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class TrpReportPage;

// A page's paper and margins in millimetres.
struct TrpPageGeometry {
    double PaperWidth = 0;
    double PaperHeight = 0;
    double LeftMargin = 0;
    double TopMargin = 0;
    double RightMargin = 0;
    double BottomMargin = 0;

    // What the margins leave of the paper, in millimetres.
    double PrintableWidth() const { return PaperWidth - LeftMargin - RightMargin; }
    double PrintableHeight() const { return PaperHeight - TopMargin - BottomMargin; }
};

TrpPageGeometry rpPageGeometry(const TrpReportPage& page);

// Whether a page of this paper and these margins can be drawn and printed, checked wherever
// a paper size or a margin comes in (the settings file, the page-settings dialog, the
// calibration, a prepared-report file). The paper must be longer than nothing and at most
// five metres on each side; each margin from 0 up to less than the paper's side it lies on;
// and the two margins of a side must leave something to print between them, so that a
// typo such as 150 for 1,50 cm is refused instead of printing a blank certificate.
// Empty when the page is sound; otherwise the first fault in the engine's words.
QString rpPageGeometryProblem(const TrpPageGeometry& geometry);

// The same, thrown as platform::Exception with the fault as its message.
void rpCheckPageGeometry(const TrpPageGeometry& geometry);

// Report pixels on a device: device dots per report pixel and the device position of the
// paper's top-left corner. On a screen the zoom and where the page is shown; on a printer
// what its sheet makes of a page (TrpSheetGeometry::Mapping).
struct TrpDeviceMapping {
    double ScaleX = 1;
    double ScaleY = 1;
    double OffsetX = 0;
    double OffsetY = 0;

    // A length in report pixels from the paper's corner as a device coordinate, unrounded.
    double X(double pixels) const { return pixels * ScaleX + OffsetX; }
    double Y(double pixels) const { return pixels * ScaleY + OffsetY; }
    // The same for millimetres, through the engine's factor for report pixels (rp01cm).
    double MmX(double mm) const { return X(mm * rp01cm); }
    double MmY(double mm) const { return Y(mm * rp01cm); }
};

// A printer's sheet as its device reports it for one paper and orientation: the resolution,
// the whole sheet and the printable region, all in the device's own dots. The printer layer
// builds it once whenever the device changes and converts every length between millimetres,
// report pixels and dots through it, rounding to whole dots only with rpRound.
class TrpSheetGeometry {
public:
    TrpSheetGeometry() = default;
    // The printable region `offset` dots in from the sheet's corner and `printable` large.
    TrpSheetGeometry(QPoint dpi, QSize sheet, QPoint offset, QSize printable);
    // The printable region that a border in millimetres leaves of the sheet, each side of
    // the border in whole dots.
    static TrpSheetGeometry withBorder(QPoint dpi, QSize sheet, const QMarginsF& borderMm);

    QPoint Dpi() const { return FDpi; }
    QSize Sheet() const { return FSheet; }
    // The physical offset: the printable region's corner from the sheet's corner.
    QPoint Offset() const { return FOffset; }
    QSize Printable() const { return FPrintable; }
    QRect PrintableRect() const { return {FOffset, FPrintable}; }

    // Millimetres as dots, unrounded and rounded (ties to even).
    double ToDeviceX(double mm) const { return mm * FDpi.x() / 25.4; }
    double ToDeviceY(double mm) const { return mm * FDpi.y() / 25.4; }
    int ToDotsX(double mm) const { return int(rpRound(ToDeviceX(mm))); }
    int ToDotsY(double mm) const { return int(rpRound(ToDeviceY(mm))); }
    // Device dots per report pixel (1/96 inch).
    double ReportScaleX() const { return FDpi.x() / 96.0; }
    double ReportScaleY() const { return FDpi.y() / 96.0; }

    // The sheet and its unprintable border in whole millimetres, as the engine keeps them:
    // each length rounded on its own (ties to even); the right and bottom borders are what
    // remains of the rounded paper after the rounded printable region and the rounded
    // offset. The resolution must not be 0.
    TrpPageGeometry Paper() const;

    // A page drawn from the printable region's corner with its paper's corner x, y
    // millimetres from the sheet's corner, stretched by kx, ky. The sheet's corner counts
    // from the offset in whole millimetres (Paper), as the engine knows it, so a page lands
    // up to half a millimetre off where the device's exact offset would put it.
    TrpDeviceMapping Mapping(double x, double y, double kx = 1, double ky = 1) const;

private:
    QPoint FDpi;
    QSize FSheet;
    QPoint FOffset;
    QSize FPrintable;
};
