#include "rpPageNumbers.h"

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"

QList<int> rpParsePageNumbers(const QString& text, int pageCount)
{
    QString s = text;
    s.remove(u' ');
    if (s.isEmpty())
        return {};
    // "N-" runs to the last page; written past the last page it selects nothing.
    const bool toLastPage = s.endsWith(u'-');
    if (toLastPage)
        s += QString::number(pageCount);
    s += u',';

    QList<int> pages;
    qsizetype pieceStart = 0;
    bool rangeOpen = false;
    int rangeStart = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'-' && s[i] != u',')
            continue;
        const int number = platform::StrToInt(s.mid(pieceStart, i - pieceStart));
        pieceStart = i + 1;
        if (s[i] == u'-') {
            rangeStart = number;
            rangeOpen = true;
        } else if (rangeOpen) {
            // A range written from the higher page down would print nothing; on numbered
            // blanks the operator must see that instead of a job that skips them.
            if (number < rangeStart && !(toLastPage && i == s.size() - 1))
                throw platform::EConvertError(
                    QStringLiteral("'%1-%2' is a backward page range; write it as %2-%1")
                        .arg(rangeStart)
                        .arg(number));
            for (long long page = rangeStart; page <= number; ++page)
                pages.append(int(page));
            rangeOpen = false;
        } else {
            pages.append(number);
        }
    }
    return pages;
}
