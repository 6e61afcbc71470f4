#include "rpFormat.h"

#include "platform/core/NumberFormat.h"
#include "report/model/rpPrintContext.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// No format may ask for a wider field or more decimals than this.
constexpr int kMaxFormatWidth = 100;

[[noreturn]] void fail(const QString& message) { throw EExpressionError(message); }

QString withDecimalSeparator(QString text)
{
    const QChar separator = platform::numberFormat().decimalSeparator;
    if (separator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

// Groups the digits of an unsigned integer text by thousands.
QString grouped(const QString& digits)
{
    const QChar separator = platform::numberFormat().thousandSeparator;
    QString result;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}

// Whether a number's text is not all zeros: a value rounded to zero carries no sign.
bool hasNonZeroDigit(const QString& text)
{
    for (const QChar c : text) {
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            return true;
    }
    return false;
}

// "ddd.ddd" for a finite value with the given number of decimals, '.' as the point.
QString fixedText(double value, int decimals)
{
    return QString::fromStdString(platform::cFixedNotation(value, decimals));
}

// Fixed notation with the program's separators; thousands grouped when asked.
QString formatFixed(double value, int decimals, bool thousands)
{
    rpCheckedFloat(value);
    QString text = fixedText(std::fabs(value), decimals);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    QString integerPart = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (thousands)
        integerPart = grouped(integerPart);
    QString result = integerPart;
    if (!fraction.isEmpty())
        result += platform::numberFormat().decimalSeparator + fraction;
    if (std::signbit(value) && hasNonZeroDigit(text))
        result.prepend(QLatin1Char('-'));
    return result;
}

QString formatScientific(double value, int precision)
{
    rpCheckedFloat(value);
    QString text
        = QString::fromStdString(platform::cScientificNotation(value, std::max(0, precision - 1)))
              .toUpper();
    // The desktop writes at least three exponent digits: 1.5E+003.
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        QString mantissa = text.left(e);
        const QChar sign = text[e + 1];
        QString exponent = text.mid(e + 2);
        while (exponent.size() < 3)
            exponent.prepend(QLatin1Char('0'));
        text = mantissa + QLatin1Char('E') + sign + exponent;
    }
    return withDecimalSeparator(text);
}

// The value as a floating-point number, for number formats.
double numericValue(const TrpValue& value)
{
    if (value.kind() == TrpValue::String) {
        double number = 0;
        if (!platform::TryStrToFloat(value.asString(), number))
            fail(QStringLiteral("'%1' is not a valid floating point value").arg(value.asString()));
        return number;
    }
    if (value.kind() == TrpValue::Boolean)
        rpIncompatible(value);
    return value.asFloat();
}

// One "%[-][width][.precision]type" of a Format pattern.
struct Placeholder {
    bool left = false; // "-": padded on the right
    int width = 0;
    int precision = -1; // -1: none given
    char16_t type = 0; // lower case
};

[[noreturn]] void invalidPattern(const QString& format)
{
    fail(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
}

// Reads the placeholder that starts after the "%" at i and moves i past it; a placeholder that is
// cut short or asks for more than kMaxFormatWidth makes the pattern invalid.
Placeholder readPlaceholder(const QString& format, qsizetype& i)
{
    const qsizetype n = format.size();
    Placeholder placeholder;
    if (i < n && format[i] == QLatin1Char('-')) {
        placeholder.left = true;
        ++i;
    }
    const auto readNumber = [&](int& out) {
        bool any = false;
        out = 0;
        while (i < n && format[i].isDigit() && format[i].unicode() < 128) {
            out = out * 10 + (format[i].unicode() - u'0');
            if (out > kMaxFormatWidth)
                invalidPattern(format);
            ++i;
            any = true;
        }
        return any;
    };
    readNumber(placeholder.width);
    if (i < n && format[i] == QLatin1Char('.')) {
        ++i;
        if (!readNumber(placeholder.precision))
            placeholder.precision = 0;
    }
    if (i == n)
        invalidPattern(format);
    placeholder.type = format[i].toLower().unicode();
    ++i;
    return placeholder;
}

// The value as one placeholder of the pattern format asks for it, padded to the placeholder's
// width.
QString formatPlaceholder(
    const Placeholder& placeholder, const TrpValue& value, const QString& format)
{
    const int precision = placeholder.precision;
    QString text;
    switch (placeholder.type) {
    case u'd':
    case u'u': {
        if (value.kind() != TrpValue::Integer)
            invalidPattern(format);
        const qint64 v = value.asInteger();
        if (placeholder.type == u'u' && v < 0)
            invalidPattern(format);
        QString digits = QString::number(v < 0 ? -static_cast<quint64>(v) : v);
        if (precision > 0)
            digits = digits.rightJustified(precision, QLatin1Char('0'));
        text = (v < 0 ? QStringLiteral("-") : QString()) + digits;
        break;
    }
    case u'x': {
        if (value.kind() != TrpValue::Integer)
            invalidPattern(format);
        text = QString::number(static_cast<quint64>(value.asInteger()), 16).toUpper();
        if (precision > 0)
            text = text.rightJustified(precision, QLatin1Char('0'));
        break;
    }
    case u'f':
        text = formatFixed(numericValue(value), precision < 0 ? 2 : precision, false);
        break;
    case u'n':
    case u'm':
        text = formatFixed(numericValue(value), precision < 0 ? 2 : precision, true);
        break;
    case u'e':
        text = formatScientific(numericValue(value), precision < 0 ? 15 : precision);
        break;
    case u'g':
        text = platform::FloatToStrF(rpCheckedFloat(numericValue(value)), platform::ffGeneral,
            precision <= 0 ? 15 : std::min(precision, 18), 0);
        break;
    case u's':
        text = value.toText();
        if (precision >= 0)
            text.truncate(precision);
        break;
    default:
        invalidPattern(format);
    }
    if (text.size() < placeholder.width)
        text = placeholder.left ? text.leftJustified(placeholder.width)
                                : text.rightJustified(placeholder.width);
    return text;
}

// A number by the desktop's Format with one argument: literal text and one
// "%[-][width][.precision]type" (d, u, x, f, n, m, e, g, s); "%%" is a percent sign.
QString formatNumberByPattern(const QString& format, const TrpValue& value)
{
    QString result;
    bool used = false;
    qsizetype i = 0;
    const qsizetype n = format.size();
    while (i < n) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            result += c;
            ++i;
            continue;
        }
        ++i;
        if (i < n && format[i] == QLatin1Char('%')) {
            result += c;
            ++i;
            continue;
        }
        if (used)
            invalidPattern(format);
        used = true;
        const Placeholder placeholder = readPlaceholder(format, i);
        result += formatPlaceholder(placeholder, value, format);
    }
    return result;
}

