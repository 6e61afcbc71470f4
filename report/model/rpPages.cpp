#include "rpPages.h"

#include "rpPaper.h"
#include "rpPrinterDefaults.h"
#include "rpPublish.h"

#include <utility>

RP_CLASS_INFO(TrpPage, TrpComponent)
RP_CLASS_INFO(TrpDataPage, TrpPage)
RP_CLASS_INFO(TrpReportPage, TrpPage)

TrpDataPage::TrpDataPage(TrpComponent* owner) : TrpPage(owner)
{
    FWidth = 1000;
    FHeight = 1000;
}

void TrpDataPage::publishOwn(TrpPropertyList& list) { publishBounds(list); }

TrpReportPage::TrpReportPage(TrpComponent* owner) : TrpPage(owner) { deriveSize(); }

void TrpReportPage::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpReportPage;
    const auto flag = [&list](const char* name, bool C::*field) {
        list.append(rpField<C>(
            name, T::Bool, [field](C & c) -> auto& { return c.*field; }));
    };
    const auto number = [&list](const char* name, int C::*field) {
        list.append(rpField<C>(
            name, T::Int, [field](C & c) -> auto& { return c.*field; }));
    };
    const auto length = [&list](const char* name, double C::*field) {
        list.append(rpField<C>(
            name, T::Float, [field](C & c) -> auto& { return c.*field; }));
    };
    const auto margin = [&list](const char* name, double C::*field) {
        TrpProperty p = rpField<C>(
            name, T::Float, [field](C & c) -> auto& { return c.*field; });
        p.limit = rpMaxPaperLength;
        list.append(std::move(p));
    };
    // Raw paper setters: the size follows the paper, nothing else changes.
    const auto paper = [&list](const char* name, double C::*field) {
        TrpProperty p = rpField<C>(
            name, T::Float, [field](C & c) -> auto& { return c.*field; });
        p.set = [field](TrpComponent& o, const QVariant& v) {
            auto& page = static_cast<C&>(o);
            page.*field = v.toDouble();
            page.deriveSize();
        };
        p.copy = {}; // the size must follow
        p.limit = rpMaxPaperLength;
        list.append(std::move(p));
    };
    list.append(rpField<C>("Orientation", T::Enum, [](C & c) -> auto& { return c.FOrientation; },
        {"poPortrait", "poLandscape"}));
    paper("PaperWidth", &C::FPaperWidth);
    paper("PaperHeight", &C::FPaperHeight);
    number("PaperSize", &C::FPaperSize);
    margin("LeftMargin", &C::FLeftMargin);
    margin("RightMargin", &C::FRightMargin);
    margin("TopMargin", &C::FTopMargin);
    margin("BottomMargin", &C::FBottomMargin);
    flag("MirrorMargins", &C::FMirrorMargins);
    list.append(rpField<C>(
        "Color", T::Color, [](C & c) -> auto& { return c.FColor; }));
    rpPublishFrame<C>(
        list, [](C & c) -> auto& { return c.FFrame; });
    list.append(rpField<C>(
        "BackPicture", T::String, [](C & c) -> auto& { return c.FBackPicture; }));
    flag("BackPictureVisible", &C::FBackPictureVisible);
    flag("BackPicturePrintable", &C::FBackPicturePrintable);
    number("PageCount", &C::FPageCount);
    number("Bin", &C::FBin);
    number("BinOtherPages", &C::FBinOtherPages);
    number("Columns", &C::FColumns);
    length("ColumnWidth", &C::FColumnWidth);
    list.append(rpField<C>(
        "DataSet", T::String, [](C & c) -> auto& { return c.FDataSet; }));
    flag("EndlessWidth", &C::FEndlessWidth);
    flag("EndlessHeight", &C::FEndlessHeight);
    flag("PrintIfEmpty", &C::FPrintIfEmpty);
    flag("PrintOnPreviousPage", &C::FPrintOnPreviousPage);
    flag("ResetPageNumbers", &C::FResetPageNumbers);
    flag("TitleBeforeHeader", &C::FTitleBeforeHeader);
    list.append(rpField<C>("Duplex", T::Enum, [](C & c) -> auto& { return c.FDuplex; },
        {"dmNone", "dmVertical", "dmHorizontal", "dmSimplex"}));
}

void TrpReportPage::deriveSize()
{
    FWidth = static_cast<double>(rpRound(FPaperWidth * rp01cm));
    FHeight = static_cast<double>(rpRound(FPaperHeight * rp01cm));
}

void TrpReportPage::SetPaperWidth(double value)
{
    FPaperWidth = rpRoundTo8(value);
    FPaperSize = rpCustomPaper;
    deriveSize();
}

void TrpReportPage::SetPaperHeight(double value)
{
    FPaperHeight = rpRoundTo8(value);
    FPaperSize = rpCustomPaper;
    deriveSize();
}

void TrpReportPage::SetPaperSize(int value)
{
    FPaperSize = value;
    if (value >= rpCustomPaper)
        return;
    if (const auto paper = rpGetPaperDimensions(value)) {
        FPaperWidth = paper->width;
        FPaperHeight = paper->height;
        if (FOrientation == poLandscape)
            std::swap(FPaperWidth, FPaperHeight);
        deriveSize();
    }
}

void TrpReportPage::SetOrientation(TrpPrinterOrientation value)
{
    if (value == FOrientation)
        return;
    std::swap(FPaperWidth, FPaperHeight);
    const double left = FLeftMargin;
    const double right = FRightMargin;
    const double top = FTopMargin;
    const double bottom = FBottomMargin;
    if (value == poLandscape) {
        FLeftMargin = top;
        FRightMargin = bottom;
        FTopMargin = right;
        FBottomMargin = left;
    } else {
        FLeftMargin = bottom;
        FRightMargin = top;
        FTopMargin = left;
        FBottomMargin = right;
    }
    FOrientation = value;
    deriveSize();
}

void TrpReportPage::SetDefaults(const TrpPrinterDefaults& printer)
{
    const bool landscape = printer.Orientation == poLandscape;
    SetOrientation(printer.Orientation);
    if (rpGetPaperDimensions(printer.PaperCode)) {
        SetPaperSize(printer.PaperCode);
    } else {
        SetPaperWidth(landscape ? printer.PaperHeight : printer.PaperWidth);
        SetPaperHeight(landscape ? printer.PaperWidth : printer.PaperHeight);
    }
    FLeftMargin = 10;
    FRightMargin = 10;
    FTopMargin = 10;
    FBottomMargin = 10;
}

void TrpReportPage::AlignChildren()
{
    TrpPage::AlignChildren();
    deriveSize();
}
