#include "rpPrinter.h"

#include "rpPrinterProperties.h"

#include "report/model/rpPaper.h"
#include "report/model/rpRes.h"

#include "platform/core/MessageService.h"
#include "platform/core/QPainterCanvas.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr int maxListEntries = 256;
constexpr int paperNameLength = 64;
constexpr int binNameLength = 24;

int desktopPaperCode(const QPageSize& size)
{
    const int code = size.windowsId();
    return code > 0 ? code : rpCustomPaper;
}

int recordDuplex(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexLongSide:
        return TrpDeviceMode::dxVertical;
    case QPrinter::DuplexShortSide:
        return TrpDeviceMode::dxHorizontal;
    default:
        return TrpDeviceMode::dxSimplex;
    }
}

QPrinter::DuplexMode qtDuplex(int duplex)
{
    switch (duplex) {
    case TrpDeviceMode::dxVertical:
        return QPrinter::DuplexLongSide;
    case TrpDeviceMode::dxHorizontal:
        return QPrinter::DuplexShortSide;
    default:
        return QPrinter::DuplexNone;
    }
}

// Qt converts a layout's margins into another unit in whole points; the border must stay exact.
double millimetresPerUnit(QPageLayout::Unit unit)
{
    switch (unit) {
    case QPageLayout::Millimeter:
        return 1;
    case QPageLayout::Inch:
        return 25.4;
    case QPageLayout::Pica:
        return 12 * 25.4 / 72;
    case QPageLayout::Didot:
        return 1.07 * 25.4 / 72;
    case QPageLayout::Cicero:
        return 12.84 * 25.4 / 72;
    default:
        return 25.4 / 72;
    }
}

} // namespace

TrpPrinter::TrpPrinter(QString name, QString port)
    : TrpCustomPrinter(std::move(name), std::move(port))
{
}

TrpPrinter::~TrpPrinter() = default;

QPageSize TrpPrinter::pageSizeFor(int code) const
{
    for (const QPageSize& size : FPageSizes)
        if (size.windowsId() == code)
            return size;
    return QPageSize(QPageSize::id(code));
}

void TrpPrinter::Init()
{
    if (FInitialized)
        return;
    const QPrinterInfo info = QPrinterInfo::printerInfo(FName);
    if (info.isNull())
        return;
    FDriver = rpReadDriverFacts(FName);
    FPageSizes = info.supportedPageSizes();
    FPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // Qt prints at its own high resolution whatever the driver says; the engine places
    // every point at the driver's.
    if (FDriver.Resolution)
        FPrinter->setResolution(FDriver.Resolution->x());
    rpPlaceOriginAtSheetCorner(*FPrinter);

    const QPageSize defaultSize = info.defaultPageSize();
    const QSizeF defaultMm = defaultSize.size(QPageSize::Millimeter);
    FDefPaper = desktopPaperCode(defaultSize);
    FDefPaperWidth = defaultMm.width();
    FDefPaperHeight = defaultMm.height();
    FDefOrientation
        = FPrinter->pageLayout().orientation() == QPageLayout::Portrait ? poPortrait : poLandscape;
    FChoice.DefBin = TrpDeviceMode::AutoSource;
    for (const TrpDriverBin& bin : FDriver.Bins)
        if (bin.Key == FDriver.DefaultBinKey)
            FChoice.DefBin = bin.Code;
    FChoice.DefDuplex = recordDuplex(info.defaultDuplexMode());
    FCanDuplex = info.supportedDuplexModes().contains(QPrinter::DuplexLongSide);

    FMode = {};
    FMode.PaperSize = FDefPaper;
    FMode.PaperWidth = FDefPaper == rpCustomPaper ? int(FDefPaperWidth * 10) : 0;
    FMode.PaperLength = FDefPaper == rpCustomPaper ? int(FDefPaperHeight * 10) : 0;
    FMode.Orientation
        = FDefOrientation == poPortrait ? TrpDeviceMode::doPortrait : TrpDeviceMode::doLandscape;
    FMode.DefaultSource = FChoice.DefBin;
    FMode.Duplex = FChoice.DefDuplex;
    if (!applyMode() || !UpdateDeviceCaps()) {
        FPrinter.reset();
        return;
    }

    resetLists();
    for (const QPageSize& size : FPageSizes) {
        const int code = desktopPaperCode(size);
        if (code != rpCustomPaper && FPapers.size() <= maxListEntries)
            FPapers.append({size.name().left(paperNameLength), code});
    }
    for (const TrpDriverBin& bin : FDriver.Bins)
        if (bin.Code != TrpDeviceMode::AutoSource && FBins.size() <= maxListEntries)
            FBins.append({bin.Name.left(binNameLength), bin.Code});
    FPaper = FDefPaper;
    FOrientation = FDefOrientation;
    FChoice.Bin = -1;
    FChoice.Duplex = -1;
    FInitialized = true;
}

// Writes the record into the device.
bool TrpPrinter::applyMode()
{
    const QPageSize size = FMode.PaperSize == rpCustomPaper
        ? QPageSize(QSizeF(FMode.PaperWidth / 10.0, FMode.PaperLength / 10.0),
            QPageSize::Millimeter, QString(), QPageSize::ExactMatch)
        : pageSizeFor(FMode.PaperSize);
    if (!FPrinter->setPageSize(size))
        return false;
    const auto orientation = FMode.Orientation == TrpDeviceMode::doLandscape
        ? QPageLayout::Landscape
        : QPageLayout::Portrait;
    if (!FPrinter->setPageOrientation(orientation))
        return false;
    FPrinter->setCopyCount(FMode.Copies);
    FPrinter->setDuplex(qtDuplex(FMode.Duplex));
    for (const TrpDriverBin& bin : FDriver.Bins)
        if (bin.Code == FMode.DefaultSource)
            rpSelectBin(*FPrinter, bin.Key);
    return true;
}

