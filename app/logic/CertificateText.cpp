#include "app/logic/CertificateText.h"

#include "app/logic/CertificateFields.h"
#include "app/logic/Placeholders.h"
#include "register/RegisterEntry.h"

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

// The day, month or year of a date, as its part of a date's three fields.
QString datePart(const QDate& date, int part)
{
    const char* const parts[] = {"day", "month", "year"};
    return Monthstr(QString::fromLatin1(parts[part]), date);
}

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

QString certificateFieldText(const RegisterEntry& form, int number)
{
    using namespace Qt::Literals::StringLiterals;
    const CertificateField field = certificateFieldAt(number);
    switch (field.role) {
    case CertificateRole::School:
        return form.school;
    case CertificateRole::School2:
        return form.school2 == placeholders::kSchoolName ? u" "_s : form.school2;
    case CertificateRole::Locality:
        return form.locality;
    case CertificateRole::Series:
        return form.series;
    case CertificateRole::Graduate:
        return form.graduate;
    case CertificateRole::PeriodFrom:
        return datePart(form.periodFrom, field.part);
    case CertificateRole::PeriodTo:
        return datePart(form.periodTo, field.part);
    case CertificateRole::Category:
        return form.category;
    case CertificateRole::Hours: {
        const QString hours = form.hours.value(field.part);
        return hours == u"0"_s ? u"x"_s : hours;
    }
    case CertificateRole::TotalHours:
        return form.hours.value(RegisterEntry::kHourCount - 1);
    case CertificateRole::IssuedOn:
        return datePart(form.issuedOn, field.part);
    case CertificateRole::Head:
        return form.head;
    case CertificateRole::Grade:
        return form.grades.value(field.part);
    case CertificateRole::TotalLineMark:
        return u"X"_s;
    case CertificateRole::CategoryCode:
        return Copy_categ(form.category);
    case CertificateRole::Transmission:
        break;
    }
    return Copy_trans(form.transmission);
}
