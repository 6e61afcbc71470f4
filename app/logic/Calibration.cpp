#include "app/logic/Calibration.h"

#include "platform/core/NumberFormat.h"

#include <cmath>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

} // namespace

QString calibrationMillimetres(double value)
{
    return platform::FloatToStrF(value, platform::ffFixed, 15, 1);
}

QString calibrationMargin(double value)
{
    return platform::FloatToStrF(value, platform::ffFixed, 15, 2);
}

CalibrationResult calibrateByMeasurement(
    double printedLeft, double printedTop, double measuredLeft, double measuredTop)
{
    CalibrationResult result;
    for (const double measured : {measuredLeft, measuredTop}) {
        if (measured < 0 || measured > kCalibrationMaxMeasured) {
            result.Refusal = u("Измеренное расстояние должно быть от 0 до 60 мм. "
                               "Проверьте измерение.");
            return result;
        }
    }
    // A hundredth of a millimetre is finer than any printer places ink, and the operator is
    // shown exactly the margin that is applied.
    const auto hundredths = [](double value) { return std::nearbyint(value * 100) / 100; };
    const double left = hundredths(printedLeft - (measuredLeft - kCalibrationTarget));
    const double top = hundredths(printedTop - (measuredTop - kCalibrationTarget));
    if (left < 0 || top < 0) {
        result.Refusal = u("С такими измерениями поле стало бы отрицательным "
                           "(левое %1 мм, верхнее %2 мм). Проверьте измерение.")
                             .arg(calibrationMillimetres(left), calibrationMillimetres(top));
        return result;
    }
    result.Accepted = true;
    result.LeftMargin = left;
    result.TopMargin = top;
    return result;
}
