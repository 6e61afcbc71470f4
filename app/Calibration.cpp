#include "Calibration.h"

#include "platform/core/NumberFormat.h"

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

} // namespace

QString calibrationMillimetres(double value)
{
    return platform::FloatToStrF(value, platform::ffFixed, 15, 1);
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
    const double left = printedLeft - (measuredLeft - kCalibrationTarget);
    const double top = printedTop - (measuredTop - kCalibrationTarget);
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
