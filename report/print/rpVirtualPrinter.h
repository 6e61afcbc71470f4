#pragma once

#include "rpCustomPrinter.h"

// The stand-by printer of a system without printers: 600 dpi, the paper table's papers, a
// 5 mm border, A4 portrait; documents go nowhere.
class TrpVirtualPrinter : public TrpCustomPrinter {
public:
    TrpVirtualPrinter();

    void Init() override;
    void Abort() override { }
    void BeginDoc() override { }
    void BeginPage() override { }
    void EndDoc() override { }
    void EndPage() override { }
    void SetViewParams(
        int paper, double width, double height, TrpPrinterOrientation orientation) override;
    void SetPrintParams(const TrpPrintParams& params) override;
    void PropertiesDlg(const TrpPropertiesDialog&) override { }
    platform::Canvas* Canvas() override { return nullptr; }
};
