#include "NumberFormat.h"

#include "Exception.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {

namespace {

NumberFormat& current()
{
    static NumberFormat format = NumberFormat::fromLocale(QLocale::system());
    return format;
}

// The highest precision the formatting honours, as the desktop's extended-precision
// formatting did.
const int kMaxPrecision = 18;

// A value split into decimal digits: value = 0.d1d2d3... * 10^exponent. Empty digits mean 0.
struct Decimal {
    bool negative = false;
    int exponent = 0;
    std::string digits;
};

Decimal parseScientific(const std::string& text)
{
    // text is "d.ddde±xx" (cScientificNotation).
    Decimal result;
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            result.digits.push_back(text[i]);
    const char* p = text.data() + e + 1;
    if (*p == '+')
        ++p;
    int exponent = 0;
    std::from_chars(p, text.data() + text.size(), exponent);
    result.exponent = exponent + 1;
    return result;
}

Decimal parseFixed(const std::string& text)
{
    // text is "ddd.ddd" (cFixedNotation).
    Decimal result;
    std::string all;
    int pointAt = -1;
    for (const char c : text) {
        if (c == '.')
            pointAt = int(all.size());
        else
            all.push_back(c);
    }
    if (pointAt < 0)
        pointAt = int(all.size());
    const auto first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return result;
    result.digits = all.substr(first);
    result.exponent = pointAt - int(first);
    return result;
}

// Rounds to at most `precision` significant digits and, when `decimals` is not negative, to
// at most `decimals` places after the point; ties of the exact binary value go to even.
Decimal toDecimal(double value, int precision, int decimals)
{
    Decimal result;
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return result;
    result = parseScientific(cScientificNotation(magnitude, precision - 1));
    if (decimals >= 0 && precision - result.exponent > decimals)
        result = parseFixed(cFixedNotation(magnitude, decimals));
    while (!result.digits.empty() && result.digits.back() == '0')
        result.digits.pop_back();
    if (result.digits.empty())
        return Decimal {};
    result.negative = negative;
    return result;
}

QString scientific(const Decimal& d, int exponentDigits, QChar separator)
{
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    out += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1) {
        out += separator;
        out += QString::fromLatin1(d.digits.substr(1));
    }
    out += QLatin1Char('E');
    const int exponent = d.exponent - 1;
    if (exponent < 0)
        out += QLatin1Char('-');
    out += QString::number(std::abs(exponent)).rightJustified(exponentDigits, QLatin1Char('0'));
    return out;
}

// Writes the digits in positional notation with at least `decimals` places (0 = as many as
// the digits need).
QString positional(const Decimal& d, int minDecimals, QChar separator)
{
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    const int count = int(d.digits.size());
    const auto digitAt = [&](int i) { return i >= 0 && i < count ? d.digits[i] : '0'; };
    if (d.exponent <= 0)
        out += QLatin1Char('0');
    for (int i = 0; i < d.exponent; ++i)
        out += QLatin1Char(digitAt(i));
    const int decimals = std::max(minDecimals, count - d.exponent);
    if (decimals > 0) {
        out += separator;
        for (int i = 0; i < decimals; ++i)
            out += QLatin1Char(digitAt(d.exponent + i));
    }
    return out;
}

QString special(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The position of a number's first significant digit relative to the decimal point (1 for
// "5", 0 for "0.5"), taken from the C form "[-]ddd[.ddd][e[±]ddd]".
long long decimalOrder(const std::string& normal)
{
    const auto e = normal.find('e');
    const std::string mantissa = normal.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const bool negative = normal[e + 1] == '-';
        for (std::size_t i = e + 1; i < normal.size(); ++i)
            if (normal[i] >= '0' && normal[i] <= '9')
                exponent = std::min(exponent * 10 + (normal[i] - '0'), 1000000000LL);
        if (negative)
            exponent = -exponent;
    }
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return std::numeric_limits<long long>::min();
    const long long order
        = first < point ? (long long)(point - first) : -(long long)(first - point - 1);
    return order + exponent;
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The desktop's long date shows the day, month and year ("10 декабря 2026 г."); Qt's long
// formats lead with the weekday ("dddd, "), which the date pickers leave out.
QString withoutWeekday(QString format)
{
    static const QRegularExpression weekday(QStringLiteral("^dddd[,.]?\\s*|[,.]?\\s*dddd$"));
    return format.remove(weekday);
}

// A QTime format without its time-zone letters ("t" outside quoted text).
QString withoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            result += c;
    }
    return result.trimmed();
}