// The desktop's FormatFloat: "0" a digit always shown, "#" a digit shown when significant,
// "." the decimal separator, "," thousands grouping, sections for positive;negative;zero,
// quoted text and other characters copied.
} // namespace

QString rpFormatFloat(const QString& format, double value)
{
    rpCheckedFloat(value);
    // Split into sections outside quotes.
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    sections.append(current);
    QString section = sections[0];
    bool negativeSection = false;
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        section = sections[1];
        negativeSection = true;
    }
    if (value == 0 && sections.size() > 2 && !sections[2].isEmpty())
        section = sections[2];

    QString prefix;
    QString suffix;
    int integerZeros = 0;
    int fractionZeros = 0;
    int fractionDigits = 0;
    bool thousands = false;
    bool inFraction = false;
    bool seenDigit = false;
    quote = QChar();
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (seenDigit ? suffix : prefix) += c;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            seenDigit = true;
            if (inFraction) {
                ++fractionDigits;
                if (c == QLatin1Char('0'))
                    fractionZeros = fractionDigits;
            } else if (c == QLatin1Char('0')) {
                ++integerZeros;
            }
        } else if (c == QLatin1Char('.') && !inFraction) {
            inFraction = true;
            seenDigit = true;
        } else if (c == QLatin1Char(',') && !inFraction) {
            thousands = true;
        } else {
            (seenDigit ? suffix : prefix) += c;
        }
        if (integerZeros > kMaxFormatWidth || fractionDigits > kMaxFormatWidth)
            fail(QStringLiteral("Format '%1' is too wide").arg(format));
    }
    if (!seenDigit) // no digit placeholder at all: the section is the text
        return prefix;

    const double magnitude = std::fabs(value);
    QString text = fixedText(magnitude, fractionDigits);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    QString integerPart = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    while (fraction.size() > fractionZeros && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (integerPart == QLatin1String("0") && integerZeros == 0)
        integerPart.clear();
    while (integerPart.size() < integerZeros)
        integerPart.prepend(QLatin1Char('0'));
    if (thousands)
        integerPart = grouped(integerPart);
    QString number = integerPart;
    if (!fraction.isEmpty())
        number += platform::numberFormat().decimalSeparator + fraction;
    if (number.isEmpty())
        number = QStringLiteral("0");
    if (value < 0 && !negativeSection && hasNonZeroDigit(integerPart + fraction))
        number.prepend(QLatin1Char('-'));
    return prefix + number + suffix;
}

