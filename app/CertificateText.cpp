#include "app/CertificateText.h"

#include <array>

namespace {

const std::array<const char*, 12> Mes = {
    "января",
    "февраля",
    "марта",
    "апреля",
    "мая",
    "июня",
    "июля",
    "августа",
    "сентября",
    "октября",
    "ноября",
    "декабря",
};

} // namespace

QString Monthstr(const QString& nbr, const QDate& myDate)
{
    if (nbr == QLatin1String("day"))
        return QStringLiteral("%1").arg(myDate.day(), 2, 10, QLatin1Char('0'));
    if (nbr == QLatin1String("month"))
        return QString::fromUtf8(Mes.at(myDate.month() - 1));
    if (nbr == QLatin1String("year"))
        return QString::number(myDate.year()).mid(3);
    return QString();
}

QString Copy_categ(const QString& source)
{
    const qsizetype length = source.size();
    const qsizetype windowStart = std::max<qsizetype>(0, length - 7);
    qsizetype closing = -1;
    qsizetype opening = -1;
    int quotes = 0;
    for (qsizetype i = length - 1; i >= windowStart; --i) {
        if (source.at(i) != QLatin1Char('"'))
            continue;
        if (closing < 0)
            closing = i;
        opening = i;
        ++quotes;
    }
    if (quotes < 2)
        return QString();
    return source.mid(opening + 1, closing - opening - 1);
}

QString Copy_trans(const QString& source)
{
    // Positions are counted from 1: the last blank among positions 3 to L-3.
    const qsizetype length = source.size();
    qsizetype blank = 0;
    for (qsizetype p = 3; p <= length - 3; ++p) {
        if (source.at(p - 1) == QLatin1Char(' '))
            blank = p;
    }
    if (blank == 0)
        return QString();
    return source.mid(1, blank - 2);
}
