#pragma once

#include "rpComponent.h"

struct TrpPrinterDefaults;

// A page of the report.
class TrpPage : public TrpComponent {
public:
    using TrpComponent::TrpComponent;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList&) { }
    QString BaseName() const override { return QStringLiteral("Page"); }
};

// A page for non-printing data objects; preparation ignores it.
class TrpDataPage : public TrpPage {
public:
    explicit TrpDataPage(TrpComponent* owner = nullptr);
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);
};

// A printable page with paper geometry. Paper and margins are in millimetres; the page's
// Width and Height (report pixels) follow the paper. Objects count their Left/Top from the
// corner of the margins. A page created in code is A4 portrait with zero margins.
class TrpReportPage : public TrpPage {
public:
    explicit TrpReportPage(TrpComponent* owner = nullptr);
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    double PaperWidth() const { return FPaperWidth; }
    double PaperHeight() const { return FPaperHeight; }
    // Rounded to 8 decimals; the paper becomes custom (256).
    virtual void SetPaperWidth(double value);
    virtual void SetPaperHeight(double value);
    int PaperSize() const { return FPaperSize; }
    // A standard code takes the table's size, turned for landscape; other codes keep the size.
    virtual void SetPaperSize(int value);
    TrpPrinterOrientation Orientation() const { return FOrientation; }
    // Turns the paper and rotates the margins with it.
    void SetOrientation(TrpPrinterOrientation value);

    // Plain lengths: no range check, nothing moves until the page is next prepared.
    double LeftMargin() const { return FLeftMargin; }
    double RightMargin() const { return FRightMargin; }
    double TopMargin() const { return FTopMargin; }
    double BottomMargin() const { return FBottomMargin; }
    void SetLeftMargin(double value) { FLeftMargin = value; }
    void SetRightMargin(double value) { FRightMargin = value; }
    void SetTopMargin(double value) { FTopMargin = value; }
    void SetBottomMargin(double value) { FBottomMargin = value; }
    bool MirrorMargins() const { return FMirrorMargins; }
    void SetMirrorMargins(bool value) { FMirrorMargins = value; }

    TrpFrame& Frame() { return FFrame; }
    const TrpFrame& Frame() const { return FFrame; }
    quint32 Color() const { return FColor; }
    bool BackPictureVisible() const { return FBackPictureVisible; }
    bool BackPicturePrintable() const { return FBackPicturePrintable; }
    int PageCount() const { return FPageCount; }
    int Bin() const { return FBin; }
    int BinOtherPages() const { return FBinOtherPages; }
    TrpDuplexMode Duplex() const { return FDuplex; }

    // The printable area: the paper less the margins, in report pixels. The engine's page
    // area, the area children align in and the drawn page background all take it from here.
    double PrintableWidth() const { return (FPaperWidth - FLeftMargin - FRightMargin) * rp01cm; }
    double PrintableHeight() const { return (FPaperHeight - FTopMargin - FBottomMargin) * rp01cm; }

    // Margins of 10 mm, paper and orientation of the default printer, as its caller knows
    // them (a printer's DefPaper, DefPaperWidth, DefPaperHeight and DefOrientation).
    virtual void SetDefaults(const TrpPrinterDefaults& printer);
    void AlignChildren() override;

protected:
    double ClientWidth() const override { return PrintableWidth(); }
    double ClientHeight() const override { return PrintableHeight(); }

private:
    void deriveSize();

    double FPaperWidth = 210;
    double FPaperHeight = 297;
    int FPaperSize = 9;
    TrpPrinterOrientation FOrientation = poPortrait;
    double FLeftMargin = 0;
    double FRightMargin = 0;
    double FTopMargin = 0;
    double FBottomMargin = 0;
    bool FMirrorMargins = false;
    quint32 FColor = clTransparent;
    TrpFrame FFrame;
    QString FBackPicture;
    bool FBackPictureVisible = true;
    bool FBackPicturePrintable = true;
    int FPageCount = 1;
    int FBin = 7;
    int FBinOtherPages = 7;
    int FColumns = 0;
    double FColumnWidth = 0;
    QString FDataSet;
    bool FEndlessWidth = false;
    bool FEndlessHeight = false;
    bool FPrintIfEmpty = true;
    bool FPrintOnPreviousPage = false;
    bool FResetPageNumbers = false;
    bool FTitleBeforeHeader = true;
    TrpDuplexMode FDuplex = dmNone;
};
