#include "rpPageSetup.h"

#include "rpCustomPrinter.h"

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/UserSettings.h"
#include "report/model/rpCustomReport.h"
#include "report/model/rpPageGeometry.h"
#include "report/model/rpPages.h"
#include "report/model/rpRes.h"

#include <cmath>

TrpDisplayUnit rpDisplayUnit(int code)
{
    if (code == 1)
        return {25.4, rpGet(QStringLiteral("pgsIn"))};
    return {10, rpGet(QStringLiteral("pgsCm"))};
}

int rpReadUnitsCode(const TrpCustomReport& report)
{
    return platform::readUserSettingInt(
        report.IniFile(), QStringLiteral("Form.TrpDesignerForm"), QStringLiteral("Units"), 0);
}

QString rpFormatLength(double millimetres, const TrpDisplayUnit& unit)
{
    const double value = millimetres / unit.MillimetresPerUnit;
    if (value == std::floor(value))
        return platform::FloatToStrF(value, platform::ffFixed, 15, 0);
    return platform::FloatToStrF(value, platform::ffFixed, 15, 2);
}

double rpParseLength(const QString& text, const TrpDisplayUnit& unit)
{
    const QChar separator = platform::numberFormat().decimalSeparator;
    QString number = text;
    number.remove(QLatin1Char(' '));
    number.replace(QLatin1Char('.'), separator).replace(QLatin1Char(','), separator);
    double value = 0;
    if (!platform::TryStrToFloat(number, value))
        throw platform::EConvertError(
            QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value * unit.MillimetresPerUnit;
}

namespace {

void writeGeometry(TrpReportPage& page, const TrpPageSettings& settings)
{
    page.SetOrientation(settings.Orientation);
    page.SetPaperWidth(settings.PaperWidth);
    page.SetPaperHeight(settings.PaperHeight);
    page.SetPaperSize(settings.PaperSize);
    page.SetLeftMargin(settings.LeftMargin);
    page.SetRightMargin(settings.RightMargin);
    page.SetTopMargin(settings.TopMargin);
    page.SetBottomMargin(settings.BottomMargin);
}

} // namespace

void rpWritePageSettings(TrpReportPage& page, const TrpPageSettings& settings)
{
    // The settings are tried on an empty page first, so that a refused value leaves the
    // page as it was.
    TrpReportPage trial;
    trial.SetOrientation(page.Orientation());
    writeGeometry(trial, settings);
    rpCheckPageGeometry(rpPageGeometry(trial));
    writeGeometry(page, settings);
    page.AlignChildren();
}

void rpApplyToReportPages(TrpCustomReport& report, const TrpReportPage& page)
{
    for (int i = 0; i < report.PagesCount(); ++i) {
        auto* target = dynamic_cast<TrpReportPage*>(report.Pages(i));
        if (!target)
            continue;
        target->SetOrientation(page.Orientation());
        target->SetPaperWidth(page.PaperWidth());
        target->SetPaperHeight(page.PaperHeight());
        target->SetPaperSize(page.PaperSize());
        target->SetLeftMargin(page.LeftMargin());
        target->SetRightMargin(page.RightMargin());
        target->SetTopMargin(page.TopMargin());
        target->SetBottomMargin(page.BottomMargin());
    }
}

TrpPageSetup::TrpPageSetup(
    const TrpReportPage& page, TrpCustomPrinter& printer, TrpDisplayUnit unit)
    : Width(rpFormatLength(page.PaperWidth(), unit)),
      Height(rpFormatLength(page.PaperHeight(), unit)),
      Left(rpFormatLength(page.LeftMargin(), unit)),
      Top(rpFormatLength(page.TopMargin(), unit)),
      Right(rpFormatLength(page.RightMargin(), unit)),
      Bottom(rpFormatLength(page.BottomMargin(), unit)),
      FPrinter(printer),
      FUnit(std::move(unit)),
      FPaper(printer.PaperIndex(page.PaperSize()) >= 0 ? page.PaperSize() : rpCustomPaper),
      FOrientation(page.Orientation())
{
}

void TrpPageSetup::ChoosePaper(int code)
{
    FPaper = code;
    recomputeSize();
}

void TrpPageSetup::ChooseOrientation(TrpPrinterOrientation orientation)
{
    FOrientation = orientation;
    recomputeSize();
}

void TrpPageSetup::recomputeSize()
{
    const double width = rpParseLength(Width, FUnit);
    const double height = rpParseLength(Height, FUnit);
    // The printer takes a custom size turned, so that an orientation change turns the page.
    if (FPaper == rpCustomPaper)
        FPrinter.SetViewParams(FPaper, height, width, FOrientation);
    else
        FPrinter.SetViewParams(FPaper, width, height, FOrientation);
    Width = rpFormatLength(FPrinter.PaperWidth(), FUnit);
    Height = rpFormatLength(FPrinter.PaperHeight(), FUnit);
}

TrpPageSettings TrpPageSetup::Read() const
{
    TrpPageSettings settings;
    settings.Orientation = FOrientation;
    settings.PaperWidth = rpParseLength(Width, FUnit);
    settings.PaperHeight = rpParseLength(Height, FUnit);
    settings.PaperSize = FPaper;
    settings.LeftMargin = rpParseLength(Left, FUnit);
    settings.RightMargin = rpParseLength(Right, FUnit);
    settings.TopMargin = rpParseLength(Top, FUnit);
    settings.BottomMargin = rpParseLength(Bottom, FUnit);
    return settings;
}
