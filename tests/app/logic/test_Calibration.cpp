// Calibration by measurement: the margins worked out from the measured distances.

#include "app/logic/Calibration.h"

#include <gtest/gtest.h>

namespace {

TEST(CalibrationByMeasurement, movesTheMarginsByTheMeasuredError)
{
    const struct {
        const char* why;
        double printedLeft, printedTop, measuredLeft, measuredTop;
        bool accepted;
        double left, top;
    } cases[] = {
        {"in place: nothing changes", 15, 15, 15, 15, true, 15, 15},
        {"too far right and too high", 15, 15, 18, 12, true, 12, 18},
        {"from margins other than 15", 12, 16, 14.5, 15, true, 12.5, 16},
        {"the edges of the range", 45, 0, 60, 0, true, 0, 15},
        {"to hundredths, as the offer shows them", 15, 15, 17.344, 13.456, true, 12.66, 16.54},
        {"a negative distance", 15, 15, -0.5, 15, false, 0, 0},
        {"beyond 60 mm", 15, 15, 15, 60.5, false, 0, 0},
        {"the left margin would become negative", 2, 15, 17.5, 15, false, 0, 0},
        {"the top margin would become negative", 15, 0, 15, 16, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const CalibrationResult result
            = calibrateByMeasurement(c.printedLeft, c.printedTop, c.measuredLeft, c.measuredTop);
        EXPECT_EQ(result.Accepted, c.accepted);
        EXPECT_EQ(result.Refusal.isEmpty(), c.accepted);
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(result.LeftMargin, c.left);
            EXPECT_DOUBLE_EQ(result.TopMargin, c.top);
        }
    }
}

} // namespace
