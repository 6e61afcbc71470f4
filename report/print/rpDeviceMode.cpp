#include "rpDeviceMode.h"

#include "report/model/rpPaper.h"
#include "report/model/rpUnits.h"

#include <utility>

namespace {

int sourceFor(int bin, const TrpSourceChoice& choice)
{
    if (bin != TrpDeviceMode::AutoSource)
        return bin;
    return choice.Bin != -1 ? choice.Bin : choice.DefBin;
}

// dmNone leaves the driver's default; the other modes count from 2 in declaration order,
// and simplex (4) is the record's 1.
int duplexFor(TrpDuplexMode duplex, const TrpSourceChoice& choice)
{
    int result = duplex == dmNone ? choice.DefDuplex : int(duplex) + 1;
    if (result == 4)
        result = TrpDeviceMode::dxSimplex;
    if (choice.Duplex != -1)
        result = choice.Duplex;
    return result;
}

} // namespace

void rpApplyPrintParams(
    TrpDeviceMode& mode, const TrpPrintParams& params, const TrpSourceChoice& choice)
{
    mode.Fields |= TrpDeviceMode::fOrientation | TrpDeviceMode::fPaperSize | TrpDeviceMode::fCopies
        | TrpDeviceMode::fDefaultSource;
    if (params.Paper == rpCustomPaper) {
        mode.Fields |= TrpDeviceMode::fPaperLength | TrpDeviceMode::fPaperWidth;
        int length = int(rpRound(params.Height * 10));
        int width = int(rpRound(params.Width * 10));
        if (params.Orientation == poLandscape)
            std::swap(length, width);
        mode.PaperLength = length;
        mode.PaperWidth = width;
    } else {
        mode.PaperLength = 0;
        mode.PaperWidth = 0;
    }
    mode.PaperSize = params.Paper;
    mode.Orientation
        = params.Orientation == poPortrait ? TrpDeviceMode::doPortrait : TrpDeviceMode::doLandscape;
    mode.Copies = params.Copies;
    mode.DefaultSource = sourceFor(params.Bin, choice);
    mode.Duplex = duplexFor(params.Duplex, choice);
    if (mode.Duplex != TrpDeviceMode::dxSimplex)
        mode.Fields |= TrpDeviceMode::fDuplex;
}

void rpRestoreDefaultSource(TrpDeviceMode& mode, const TrpSourceChoice& choice)
{
    mode.Fields |= TrpDeviceMode::fDefaultSource | TrpDeviceMode::fDuplex;
    mode.DefaultSource = choice.DefBin;
    mode.Duplex = choice.DefDuplex;
}
