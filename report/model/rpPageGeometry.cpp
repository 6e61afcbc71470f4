#include "rpPageGeometry.h"

#include "rpPages.h"
#include "rpProperty.h"

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"

#include <cmath>

namespace {

QString mm(double value) { return platform::FloatToStr(value) + QStringLiteral(" mm"); }

bool withinPaperLimit(double length)
{
    return std::isfinite(length) && length > 0 && length <= rpMaxPaperLength;
}

// A margin lies from 0 up to less than the side of the paper it is measured along.
QString marginProblem(const char* name, double margin, const char* side, double length)
{
    if (std::isfinite(margin) && margin >= 0 && margin < length)
        return {};
    return QStringLiteral("The %1 margin (%2) must be at least 0 mm and less than the paper %3 "
                          "(%4).")
        .arg(QLatin1String(name), std::isfinite(margin) ? mm(margin) : QStringLiteral("?"),
            QLatin1String(side), mm(length));
}

QString sideProblem(
    const char* first, double a, const char* second, double b, const char* side, double length)
{
    if (a + b < length)
        return {};
    return QStringLiteral("The %1 and %2 margins (%3 and %4) leave nothing to print on the "
                          "paper %5 (%6).")
        .arg(QLatin1String(first), QLatin1String(second), mm(a), mm(b), QLatin1String(side),
            mm(length));
}

} // namespace

TrpPageGeometry rpPageGeometry(const TrpReportPage& page)
{
    return {page.PaperWidth(), page.PaperHeight(), page.LeftMargin(), page.TopMargin(),
        page.RightMargin(), page.BottomMargin()};
}

QString rpPageGeometryProblem(const TrpPageGeometry& g)
{
    if (!withinPaperLimit(g.PaperWidth) || !withinPaperLimit(g.PaperHeight)) {
        const auto shown = [](double v) { return std::isfinite(v) ? mm(v) : QStringLiteral("?"); };
        return QStringLiteral("The paper size (%1 × %2) must be more than 0 and at most %3 on "
                              "each side.")
            .arg(shown(g.PaperWidth), shown(g.PaperHeight), mm(rpMaxPaperLength));
    }
    for (const QString& problem : {
             marginProblem("left", g.LeftMargin, "width", g.PaperWidth),
             marginProblem("right", g.RightMargin, "width", g.PaperWidth),
             marginProblem("top", g.TopMargin, "height", g.PaperHeight),
             marginProblem("bottom", g.BottomMargin, "height", g.PaperHeight),
             sideProblem("left", g.LeftMargin, "right", g.RightMargin, "width", g.PaperWidth),
             sideProblem("top", g.TopMargin, "bottom", g.BottomMargin, "height", g.PaperHeight),
         }) {
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

void rpCheckPageGeometry(const TrpPageGeometry& geometry)
{
    if (QString problem = rpPageGeometryProblem(geometry); !problem.isEmpty())
        throw platform::Exception(std::move(problem));
}

TrpSheetGeometry::TrpSheetGeometry(QPoint dpi, QSize sheet, QPoint offset, QSize printable)
    : FDpi(dpi), FSheet(sheet), FOffset(offset), FPrintable(printable)
{
}

TrpSheetGeometry TrpSheetGeometry::withBorder(QPoint dpi, QSize sheet, const QMarginsF& borderMm)
{
    TrpSheetGeometry g(dpi, sheet, {}, {});
    g.FOffset = QPoint(g.ToDotsX(borderMm.left()), g.ToDotsY(borderMm.top()));
    g.FPrintable = QSize(sheet.width() - g.FOffset.x() - g.ToDotsX(borderMm.right()),
        sheet.height() - g.FOffset.y() - g.ToDotsY(borderMm.bottom()));
    return g;
}

namespace {

double wholeMillimetres(int dots, int dpi) { return double(rpRound(double(dots) / dpi * 25.4)); }

} // namespace

TrpPageGeometry TrpSheetGeometry::Paper() const
{
    TrpPageGeometry g;
    g.PaperHeight = wholeMillimetres(FSheet.height(), FDpi.y());
    g.PaperWidth = wholeMillimetres(FSheet.width(), FDpi.x());
    g.LeftMargin = wholeMillimetres(FOffset.x(), FDpi.x());
    g.TopMargin = wholeMillimetres(FOffset.y(), FDpi.y());
    g.RightMargin = g.PaperWidth - wholeMillimetres(FPrintable.width(), FDpi.x()) - g.LeftMargin;
    g.BottomMargin = g.PaperHeight - wholeMillimetres(FPrintable.height(), FDpi.y()) - g.TopMargin;
    return g;
}

TrpDeviceMapping TrpSheetGeometry::Mapping(double x, double y, double kx, double ky) const
{
    const TrpPageGeometry paper = Paper();
    return {ReportScaleX() * kx, ReportScaleY() * ky, ToDeviceX(x - paper.LeftMargin),
        ToDeviceY(y - paper.TopMargin)};
}
