#pragma once

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
