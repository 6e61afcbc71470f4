#include "TestPpd.h"

QString TestPpd::text() const
{
    QString ppd
        = QStringLiteral(R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TEST.PPD"
*Manufacturer: "Test"
*Product: "(Test)"
*ModelName: "Test Printer"
*ShortNickName: "Test Printer"
*NickName: "Test Printer"
*PSVersion: "(3010.000) 0"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *Resolution/Resolution: PickOne
*DefaultResolution: %1dpi
*Resolution %1dpi/%1 dpi: ""
*CloseUI: *Resolution
*OpenUI *PageSize/Page Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize A5/A5: "<</PageSize[420 595]>>setpagedevice"
%4*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion A5/A5: "<</PageSize[420 595]>>setpagedevice"
%5*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "%2"
*ImageableArea A5/A5: "%3"
%6*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension A5/A5: "420 595"
%7)PPD")
              .arg(Dpi)
              .arg(A4Area, A5Area,
                  OddPaper ? QStringLiteral("*PageSize Odd/Odd Card: \"\"\n") : QString(),
                  OddPaper ? QStringLiteral("*PageRegion Odd/Odd Card: \"\"\n") : QString(),
                  OddPaper ? QStringLiteral("*ImageableArea Odd/Odd Card: \"10 10 240 290\"\n")
                           : QString(),
                  OddPaper ? QStringLiteral("*PaperDimension Odd/Odd Card: \"250 300\"\n")
                           : QString());
    if (!Slots.isEmpty()) {
        ppd += QStringLiteral("*OpenUI *InputSlot/Media Source: PickOne\n*DefaultInputSlot: %1\n")
                   .arg(Slots.first().section(u'/', 0, 0));
        for (const QString& slot : Slots)
            ppd += QStringLiteral("*InputSlot %1: \"\"\n").arg(slot);
        ppd += QStringLiteral("*CloseUI: *InputSlot\n");
    }
    if (Duplex)
        ppd += QStringLiteral(R"PPD(*OpenUI *Duplex/2-Sided Printing: PickOne
*DefaultDuplex: None
*Duplex None/Off: ""
*Duplex DuplexNoTumble/Long Edge: ""
*Duplex DuplexTumble/Short Edge: ""
*CloseUI: *Duplex
)PPD");
    return ppd;
}