// The desktop's FormatDateTime: d dd ddd dddd, m mm mmm mmmm (minutes right after an hour),
// yy yyyy, h hh, n nn, s ss, z zzz, "/" the date separator, ":" the time separator, quoted
// text copied.
QString rpFormatDateTime(const QString& format, double days)
{
    const QDateTime moment = rpDaysToDateTime(days);
    const QDate date = moment.date();
    const QTime time = moment.time();
    const platform::NumberFormat& nf = platform::numberFormat();
    const QLocale locale = QLocale::system();
    QChar dateSeparator = QLatin1Char('.');
    for (const QChar c : nf.shortDateFormat) {
        if (!c.isLetter() && c != QLatin1Char('\'')) {
            dateSeparator = c;
            break;
        }
    }
    QString result;
    bool afterHour = false;
    const qsizetype n = format.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = format[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            while (j < n && format[j] != c)
                ++j;
            result += format.mid(i + 1, j - i - 1);
            i = j < n ? j + 1 : n;
            continue;
        }
        const QChar lower = c.toLower();
        qsizetype run = 1;
        while (i + run < n && format[i + run].toLower() == lower)
            ++run;
        const auto two
            = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
        switch (lower.unicode()) {
        case u'd':
            if (run == 1)
                result += QString::number(date.day());
            else if (run == 2)
                result += two(date.day());
            else if (run == 3)
                result += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                result += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            afterHour = false;
            break;
        case u'm':
            if (afterHour && run <= 2) {
                result += run == 1 ? QString::number(time.minute()) : two(time.minute());
            } else if (run == 1) {
                result += QString::number(date.month());
            } else if (run == 2) {
                result += two(date.month());
            } else if (run == 3) {
                result += locale.monthName(date.month(), QLocale::ShortFormat);
            } else {
                result += nf.longMonthNames.value(
                    date.month() - 1, locale.monthName(date.month(), QLocale::LongFormat));
            }
            afterHour = false;
            break;
        case u'y':
            result += run <= 2 ? two(date.year() % 100)
                               : QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            afterHour = false;
            break;
        case u'h':
            result += run == 1 ? QString::number(time.hour()) : two(time.hour());
            afterHour = true;
            break;
        case u'n':
            result += run == 1 ? QString::number(time.minute()) : two(time.minute());
            afterHour = false;
            break;
        case u's':
            result += run == 1 ? QString::number(time.second()) : two(time.second());
            afterHour = false;
            break;
        case u'z':
            result += run >= 3 ? QString::number(time.msec()).rightJustified(3, QLatin1Char('0'))
                               : QString::number(time.msec());
            afterHour = false;
            break;
        case u'/':
            result += QString(run, dateSeparator);
            break;
        default:
            result += format.mid(i, run);
            break;
        }
        i += run;
    }
    return result;
}

// The parser and evaluator: Pascal's precedence, evaluating while it reads.
//   expression := simple [("=" | "<>" | "<" | ">" | "<=" | ">=") simple]
//   simple     := term {("+" | "-" | "or" | "xor") term}
//   term       := factor {("*" | "/" | "div" | "mod" | "and") factor}
//   factor     := number | string | "(" expression ")" | ("-" | "+" | "not") factor
//               | identifier ["(" [expression {"," expression}] ")"]

QString rpFormatValue(const TrpValue& value, TrpFormatKind kind, const QString& format)
{
    switch (kind) {
    case fkText:
        return value.toText();
    case fkNumeric: {
        // As the engine's number formats: a picture with "#" or starting with "0" is
        // FormatFloat's; one with an integer conversion takes the rounded value.
        if (format.contains(QLatin1Char('#')) || format.startsWith(QLatin1Char('0')))
            return rpFormatFloat(format, numericValue(value));
        if (format.contains(QLatin1Char('d')) || format.contains(QLatin1Char('u'))
            || format.contains(QLatin1Char('x')))
            return formatNumberByPattern(
                format, TrpValue::integer(rpRoundToInt64(numericValue(value))));
        return formatNumberByPattern(format, TrpValue::number(numericValue(value)));
    }
    case fkDateTime:
        if (value.kind() == TrpValue::String || value.kind() == TrpValue::Boolean)
            rpIncompatible(value);
        return rpFormatDateTime(format, value.asFloat());
    case fkBoolean: {
        bool truth = false;
        if (value.kind() == TrpValue::Boolean)
            truth = value.asBoolean();
        else if (value.isNumeric())
            truth = value.asFloat() != 0;
        else
            rpIncompatible(value);
        const qsizetype comma = format.indexOf(QLatin1Char(','));
        if (comma < 0)
            return truth ? format : QString();
        return truth ? format.mid(comma + 1) : format.left(comma);
    }
    }
    return value.toText();
}
