#include "report/print/rpDeviceMode.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceMode, customPaperInTenthsOfMillimetreExchangedInLandscape)
{
    TrpDeviceMode mode;
    rpApplyPrintParams(mode, {256, 148, 210, poPortrait, 7, dmNone, 1}, {});
    EXPECT_EQ(mode.PaperLength, 2100);
    EXPECT_EQ(mode.PaperWidth, 1480);
    EXPECT_TRUE(mode.Fields & TrpDeviceMode::fPaperLength);
    EXPECT_TRUE(mode.Fields & TrpDeviceMode::fPaperWidth);
    rpApplyPrintParams(mode, {256, 148, 210, poLandscape, 7, dmNone, 1}, {});
    EXPECT_EQ(mode.PaperLength, 1480);
    EXPECT_EQ(mode.PaperWidth, 2100);
    EXPECT_EQ(mode.Orientation, TrpDeviceMode::doLandscape);
    rpApplyPrintParams(mode, {11, 148, 210, poPortrait, 7, dmNone, 3}, {});
    EXPECT_EQ(mode.PaperSize, 11);
    EXPECT_EQ(mode.PaperLength, 0);
    EXPECT_EQ(mode.PaperWidth, 0);
    EXPECT_EQ(mode.Copies, 3);
}

struct SourceCase {
    const char* why;
    int bin;
    TrpDuplexMode duplex;
    TrpSourceChoice choice;
    int source;
    int recordDuplex;
    bool duplexFlag;
};

const SourceCase sourceCases[] = {
    {"automatic source takes the driver's default", 7, dmNone, {-1, -1, 258, 1}, 258, 1, false},
    {"automatic source takes the dialog's choice", 7, dmNone, {2, -1, 258, 1}, 2, 1, false},
    {"a named source stays", 3, dmNone, {2, -1, 258, 1}, 3, 1, false},
    {"no duplex takes the driver's default", 7, dmNone, {-1, -1, 1, 2}, 1, 2, true},
    {"vertical is 2", 7, dmVertical, {-1, -1, 1, 1}, 1, 2, true},
    {"horizontal is 3", 7, dmHorizontal, {-1, -1, 1, 1}, 1, 3, true},
    {"simplex is 4, written as 1", 7, dmSimplex, {-1, -1, 1, 2}, 1, 1, false},
    {"the dialog's duplex wins", 7, dmSimplex, {-1, 3, 1, 1}, 1, 3, true},
};

TEST(DeviceMode, sourceAndDuplexRules)
{
    for (const SourceCase& c : sourceCases) {
        SCOPED_TRACE(c.why);
        TrpDeviceMode mode;
        rpApplyPrintParams(mode, {9, 210, 297, poPortrait, c.bin, c.duplex, 1}, c.choice);
        EXPECT_EQ(mode.DefaultSource, c.source);
        EXPECT_EQ(mode.Duplex, c.recordDuplex);
        EXPECT_EQ(bool(mode.Fields & TrpDeviceMode::fDuplex), c.duplexFlag);
    }
}

} // namespace
