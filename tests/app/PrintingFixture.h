#pragma once

#include "MainWindowFixture.h"

#include "report/preview/rpPreviewForm.h"

#include <QImage>
#include <QList>
#include <QPointF>

#include <functional>
#include <optional>

class TrpReport;

// The program's windows printing onto the default printer of the test program: an A5 laser
// on the tests' own scheduler with the usual unprintable border (12 pt left, 15 pt top), which
// feeds the sheet off by a few millimetres — its ink lands 2.7 mm right of and 1.8 mm above
// where the job puts it. Every sheet is read back from the spooler's output at 600 dpi.
class PrintingTest : public MainWindowTest {
protected:
    // Where the test page's rectangle landed, as an operator measures it with a ruler: the
    // distances from the sheet's left edge to its left line and from the top edge to its top
    // line, in millimetres.
    struct RectangleLines {
        double left;
        double top;
    };

    // The ink centre of each of the 42 certificate fields, Memo1 first, in 600-dpi pixels of
    // the sheet; empty for a field without ink.
    using FieldCentres = QList<std::optional<QPointF>>;

    // Fills every school field by clicking into it and typing, so that each of the 42
    // certificate fields prints some ink (the second name line is blank unless typed).
    void fillTheForm();

    // Opens the preview with the command button the operator uses, runs `act` in it once the
    // page is prepared, and closes it.
    void inPreview(
        TrpReport& report, QPushButton* command, const std::function<void(TrpPreviewForm&)>& act);
    void inTestPagePreview(const std::function<void(TrpPreviewForm&)>& act);
    void inCertificatePreview(const std::function<void(TrpPreviewForm&)>& act);

    // The preview's Print button, clicked.
    static void print(TrpPreviewForm& form);
    // The sheet of the last job, once the spooler has finished it.
    static QImage printedSheet();

    // "Настройка печати" (or "Печать"), Print, close: the sheet that came out.
    QImage printTestPage();
    QImage printCertificate();

    // The page-settings dialog of the preview with the left and top margins typed in
    // centimetres as the dialog shows them, "Apply to all pages" chosen, and OK.
    static void applyMarginsToAllPages(TrpPreviewForm& form, const char* left, const char* top);

    // The button "Калибровка по измерению…" of the test page's preview, clicked.
    static void clickCalibrationCommand(TrpPreviewForm& form);
    // "Калибровка по измерению…" in the test page's preview with the two distances typed,
    // then the offer to save the settings at once declined.
    void calibrateByMeasurement(const RectangleLines& measured);

    static RectangleLines rectangleLines(const QImage& sheet);
    // How far the printer put the page off its place, by the test page's rectangle printed
    // with 15 mm margins: millimetres right and down.
    static QPointF misplacement(const RectangleLines& lines)
    {
        return {lines.left - 15, lines.top - 15};
    }
    // Each field's ink centre within its box of the blank (the box of the certificate
    // template 15 mm from the sheet's left and top edges, and a quarter millimetre around),
    // or within that box moved by `at` millimetres, where a printer that is not calibrated
    // puts the field.
    FieldCentres fieldCentres(const QImage& sheet, QPointF at = {});
    // The last certificate prepared, drawn where it belongs on the blank: with 15 mm margins
    // from the sheet's corner at 600 dpi, as a printer that places everything exactly prints it.
    QImage lastCertificateAsItBelongs();

    // Every field of `printed` lies within `tolerance` millimetres of its place in
    // `expected`, moved by `moved` millimetres (right and down).
    static void expectFieldsAt(const FieldCentres& printed, const FieldCentres& expected,
        QPointF moved = {}, double tolerance = 0.1);

    static double millimetres(double pixels) { return pixels * 25.4 / 600; }
    static double pixels(double millimetres) { return millimetres * 600 / 25.4; }
};