bool TrpPrinter::UpdateDeviceCaps()
{
    const int dpi = FPrinter->resolution();
    if (dpi == 0) {
        platform::showEngineError(rpGet(QStringLiteral("prtNotValid")));
        return false;
    }
    const QPageLayout layout = FPrinter->pageLayout();
    FSheet = TrpSheetGeometry::withBorder(QPoint(dpi, dpi), layout.fullRectPixels(dpi).size(),
        layout.minimumMargins() * millimetresPerUnit(layout.units()));
    FGeometry = FSheet.Paper();
    return true;
}

void TrpPrinter::SetViewParams(
    int paper, double width, double height, TrpPrinterOrientation orientation)
{
    if (!FInitialized)
        return;
    const TrpDeviceMode previous = FMode;
    FMode.Fields = TrpDeviceMode::fOrientation | TrpDeviceMode::fPaperSize;
    FMode.Orientation
        = orientation == poPortrait ? TrpDeviceMode::doPortrait : TrpDeviceMode::doLandscape;
    FMode.PaperSize = paper == rpCustomPaper ? rpPaperA4 : paper;
    if (!applyMode() || !UpdateDeviceCaps()) {
        FMode = previous;
        applyMode();
        return;
    }
    if (paper == rpCustomPaper) {
        FGeometry.PaperWidth = width;
        FGeometry.PaperHeight = height;
    }
    FPaper = paper;
    FOrientation = orientation;
}

void TrpPrinter::SetPrintParams(const TrpPrintParams& params)
{
    if (!FInitialized)
        return;
    rpApplyPrintParams(FMode, params, FChoice);
    if (applyMode() && UpdateDeviceCaps()) {
        FPaper = params.Paper;
        FOrientation = params.Orientation;
    }
}

// The form the caller hands in stands in for a driver that brings no dialog of its own.
bool TrpPrinter::runPropertiesForm(const TrpPropertiesDialog& dialog, TrpDeviceMode& mode) const
{
    if (!dialog)
        return false;
    TrpPrinterProperties properties;
    properties.PrinterName = FName;
    for (const TrpDriverBin& bin : FDriver.Bins)
        properties.Sources.append({bin.Name, bin.Code});
    properties.CanDuplex = FCanDuplex;
    properties.Source = mode.DefaultSource;
    properties.Duplex = mode.Duplex;
    if (!dialog(properties))
        return false;
    mode.DefaultSource = properties.Source;
    mode.Duplex = properties.Duplex;
    return true;
}

void TrpPrinter::PropertiesDlg(const TrpPropertiesDialog& dialog)
{
    if (!FInitialized)
        return;
    TrpDeviceMode chosen = FMode;
    switch (rpRunDriverDialog(FName, chosen)) {
    case TrpDriverDialog::Accepted:
        break;
    case TrpDriverDialog::Cancelled:
        return;
    case TrpDriverDialog::NoDialog:
        if (!runPropertiesForm(dialog, chosen))
            return;
        break;
    }
    const int duplexBefore = FMode.Duplex;
    FMode = chosen;
    FMode.Fields |= TrpDeviceMode::fDefaultSource | TrpDeviceMode::fDuplex;
    FChoice.Bin = FMode.DefaultSource;
    if (FMode.Duplex != duplexBefore)
        FChoice.Duplex = FMode.Duplex;
    if (applyMode())
        UpdateDeviceCaps();
}

void TrpPrinter::BeginDoc()
{
    if (!FInitialized)
        return;
    FPrinting = true;
    FRefusal.clear();
    FPrinter->setDocName(Title.isEmpty() ? rpGet(QStringLiteral("prnDocument")) : Title);
    if (FPrinter->outputFileName() != FileName)
        FPrinter->setOutputFileName(FileName);
    applyMode();
    rpPlaceOriginAtSheetCorner(*FPrinter);
    FCanvas = std::make_unique<platform::QPainterCanvas>(
        *FPrinter, platform::QPainterCanvas::Printer, FSheet.PrintableRect());
    FSheetStarted = false;
}

// The painter opens the first sheet itself; every later one is a new page.
void TrpPrinter::BeginPage()
{
    if (FSheetStarted && FCanvas)
        FPrinter->newPage();
    FSheetStarted = true;
}

void TrpPrinter::EndPage() { }

// Ending the painter hands the job to the spooler. The printer is ready for the next
// document whatever the spooler answers; a refusal (the queue gone, the service stopped) is
// kept for the job to report, since a sheet that never prints must not look printed.
void TrpPrinter::EndDoc()
{
    if (!FInitialized)
        return;
    const bool handedToQueue = FCanvas && FPrinter->outputFileName().isEmpty();
    FCanvas.reset();
    if (handedToQueue)
        FRefusal = rpSpoolerRefusal(FPrinter->printerName());
    FPrinting = false;
    FChoice.Bin = -1;
    FChoice.Duplex = -1;
    rpRestoreDefaultSource(FMode, FChoice);
    applyMode();
}

// Qt's print engines cannot abort a document that has begun: a job for a queue is held and
// cancelled once handed over, a job into a file leaves no file.
void TrpPrinter::Abort()
{
    if (FCanvas) {
        const bool toFile = !FPrinter->outputFileName().isEmpty();
        if (!toFile)
            rpHoldNextJob(*FPrinter);
        FCanvas.reset();
        if (toFile)
            QFile::remove(FPrinter->outputFileName());
        else
            rpCancelHeldJob(*FPrinter);
    }
    EndDoc();
}

platform::Canvas* TrpPrinter::Canvas() { return FCanvas.get(); }
