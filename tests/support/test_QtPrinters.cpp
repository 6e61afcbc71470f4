// Failure messages show Qt values as a person reads them.

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(QtPrinters, ShowValuesReadably)
{
    struct Case {
        std::string printed;
        std::string expected;
    };
    const Case cases[] = {
        {testing::PrintToString(QString::fromUtf8("Сидоров С.")), "\"Сидоров С.\""},
        {testing::PrintToString(QStringList {QStringLiteral("a"), QString::fromUtf8("б")}),
            "{ \"a\", \"б\" }"},
        {testing::PrintToString(QByteArray("x\ny")), "\"x\\ny\""},
        {testing::PrintToString(QChar(0x0421)), "'С' (U+421)"},
        {testing::PrintToString(QColor(Qt::red)), "#ffff0000"},
        {testing::PrintToString(QRect(1, 2, 30, 40)), "QRect(1,2 30x40)"},
        {testing::PrintToString(QPoint(-3, 4)), "QPoint(-3,4)"},
        {testing::PrintToString(QSize(5, 6)), "QSize(5, 6)"},
        {testing::PrintToString(QDate(2020, 1, 31)), "2020-01-31"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.printed, c.expected);
}

} // namespace
