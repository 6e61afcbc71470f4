#pragma once

#include <QString>

// Margins found by measuring a printed test page: the rectangle's top and left lines belong
// 15 mm from the sheet's edges, so a line measured further in needs a smaller margin by the
// same amount.
struct CalibrationResult {
    bool Accepted = false;
    QString Refusal; // why the measurement was refused, when it was
    double LeftMargin = 0;
    double TopMargin = 0;
};

inline constexpr double kCalibrationTarget = 15;
inline constexpr double kCalibrationMaxMeasured = 60;

// `printedLeft`/`printedTop`: the margins the measured test page was printed with;
// `measuredLeft`/`measuredTop`: the distances of the rectangle's lines from the sheet's
// edges. All in millimetres; the margins come rounded to hundredths. A distance outside
// 0–60 mm or a margin that would become negative is refused.
CalibrationResult calibrateByMeasurement(
    double printedLeft, double printedTop, double measuredLeft, double measuredTop);

// A length in millimetres with one decimal, as the calibration shows it ("15,0").
QString calibrationMillimetres(double value);
// A calibrated margin with the two decimals it is applied with ("12,66").
QString calibrationMargin(double value);