std::string cNotation(double value, std::chars_format format, int decimals)
{
    // The longest text: 309 integer digits of the largest double, a sign, the point and
    // the decimals that the callers bound by their own limits.
    char buffer[512];
    const auto [end, error]
        = std::to_chars(buffer, buffer + sizeof buffer, value, format, std::max(decimals, 0));
    if (error != std::errc())
        return {};
    return std::string(buffer, end);
}

} // namespace

std::string cFixedNotation(double value, int decimals)
{
    return cNotation(value, std::chars_format::fixed, decimals);
}

std::string cScientificNotation(double value, int decimals)
{
    return cNotation(value, std::chars_format::scientific, decimals);
}

NumberFormat NumberFormat::fromLocale(const QLocale& locale)
{
    NumberFormat format;
    const QString point = locale.decimalPoint();
    format.decimalSeparator = point.isEmpty() ? QLatin1Char('.') : point.front();
    for (int month = 1; month <= 12; ++month)
        format.longMonthNames.append(locale.standaloneMonthName(month, QLocale::LongFormat));
    format.longDateFormat = withoutWeekday(locale.dateFormat(QLocale::LongFormat));
    format.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    // The desktop's long time has no time zone; the locale's may end in one ("t").
    format.longTimeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    const QString group = locale.groupSeparator();
    format.thousandSeparator = group.isEmpty() ? QChar(0x00A0) : group.front();
    return format;
}

const NumberFormat& numberFormat() { return current(); }

void setNumberFormat(const NumberFormat& format) { current() = format; }

ScopedNumberFormat::ScopedNumberFormat(const NumberFormat& format) : fPrevious(current())
{
    current() = format;
}

ScopedNumberFormat::ScopedNumberFormat(QChar decimalSeparator) : fPrevious(current())
{
    current().decimalSeparator = decimalSeparator;
}

ScopedNumberFormat::~ScopedNumberFormat() { current() = fPrevious; }

bool TryStrToFloat(const QString& text, double& value)
{
    const QChar separator = current().decimalSeparator;
    const QChar blank = QLatin1Char(' ');
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n && text[i] == blank)
            ++i;
    };
    const auto takeDigits = [&](std::string& into) {
        const qsizetype start = i;
        while (i < n && isDigit(text[i]))
            into.push_back(char(text[i++].unicode()));
        return i - start;
    };

    // Rebuilt in the C form that std::from_chars reads, whatever the separator.
    std::string normal;
    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            normal.push_back('-');
        ++i;
    }
    normal.push_back('0');
    qsizetype mantissa = takeDigits(normal);
    if (i < n && text[i] == separator) {
        ++i;
        normal.push_back('.');
        ++mantissa;
        takeDigits(normal);
    }
    if (mantissa == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        ++i;
        normal.push_back('e');
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            normal.push_back(char(text[i++].unicode()));
        if (takeDigits(normal) == 0)
            return false;
    }
    skipBlanks();
    if (i != n)
        return false;

    double result = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), result);
    if (error == std::errc::result_out_of_range) {
        // Too small a number underflows to zero; too large a one is no number.
        if (decimalOrder(normal) > 0)
            return false;
        result = 0;
    } else if (error != std::errc() || end != normal.data() + normal.size()) {
        return false;
    }
    value = result;
    return true;
}

double StrToFloat(const QString& text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

int StrToInt(const QString& text)
{
    const auto fail = [&text] {
        return EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    };
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
        && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == n)
        throw fail();
    // Decimal values must fit the signed range; hexadecimal ones fill all 32 bits.
    const quint64 limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const int digit = digitValue(text[i]);
        if (digit < 0 || digit >= base)
            throw fail();
        magnitude = magnitude * quint64(base) + quint64(digit);
        if (magnitude > limit)
            throw fail();
    }
    const auto bits = quint32(negative ? (~magnitude + 1) : magnitude);
    return qint32(bits);
}

QString FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

QString FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
    if (!std::isfinite(value))
        return special(value);
    precision = std::clamp(precision, 1, kMaxPrecision);
    const QChar separator = current().decimalSeparator;
    if (format == ffFixed) {
        digits = std::clamp(digits, 0, kMaxPrecision);
        const Decimal d = toDecimal(value, precision, digits);
        if (d.exponent <= precision)
            return positional(d, digits, separator);
        return scientific(d, std::min(digits, 4), separator);
    }
    const Decimal d = toDecimal(value, precision, -1);
    // Fixed down to 0.00001 (0.1 × 10^-4), as the desktop's general format.
    if (d.exponent > precision || d.exponent < -4)
        return scientific(d, std::clamp(digits, 0, 4), separator);
    return positional(d, 0, separator);
}

} // namespace platform
