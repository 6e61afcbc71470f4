#include "report/model/rpRes.h"

#include <gtest/gtest.h>

namespace {

TEST(TrpResources, LooksUpKeysDropsLeadingMarkAndReturnsUnknownKeys)
{
    EXPECT_EQ(rpGet(QStringLiteral("mbError")), QStringLiteral("Error"));
    EXPECT_EQ(
        rpGet(QStringLiteral("clErrors")), QStringLiteral("The following error(s) have occured:"));
    EXPECT_EQ(rpGet(QStringLiteral("prnOrder")), QStringLiteral("Order"));
    EXPECT_EQ(rpGet(QStringLiteral("prnReverse")), QStringLiteral("Reverse (9-1)"));
    EXPECT_EQ(rpGet(QStringLiteral("prvPreparedFilter")), QStringLiteral(" (*.prp)|*.prp"));
    EXPECT_EQ(rpGet(QStringLiteral("noSuchKey")), QStringLiteral("noSuchKey"));
    EXPECT_EQ(rpGet(QStringLiteral("!noSuchKey")), QStringLiteral("!noSuchKey"))
        << "the mark is dropped from stored texts only";
    EXPECT_EQ(rpGet(QStringLiteral("MBERROR")), QStringLiteral("MBERROR")) << "keys are exact";
}

} // namespace
