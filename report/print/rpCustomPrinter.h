#pragma once

#include "rpDeviceMode.h"

#include "report/model/rpPageGeometry.h"
#include "report/model/rpTypes.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

namespace platform {
class Canvas;
}

struct TrpPrinterProperties;

// A printer's properties form (rpPrinterProperties.h), run modally on the properties; true
// on OK, with the operator's choice in them: what a printer shows when its driver brings no
// properties dialog of its own. The printer layer has no windows: whoever opens the dialog
// hands it in.
using TrpPropertiesDialog = std::function<bool(TrpPrinterProperties& properties)>;

// One entry of a printer's paper or source list.
struct TrpPrinterItem {
    QString Name;
    int Code = 0;
};

// A printer of the list: what the engine knows of it and the operations it prints with.
// Lengths are whole millimetres; LeftMargin/TopMargin are the physical offsets of the
// printable region, the corner from which the canvas draws.
class TrpCustomPrinter {
public:
    TrpCustomPrinter(QString name, QString port);
    virtual ~TrpCustomPrinter();
    TrpCustomPrinter(const TrpCustomPrinter&) = delete;
    TrpCustomPrinter& operator=(const TrpCustomPrinter&) = delete;

    virtual void Init() = 0;
    virtual void Abort() = 0;
    virtual void BeginDoc() = 0;
    virtual void BeginPage() = 0;
    virtual void EndDoc() = 0;
    virtual void EndPage() = 0;
    virtual void SetViewParams(
        int paper, double width, double height, TrpPrinterOrientation orientation)
        = 0;
    virtual void SetPrintParams(const TrpPrintParams& params) = 0;
    // The driver's properties dialog on the settings record, or the form handed in when the
    // driver has none: on OK, Bin takes the record's source and Duplex the record's duplex
    // when the operator changed it. Without either dialog nothing changes.
    virtual void PropertiesDlg(const TrpPropertiesDialog& dialog) = 0;
    // The drawing surface of the open document; none outside a document.
    virtual platform::Canvas* Canvas() = 0;

    const QString& Name() const { return FName; }
    const QString& Port() const { return FPort; }
    QPoint DPI() const { return FSheet.Dpi(); }
    // The sheet in the device's dots, and as the engine keeps it in whole millimetres.
    const TrpSheetGeometry& Sheet() const { return FSheet; }
    const TrpPageGeometry& Geometry() const { return FGeometry; }
    double PaperWidth() const { return FGeometry.PaperWidth; }
    double PaperHeight() const { return FGeometry.PaperHeight; }
    double LeftMargin() const { return FGeometry.LeftMargin; }
    double TopMargin() const { return FGeometry.TopMargin; }
    double RightMargin() const { return FGeometry.RightMargin; }
    double BottomMargin() const { return FGeometry.BottomMargin; }
    int Paper() const { return FPaper; }
    TrpPrinterOrientation Orientation() const { return FOrientation; }
    const QList<TrpPrinterItem>& Papers() const { return FPapers; }
    const QList<TrpPrinterItem>& Bins() const { return FBins; }
    int DefPaper() const { return FDefPaper; }
    double DefPaperWidth() const { return FDefPaperWidth; }
    double DefPaperHeight() const { return FDefPaperHeight; }
    TrpPrinterOrientation DefOrientation() const { return FDefOrientation; }
    int DefBin() const { return FChoice.DefBin; }
    int DefDuplex() const { return FChoice.DefDuplex; }
    bool Initialized() const { return FInitialized; }
    bool Printing() const { return FPrinting; }
    // Why the print service refused the last document handed to it; empty when it took the
    // document (or the document went into a file, or was aborted).
    const QString& Refusal() const { return FRefusal; }

    // Source and duplex as the driver's properties dialog leaves them; -1 = none chosen.
    int Bin() const { return FChoice.Bin; }
    int Duplex() const { return FChoice.Duplex; }
    void SetBin(int value) { FChoice.Bin = value; }
    void SetDuplex(int value) { FChoice.Duplex = value; }

    QString Title;
    QString FileName;

    int PaperIndex(int code) const;
    int PaperNameToNumber(const QString& name) const;
    int BinIndex(int code) const;
    int BinNameToNumber(const QString& name) const;

protected:
    // "Custom" (256) and "Default" (7) alone, the start of every printer's lists.
    void resetLists();

    QString FName;
    QString FPort;
    TrpSheetGeometry FSheet;
    TrpPageGeometry FGeometry;
    int FPaper = 0;
    TrpPrinterOrientation FOrientation = poPortrait;
    QList<TrpPrinterItem> FPapers;
    QList<TrpPrinterItem> FBins;
    int FDefPaper = 0;
    double FDefPaperWidth = 0;
    double FDefPaperHeight = 0;
    TrpPrinterOrientation FDefOrientation = poPortrait;
    TrpSourceChoice FChoice;
    bool FInitialized = false;
    bool FPrinting = false;
    QString FRefusal;
};
