#pragma once

#include "report/model/rpTypes.h"

// The driver's settings record of a printer: the fields the engine writes, with the flags
// that say which of them are set. Lengths are tenths of a millimetre, portrait.
struct TrpDeviceMode {
    enum Field {
        fOrientation = 0x1,
        fPaperSize = 0x2,
        fPaperLength = 0x4,
        fPaperWidth = 0x8,
        fCopies = 0x100,
        fDefaultSource = 0x200,
        fDuplex = 0x1000,
    };
    enum Duplex { dxSimplex = 1, dxVertical = 2, dxHorizontal = 3 };
    enum Orientation { doPortrait = 1, doLandscape = 2 };
    static constexpr int AutoSource = 7;

    int Fields = 0;
    int Orientation = doPortrait;
    int PaperSize = 0;
    int PaperLength = 0;
    int PaperWidth = 0;
    int Copies = 1;
    int DefaultSource = 0;
    int Duplex = dxSimplex;
};

// What a page asks of the printer.
struct TrpPrintParams {
    int Paper = 0;
    double Width = 0; // millimetres, as the page stands (exchanged in landscape)
    double Height = 0;
    TrpPrinterOrientation Orientation = poPortrait;
    int Bin = TrpDeviceMode::AutoSource;
    TrpDuplexMode Duplex = dmNone;
    int Copies = 1;
};

// The choices of the driver's properties dialog (-1 = none) and the driver's defaults.
struct TrpSourceChoice {
    int Bin = -1;
    int Duplex = -1;
    int DefBin = 0;
    int DefDuplex = TrpDeviceMode::dxSimplex;
};

// Writes a page's paper, orientation, copies, source and duplex into the record.
void rpApplyPrintParams(
    TrpDeviceMode& mode, const TrpPrintParams& params, const TrpSourceChoice& choice);

// After a document: the driver's default source and duplex back in the record.
void rpRestoreDefaultSource(TrpDeviceMode& mode, const TrpSourceChoice& choice);
