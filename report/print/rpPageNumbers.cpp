#include "rpPageNumbers.h"

#include "platform/core/NumberFormat.h"

QList<int> rpParsePageNumbers(const QString& text, int pageCount)
{
    QString s = text;
    s.remove(u' ');
    if (s.isEmpty())
        return {};
    if (s.endsWith(u'-'))
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
            for (long long page = rangeStart; page <= number; ++page)
                pages.append(int(page));
            rangeOpen = false;
        } else {
            pages.append(number);
        }
    }
    return pages;
}
