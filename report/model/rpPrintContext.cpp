#include "rpPrintContext.h"

TrpDelimiters rpSplitDelimiters(const QString& delimiters)
{
    const qsizetype comma = delimiters.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {delimiters, QString()};
    return {delimiters.left(comma), delimiters.mid(comma + 1)};
}
