#pragma once

#include "report/model/rpPaper.h"
#include "report/model/rpTypes.h"

#include <QString>

class TrpCustomPrinter;
class TrpCustomReport;
class TrpReportPage;

// The unit the page-settings dialog shows lengths in; the page keeps millimetres.
struct TrpDisplayUnit {
    double MillimetresPerUnit = 10;
    QString Label; // "cm" or "in"
};

// The engine's unit code: 1 shows inches; 0, 2 and 3 show centimetres, and so does any code
// the engine does not know, so that no field ever shows a length without a unit.
TrpDisplayUnit rpDisplayUnit(int code);
// The unit code from the report's settings store (IniFile), section "Form.TrpDesignerForm",
// key "Units"; 0 when the store holds none.
int rpReadUnitsCode(const TrpCustomReport& report);

// A length in millimetres as a field shows it: a whole number when the value in the unit is
// whole, otherwise two decimals, with the program's decimal separator.
QString rpFormatLength(double millimetres, const TrpDisplayUnit& unit);
// A field's text back in millimetres: spaces are dropped and "." and "," both read as the
// decimal separator. Throws EConvertError "'<text>' is not a valid floating point value".
double rpParseLength(const QString& text, const TrpDisplayUnit& unit);

// What the dialog sets on a page, in millimetres.
struct TrpPageSettings {
    TrpPrinterOrientation Orientation = poPortrait;
    double PaperWidth = 0;
    double PaperHeight = 0;
    int PaperSize = 0;
    double LeftMargin = 0;
    double RightMargin = 0;
    double TopMargin = 0;
    double BottomMargin = 0;
};

// Writes the settings into a page in the dialog's order: orientation, width, height (each
// marking the paper custom), the paper code (a standard code takes the table's size), the
// margins left, right, top, bottom as they are; then the children are realigned. Settings
// that leave no printable page (rpPageGeometryProblem) throw platform::Exception and change
// nothing.
void rpWritePageSettings(TrpReportPage& page, const TrpPageSettings& settings);

// "Apply to all pages": every report page of the template takes the page's orientation,
// paper width, height and code through its setters, then its four margins as they are.
void rpApplyToReportPages(TrpCustomReport& report, const TrpReportPage& page);

// The dialog's fields and choices, without the widgets. Lengths are held as the field texts
// so that what the operator typed is what OK reads.
class TrpPageSetup {
public:
    TrpPageSetup(const TrpReportPage& page, TrpCustomPrinter& printer, TrpDisplayUnit unit);

    const TrpDisplayUnit& Unit() const { return FUnit; }
    TrpCustomPrinter& Printer() const { return FPrinter; }

    // The paper code chosen in the size list: the page's code when the printer lists it,
    // otherwise custom (256).
    int Paper() const { return FPaper; }
    TrpPrinterOrientation Orientation() const { return FOrientation; }

    QString Width;
    QString Height;
    QString Left;
    QString Top;
    QString Right;
    QString Bottom;

    // Choosing a paper or an orientation recomputes the size: a standard paper takes the
    // printer's size for it turned to the orientation; custom exchanges width and height.
    void ChoosePaper(int code);
    void ChooseOrientation(TrpPrinterOrientation orientation);
    // Width or height typed by hand: the paper becomes custom, the size stays as typed.
    void SizeEdited() { FPaper = rpCustomPaper; }

    // Every field read and checked before anything is written; the first field that is not
    // a number throws EConvertError naming its text.
    TrpPageSettings Read() const;

private:
    void recomputeSize();

    TrpCustomPrinter& FPrinter;
    TrpDisplayUnit FUnit;
    int FPaper;
    TrpPrinterOrientation FOrientation;
};
