#pragma once

#include "rpCustomPrinter.h"
#include "rpPrinterDriver.h"

#include <QPageSize>

#include <memory>

class QPrinter;

namespace platform {
class QPainterCanvas;
}

// A printer of the system's print service, driven through Qt Print Support. The canvas
// draws from the corner of the printable region, as a printer's device context does; the
// sheet itself is laid out whole, since the print service places a job's page on the sheet
// and only says how far in the printer can reach.
class TrpPrinter : public TrpCustomPrinter {
public:
    TrpPrinter(QString name, QString port);
    ~TrpPrinter() override;

    void Init() override;
    void Abort() override;
    void BeginDoc() override;
    void BeginPage() override;
    void EndDoc() override;
    void EndPage() override;
    void SetViewParams(
        int paper, double width, double height, TrpPrinterOrientation orientation) override;
    void SetPrintParams(const TrpPrintParams& params) override;
    void PropertiesDlg(const TrpPropertiesDialog& dialog) override;
    platform::Canvas* Canvas() override;

    // Re-reads resolution, paper and border from the device into the sheet; shows "Printer selected
    // is not valid" and fails when the resolution is 0.
    bool UpdateDeviceCaps();

    // The record as last written to the device.
    const TrpDeviceMode& DeviceMode() const { return FMode; }

private:
    bool applyMode();
    bool runPropertiesForm(const TrpPropertiesDialog& dialog, TrpDeviceMode& mode) const;
    QPageSize pageSizeFor(int code) const;

    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<platform::QPainterCanvas> FCanvas;
    QList<QPageSize> FPageSizes;
    TrpDriverFacts FDriver;
    TrpDeviceMode FMode;
    bool FCanDuplex = false;
    bool FSheetStarted = false;
};
