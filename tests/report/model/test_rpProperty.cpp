#include "report/model/rpClass.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A value of the property's type that differs from the given one.
QVariant another(const TrpProperty& p, const QVariant& value)
{
    switch (p.type) {
    case TrpPropType::Bool:
        return !value.toBool();
    case TrpPropType::Int:
        return value.toInt() + 1;
    case TrpPropType::Float:
        return value.toDouble() + 0.5;
    case TrpPropType::String:
        return value.toString() + QStringLiteral("x");
    case TrpPropType::Lines:
        return value.toStringList() + QStringList {QStringLiteral("x")};
    case TrpPropType::Color:
        return QVariant::fromValue(value.toUInt() ^ 1u);
    case TrpPropType::Enum:
        return (value.toInt() + 1) % static_cast<int>(p.names.size());
    case TrpPropType::Set:
        return value.toInt() ^ 1;
    }
    return value;
}

class FastPaths : public ::testing::TestWithParam<const char*> { };

// Preparation compares and copies through the members themselves; that must mean exactly
// what comparing and copying the published values means.
TEST_P(FastPaths, AgreeWithGetAndSetForEveryProperty)
{
    const TrpClassInfo* info = rpFindClass(QString::fromLatin1(GetParam()));
    ASSERT_NE(info, nullptr);
    for (const TrpProperty& p : info->properties()) {
        const std::unique_ptr<TrpComponent> a(info->create());
        const std::unique_ptr<TrpComponent> b(info->create());
        ASSERT_TRUE(p.same) << p.name.toStdString();
        EXPECT_TRUE(p.same(*a, *b)) << p.name.toStdString();
        p.set(*b, another(p, p.get(*b)));
        ASSERT_NE(p.get(*a), p.get(*b)) << p.name.toStdString();
        EXPECT_FALSE(p.same(*a, *b)) << p.name.toStdString();
        if (p.copy)
            p.copy(*a, *b);
        else
            p.set(*a, p.get(*b));
        EXPECT_EQ(p.get(*a), p.get(*b)) << p.name.toStdString();
        EXPECT_TRUE(p.same(*a, *b)) << p.name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, FastPaths,
    ::testing::Values("TrpComponent", "TrpReportComponent", "TrpView", "TrpStretcheable",
        "TrpCustomMemoView", "TrpMemoView", "TrpCustomLineView", "TrpLineView", "TrpShapeView",
        "TrpPage", "TrpReportPage", "TrpDataPage", "TrpReport", "TrpBand", "TrpNullBand"));

TEST(FastPaths, APaperSizeCopiedByAssignStillGivesThePageItsSize)
{
    TrpReportPage source;
    source.SetPaperWidth(100);
    source.SetPaperHeight(50);
    TrpReportPage target;
    rpAssign(target, source);
    EXPECT_EQ(target.Width(), source.Width());
    EXPECT_EQ(target.Height(), source.Height());
    EXPECT_EQ(target.Width(), 378);
}

} // namespace
