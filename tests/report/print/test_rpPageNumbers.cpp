#include "platform/core/Exception.h"
#include "report/print/rpPageNumbers.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

QList<int> run(int from, int to)
{
    QList<int> pages;
    for (int page = from; page <= to; ++page)
        pages.append(page);
    return pages;
}

struct PageListCase {
    const char* text;
    int pageCount;
    QList<int> expected;
};

TEST(PageNumbers, numbersAndRangesInTheOrderWritten)
{
    const PageListCase cases[] = {
        {"", 7, {}},
        {"   ", 7, {}},
        {"1,3,5-12", 20, QList<int> {1, 3} + run(5, 12)},
        {"3-", 7, run(3, 7)},
        {"4,2,2", 7, {4, 2, 2}},
        {"9-", 7, {}},
        {" 1 - 3 , 2 ", 7, {1, 2, 3, 2}},
        {"5-5", 7, {5}},
        {"0,8", 7, {0, 8}},
        {"2-4,1-", 5, QList<int> {2, 3, 4} + run(1, 5)},
    };
    for (const PageListCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(rpParsePageNumbers(QString::fromUtf8(c.text), c.pageCount), c.expected);
    }
}

TEST(PageNumbers, aPieceThatIsNoNumberOrABackwardRangeStopsWithTheConversionError)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a", "'a' is not a valid integer value"},
        {"1,x3", "'x3' is not a valid integer value"},
        {"-3", "'' is not a valid integer value"},
        {"1,,2", "'' is not a valid integer value"},
        {"12,", "'' is not a valid integer value"},
        {"1--3", "'' is not a valid integer value"},
        {"2,7a-9", "'7a' is not a valid integer value"},
        {"9-3", "'9-3' is a backward page range; write it as 3-9"},
        {"2-3,5-4", "'5-4' is a backward page range; write it as 4-5"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        try {
            rpParsePageNumbers(QString::fromUtf8(text), 10);
            ADD_FAILURE() << "no error";
        } catch (const platform::EConvertError& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(message));
        }
    }
}

} // namespace
