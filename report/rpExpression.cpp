#include "rpExpression.h"

#include "platform/NumberFormat.h"

#include <QLocale>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

// The desktop's date type counts days from this day.
const QDate kEpoch(1899, 12, 30);
constexpr double kMsecsPerDay = 86400000.0;
// Dates beyond the years 1 … 9999 are refused, as the desktop's date type does.
constexpr double kMinDays = -693593;
constexpr double kMaxDays = 2958466;
// No format may ask for a wider field or more decimals than this.
constexpr int kMaxFormatWidth = 100;

[[noreturn]] void fail(const QString& message) { throw EExpressionError(message); }

QString kindName(TrpValue::Kind kind)
{
    switch (kind) {
    case TrpValue::Integer:
        return QStringLiteral("Integer");
    case TrpValue::Float:
        return QStringLiteral("Float");
    case TrpValue::String:
        return QStringLiteral("String");
    case TrpValue::Boolean:
        return QStringLiteral("Boolean");
    case TrpValue::Date:
        return QStringLiteral("Date");
    case TrpValue::Time:
        return QStringLiteral("Time");
    case TrpValue::DateTime:
        return QStringLiteral("DateTime");
    }
    return {};
}

[[noreturn]] void incompatible(const TrpValue& a, const TrpValue& b)
{
    fail(QStringLiteral("Incompatible types: '%1' and '%2'")
             .arg(kindName(a.kind()), kindName(b.kind())));
}

[[noreturn]] void incompatible(const TrpValue& a)
{
    fail(QStringLiteral("Incompatible type: '%1'").arg(kindName(a.kind())));
}

bool isDateKind(TrpValue::Kind kind)
{
    return kind == TrpValue::Date || kind == TrpValue::Time || kind == TrpValue::DateTime;
}

double checkedFloat(double value)
{
    if (std::isnan(value))
        fail(QStringLiteral("Invalid floating point operation"));
    if (!std::isfinite(value))
        fail(QStringLiteral("Floating point overflow"));
    return value;
}

QDateTime toDateTime(double days)
{
    if (!std::isfinite(days) || days < kMinDays || days > kMaxDays)
        fail(QStringLiteral("Invalid date"));
    const double whole = std::floor(days);
    const QDate date = kEpoch.addDays(static_cast<qint64>(whole));
    auto msecs = static_cast<qint64>(std::llround((days - whole) * kMsecsPerDay));
    if (msecs >= static_cast<qint64>(kMsecsPerDay))
        msecs = static_cast<qint64>(kMsecsPerDay) - 1;
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

double toDays(const QDate& date) { return static_cast<double>(kEpoch.daysTo(date)); }

double toDayFraction(const QTime& time) { return time.msecsSinceStartOfDay() / kMsecsPerDay; }

// Round to nearest with ties to even, as the desktop's Round does, into 64 bits.
qint64 roundToInteger(double value)
{
    checkedFloat(value);
    const double rounded = std::nearbyint(value);
    if (rounded >= 9.2233720368547758e18 || rounded < -9.2233720368547758e18)
        fail(QStringLiteral("Integer overflow"));
    // nearbyint honours the current rounding mode; make the ties explicit.
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0))
        result = floor + 1;
    return static_cast<qint64>(result);
}

qint64 truncToInteger(double value)
{
    checkedFloat(value);
    const double t = std::trunc(value);
    if (t >= 9.2233720368547758e18 || t < -9.2233720368547758e18)
        fail(QStringLiteral("Integer overflow"));
    return static_cast<qint64>(t);
}

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
    char buffer[420];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return QString::fromLatin1(buffer);
}

// Fixed notation with the program's separators; thousands grouped when asked.
QString formatFixed(double value, int decimals, bool thousands)
{
    checkedFloat(value);
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
    checkedFloat(value);
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%.*E", std::max(0, precision - 1), value);
    QString text = QString::fromLatin1(buffer);
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
        incompatible(value);
    return value.asFloat();
}

// The desktop's Format with one argument: literal text and one "%[-][width][.precision]type"
// (d, u, x, f, n, m, e, g, s); "%%" is a percent sign.
QString delphiFormat(const QString& format, const TrpValue& value)
{
    const auto invalid = [&format]() {
        fail(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
    };
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
            invalid();
        used = true;
        bool left = false;
        if (i < n && format[i] == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        const auto readNumber = [&](int& out) {
            bool any = false;
            out = 0;
            while (i < n && format[i].isDigit() && format[i].unicode() < 128) {
                out = out * 10 + (format[i].unicode() - u'0');
                if (out > kMaxFormatWidth)
                    invalid();
                ++i;
                any = true;
            }
            return any;
        };
        int width = 0;
        readNumber(width);
        int precision = -1;
        if (i < n && format[i] == QLatin1Char('.')) {
            ++i;
            if (!readNumber(precision))
                precision = 0;
        }
        if (i == n)
            invalid();
        const char16_t type = format[i].toLower().unicode();
        ++i;
        QString text;
        switch (type) {
        case u'd':
        case u'u': {
            if (value.kind() != TrpValue::Integer)
                invalid();
            const qint64 v = value.asInteger();
            if (type == u'u' && v < 0)
                invalid();
            QString digits = QString::number(v < 0 ? -static_cast<quint64>(v) : v);
            if (precision > 0)
                digits = digits.rightJustified(precision, QLatin1Char('0'));
            text = (v < 0 ? QStringLiteral("-") : QString()) + digits;
            break;
        }
        case u'x': {
            if (value.kind() != TrpValue::Integer)
                invalid();
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
            text = platform::FloatToStrF(checkedFloat(numericValue(value)), platform::ffGeneral,
                precision <= 0 ? 15 : std::min(precision, 18), 0);
            break;
        case u's':
            text = value.toText();
            if (precision >= 0)
                text.truncate(precision);
            break;
        default:
            invalid();
        }
        if (text.size() < width)
            text = left ? text.leftJustified(width) : text.rightJustified(width);
        result += text;
    }
    return result;
}

// The desktop's FormatFloat: "0" a digit always shown, "#" a digit shown when significant,
// "." the decimal separator, "," thousands grouping, sections for positive;negative;zero,
// quoted text and other characters copied.
QString formatFloat(const QString& format, double value)
{
    checkedFloat(value);
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
            if (!suffix.isEmpty()) {
                // Digits after literal text: the text stays where the digits end.
            }
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
QString formatDateTime(const QString& format, double days)
{
    const QDateTime moment = toDateTime(days);
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
class Evaluator {
public:
    Evaluator(const QString& text, const TrpSystemVariables& variables)
        : fText(text), fVariables(variables)
    {
    }

    TrpValue run()
    {
        next();
        TrpValue value = expression();
        if (fToken != Tok::End)
            fail(QStringLiteral("Unexpected \"%1\"").arg(fTokenText));
        return value;
    }

private:
    enum class Tok { End, Value, Ident, Op, LParen, RParen, Comma };

    class Depth {
    public:
        explicit Depth(int& depth) : fDepth(depth)
        {
            if (++fDepth > kMaxExpressionDepth)
                fail(QStringLiteral("Expression is nested too deeply"));
        }
        ~Depth() { --fDepth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;

    private:
        int& fDepth;
    };

    static bool isSpace(QChar c)
    {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
            || c == QLatin1Char('\n');
    }
    static bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
    static bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

    bool keyword(const char* word) const
    {
        return fToken == Tok::Ident
            && fTokenText.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool op(const char* symbol) const
    {
        return fToken == Tok::Op && fTokenText == QLatin1String(symbol);
    }

    void next()
    {
        const qsizetype n = fText.size();
        while (fPos < n && isSpace(fText[fPos]))
            ++fPos;
        fTokenValue = TrpValue();
        if (fPos >= n) {
            fToken = Tok::End;
            fTokenText = QStringLiteral("end of expression");
            return;
        }
        const qsizetype start = fPos;
        const QChar c = fText[fPos];
        if (isAsciiDigit(c)
            || (c == QLatin1Char('.') && fPos + 1 < n && isAsciiDigit(fText[fPos + 1]))) {
            number();
        } else if (c == QLatin1Char('$')) {
            ++fPos;
            while (fPos < n && fText[fPos].isLetterOrNumber() && fText[fPos].unicode() < 128)
                ++fPos;
            bool ok = false;
            const qulonglong value = fText.mid(start + 1, fPos - start - 1).toULongLong(&ok, 16);
            if (!ok || value > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
                fail(QStringLiteral("Invalid number \"%1\"").arg(fText.mid(start, fPos - start)));
            fToken = Tok::Value;
            fTokenValue = TrpValue::integer(static_cast<qint64>(value));
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            string(c);
        } else if (isIdentStart(c)) {
            while (fPos < n && (fText[fPos].isLetterOrNumber() || fText[fPos] == QLatin1Char('_')))
                ++fPos;
            if (fPos < n && fText[fPos] == QLatin1Char('#'))
                ++fPos;
            fToken = Tok::Ident;
        } else if (c == QLatin1Char('(')) {
            ++fPos;
            fToken = Tok::LParen;
        } else if (c == QLatin1Char(')')) {
            ++fPos;
            fToken = Tok::RParen;
        } else if (c == QLatin1Char(',')) {
            ++fPos;
            fToken = Tok::Comma;
        } else if (QStringLiteral("+-*/=<>").contains(c)) {
            ++fPos;
            if (c == QLatin1Char('<') && fPos < n
                && (fText[fPos] == QLatin1Char('>') || fText[fPos] == QLatin1Char('=')))
                ++fPos;
            else if (c == QLatin1Char('>') && fPos < n && fText[fPos] == QLatin1Char('='))
                ++fPos;
            fToken = Tok::Op;
        } else {
            fail(QStringLiteral("Invalid character \"%1\"").arg(c));
        }
        fTokenText = fText.mid(start, fPos - start);
    }

    void number()
    {
        const qsizetype n = fText.size();
        const qsizetype start = fPos;
        bool isFloat = false;
        while (fPos < n && isAsciiDigit(fText[fPos]))
            ++fPos;
        if (fPos < n && fText[fPos] == QLatin1Char('.') && fPos + 1 < n
            && isAsciiDigit(fText[fPos + 1])) {
            isFloat = true;
            ++fPos;
            while (fPos < n && isAsciiDigit(fText[fPos]))
                ++fPos;
        }
        if (fPos < n && (fText[fPos] == QLatin1Char('e') || fText[fPos] == QLatin1Char('E'))) {
            qsizetype p = fPos + 1;
            if (p < n && (fText[p] == QLatin1Char('+') || fText[p] == QLatin1Char('-')))
                ++p;
            if (p < n && isAsciiDigit(fText[p])) {
                isFloat = true;
                fPos = p;
                while (fPos < n && isAsciiDigit(fText[fPos]))
                    ++fPos;
            }
        }
        const QString text = fText.mid(start, fPos - start);
        fToken = Tok::Value;
        bool ok = false;
        if (!isFloat) {
            const qlonglong value = text.toLongLong(&ok);
            if (ok) {
                fTokenValue = TrpValue::integer(value);
                return;
            }
        }
        const double value = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(value))
            fail(QStringLiteral("Invalid number \"%1\"").arg(text));
        fTokenValue = TrpValue::number(value);
    }

    void string(QChar quote)
    {
        const qsizetype n = fText.size();
        QString value;
        ++fPos;
        while (true) {
            if (fPos >= n)
                fail(QStringLiteral("Unterminated string"));
            const QChar c = fText[fPos++];
            if (c == quote) {
                if (fPos < n && fText[fPos] == quote) { // a doubled quote stands for itself
                    value += c;
                    ++fPos;
                    continue;
                }
                break;
            }
            value += c;
        }
        fToken = Tok::Value;
        fTokenValue = TrpValue::string(value);
    }

    TrpValue expression()
    {
        const Depth depth(fDepth);
        TrpValue left = simple();
        if (fToken == Tok::Op
            && (op("=") || op("<>") || op("<") || op(">") || op("<=") || op(">="))) {
            const QString relation = fTokenText;
            next();
            const TrpValue right = simple();
            const int c = compare(left, right);
            bool result = false;
            if (relation == QLatin1String("="))
                result = c == 0;
            else if (relation == QLatin1String("<>"))
                result = c != 0;
            else if (relation == QLatin1String("<"))
                result = c < 0;
            else if (relation == QLatin1String(">"))
                result = c > 0;
            else if (relation == QLatin1String("<="))
                result = c <= 0;
            else
                result = c >= 0;
            left = TrpValue::boolean(result);
        }
        return left;
    }

    TrpValue simple()
    {
        TrpValue left = term();
        while (true) {
            if (op("+") || op("-")) {
                const bool plus = op("+");
                next();
                left = plus ? add(left, term()) : subtract(left, term());
            } else if (keyword("or") || keyword("xor")) {
                const bool isOr = keyword("or");
                next();
                left = logic(left, term(), isOr ? '|' : '^');
            } else {
                return left;
            }
        }
    }

    TrpValue term()
    {
        TrpValue left = factor();
        while (true) {
            if (op("*")) {
                next();
                left = arithmetic(left, factor(), '*');
            } else if (op("/")) {
                next();
                left = divide(left, factor());
            } else if (keyword("div") || keyword("mod")) {
                const bool isDiv = keyword("div");
                next();
                left = integerDivide(left, factor(), isDiv);
            } else if (keyword("and")) {
                next();
                left = logic(left, factor(), '&');
            } else {
                return left;
            }
        }
    }

    TrpValue factor()
    {
        const Depth depth(fDepth);
        switch (fToken) {
        case Tok::Value: {
            TrpValue value = std::move(fTokenValue);
            next();
            return value;
        }
        case Tok::LParen: {
            next();
            TrpValue value = expression();
            if (fToken != Tok::RParen)
                fail(QStringLiteral("\")\" expected but \"%1\" found").arg(fTokenText));
            next();
            return value;
        }
        case Tok::Op:
            if (op("-")) {
                next();
                return negate(factor());
            }
            if (op("+")) {
                next();
                TrpValue value = factor();
                if (!value.isNumeric() && !isDateKind(value.kind()))
                    incompatible(value);
                return value;
            }
            break;
        case Tok::Ident:
            if (keyword("not")) {
                next();
                const TrpValue value = factor();
                if (value.kind() == TrpValue::Boolean)
                    return TrpValue::boolean(!value.asBoolean());
                if (value.kind() == TrpValue::Integer)
                    return TrpValue::integer(~value.asInteger());
                incompatible(value);
            }
            return identifier();
        case Tok::End:
            fail(QStringLiteral("Expression expected"));
        case Tok::RParen:
        case Tok::Comma:
            break;
        }
        fail(QStringLiteral("Unexpected \"%1\"").arg(fTokenText));
    }

    TrpValue identifier()
    {
        const QString name = fTokenText;
        next();
        if (fToken == Tok::LParen) {
            next();
            QList<TrpValue> arguments;
            if (fToken != Tok::RParen) {
                while (true) {
                    arguments.append(expression());
                    if (fToken == Tok::Comma) {
                        next();
                        continue;
                    }
                    break;
                }
            }
            if (fToken != Tok::RParen)
                fail(QStringLiteral("\")\" expected but \"%1\" found").arg(fTokenText));
            next();
            return call(name, arguments);
        }
        return variable(name);
    }

    TrpValue variable(const QString& name) const
    {
        const auto is = [&name](const char* word) {
            return name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
        };
        const TrpSystemVariables& v = fVariables;
        if (is("true"))
            return TrpValue::boolean(true);
        if (is("false"))
            return TrpValue::boolean(false);
        if (is("Date"))
            return TrpValue::dateTime(toDays(v.start.date()), TrpValue::Date);
        if (is("Time"))
            return TrpValue::dateTime(toDayFraction(v.start.time()), TrpValue::Time);
        if (is("Page"))
            return TrpValue::integer(v.page);
        if (is("Page#"))
            return TrpValue::integer(v.pageAbsolute);
        if (is("TotalPages"))
            return TrpValue::integer(v.totalPages);
        if (is("TotalPages#"))
            return TrpValue::integer(v.totalPagesAbsolute);
        if (is("Line"))
            return TrpValue::integer(v.line);
        if (is("Line#"))
            return TrpValue::integer(v.lineAbsolute);
        if (is("CopyName#"))
            return TrpValue::string(v.copyName);
        fail(QStringLiteral("Undeclared identifier: '%1'").arg(name));
    }

    static void arity(const QString& name, const QList<TrpValue>& arguments, int count)
    {
        if (arguments.size() != count)
            fail(QStringLiteral("%1 expects %2 argument(s), not %3")
                     .arg(name)
                     .arg(count)
                     .arg(arguments.size()));
    }

    static const QString& stringArgument(const TrpValue& value)
    {
        if (value.kind() != TrpValue::String)
            incompatible(value);
        return value.asString();
    }

    static qint64 integerArgument(const TrpValue& value)
    {
        if (value.kind() != TrpValue::Integer)
            incompatible(value);
        return value.asInteger();
    }

    static double numberArgument(const TrpValue& value)
    {
        if (!value.isNumeric() && !isDateKind(value.kind()))
            incompatible(value);
        return value.asFloat();
    }

    static TrpValue call(const QString& name, const QList<TrpValue>& a)
    {
        const auto is = [&name](const char* word) {
            return name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
        };
        if (is("IIF")) {
            arity(name, a, 3);
            if (a[0].kind() != TrpValue::Boolean)
                incompatible(a[0]);
            return a[0].asBoolean() ? a[1] : a[2];
        }
        if (is("UpperCase")) {
            arity(name, a, 1);
            return TrpValue::string(stringArgument(a[0]).toUpper());
        }
        if (is("LowerCase")) {
            arity(name, a, 1);
            return TrpValue::string(stringArgument(a[0]).toLower());
        }
        if (is("Trim")) {
            arity(name, a, 1);
            return TrpValue::string(stringArgument(a[0]).trimmed());
        }
        if (is("Length")) {
            arity(name, a, 1);
            return TrpValue::integer(stringArgument(a[0]).size());
        }
        if (is("Copy")) {
            arity(name, a, 3);
            const QString& s = stringArgument(a[0]);
            qint64 index = integerArgument(a[1]);
            qint64 count = integerArgument(a[2]);
            if (index < 1)
                index = 1;
            if (index > s.size() || count <= 0)
                return TrpValue::string(QString());
            count = std::min<qint64>(count, s.size() - index + 1);
            return TrpValue::string(s.mid(index - 1, count));
        }
        if (is("Pos")) {
            arity(name, a, 2);
            return TrpValue::integer(stringArgument(a[1]).indexOf(stringArgument(a[0])) + 1);
        }
        if (is("IntToStr")) {
            arity(name, a, 1);
            return TrpValue::string(QString::number(integerArgument(a[0])));
        }
        if (is("FloatToStr")) {
            arity(name, a, 1);
            return TrpValue::string(platform::FloatToStr(checkedFloat(numberArgument(a[0]))));
        }
        if (is("StrToInt") || is("StrToFloat")) {
            arity(name, a, 1);
            try {
                if (is("StrToInt"))
                    return TrpValue::integer(platform::StrToInt(stringArgument(a[0])));
                return TrpValue::number(platform::StrToFloat(stringArgument(a[0])));
            } catch (const platform::EConvertError& e) {
                fail(e.message());
            }
        }
        if (is("Round")) {
            arity(name, a, 1);
            return TrpValue::integer(roundToInteger(numberArgument(a[0])));
        }
        if (is("Trunc")) {
            arity(name, a, 1);
            return TrpValue::integer(truncToInteger(numberArgument(a[0])));
        }
        if (is("Int")) {
            arity(name, a, 1);
            return TrpValue::number(std::trunc(checkedFloat(numberArgument(a[0]))));
        }
        if (is("Frac")) {
            arity(name, a, 1);
            const double x = checkedFloat(numberArgument(a[0]));
            return TrpValue::number(x - std::trunc(x));
        }
        if (is("Abs")) {
            arity(name, a, 1);
            if (a[0].kind() == TrpValue::Integer) {
                if (a[0].asInteger() == std::numeric_limits<qint64>::min())
                    fail(QStringLiteral("Integer overflow"));
                return TrpValue::integer(std::llabs(a[0].asInteger()));
            }
            return TrpValue::number(std::fabs(numberArgument(a[0])));
        }
        if (is("Min") || is("Max")) {
            arity(name, a, 2);
            const int c = compare(a[0], a[1]);
            return (is("Min") ? c <= 0 : c >= 0) ? a[0] : a[1];
        }
        if (is("FormatFloat")) {
            arity(name, a, 2);
            return TrpValue::string(formatFloat(stringArgument(a[0]), numberArgument(a[1])));
        }
        if (is("FormatDateTime")) {
            arity(name, a, 2);
            return TrpValue::string(formatDateTime(stringArgument(a[0]), numberArgument(a[1])));
        }
        if (is("DateToStr") || is("TimeToStr")) {
            arity(name, a, 1);
            const TrpValue::Kind kind = is("DateToStr") ? TrpValue::Date : TrpValue::Time;
            return TrpValue::string(TrpValue::dateTime(numberArgument(a[0]), kind).toText());
        }
        if (is("YearOf") || is("MonthOf") || is("DayOf")) {
            arity(name, a, 1);
            const QDate date = toDateTime(numberArgument(a[0])).date();
            return TrpValue::integer(is("YearOf") ? date.year()
                    : is("MonthOf")               ? date.month()
                                                  : date.day());
        }
        fail(QStringLiteral("Undeclared identifier: '%1'").arg(name));
    }

    // Order of two values: numbers and dates by value, strings by code unit, booleans with
    // False first.
    static int compare(const TrpValue& a, const TrpValue& b)
    {
        if (a.kind() == TrpValue::String && b.kind() == TrpValue::String)
            return a.asString().compare(b.asString());
        if (a.kind() == TrpValue::Boolean && b.kind() == TrpValue::Boolean)
            return int(a.asBoolean()) - int(b.asBoolean());
        const bool aNumber = a.isNumeric() || isDateKind(a.kind());
        const bool bNumber = b.isNumeric() || isDateKind(b.kind());
        if (!aNumber || !bNumber)
            incompatible(a, b);
        if (a.kind() == TrpValue::Integer && b.kind() == TrpValue::Integer)
            return a.asInteger() < b.asInteger() ? -1 : a.asInteger() > b.asInteger() ? 1 : 0;
        const double x = a.asFloat();
        const double y = b.asFloat();
        return x < y ? -1 : x > y ? 1 : 0;
    }

    static TrpValue add(const TrpValue& a, const TrpValue& b)
    {
        // Text joins anything, so "Page " + Page reads as it is meant.
        if (a.kind() == TrpValue::String || b.kind() == TrpValue::String) {
            if (a.kind() == TrpValue::String && b.kind() == TrpValue::String)
                return TrpValue::string(a.asString() + b.asString());
            return TrpValue::string(a.toText() + b.toText());
        }
        return arithmetic(a, b, '+');
    }

    static TrpValue subtract(const TrpValue& a, const TrpValue& b)
    {
        if (isDateKind(a.kind()) && isDateKind(b.kind()))
            return TrpValue::number(checkedFloat(a.asFloat() - b.asFloat()));
        return arithmetic(a, b, '-');
    }

    static TrpValue arithmetic(const TrpValue& a, const TrpValue& b, char operation)
    {
        const bool aDate = isDateKind(a.kind());
        const bool bDate = isDateKind(b.kind());
        if ((!a.isNumeric() && !aDate) || (!b.isNumeric() && !bDate))
            incompatible(a, b);
        if (a.kind() == TrpValue::Integer && b.kind() == TrpValue::Integer) {
            qint64 result = 0;
            bool overflow = false;
            switch (operation) {
            case '+':
                overflow = __builtin_add_overflow(a.asInteger(), b.asInteger(), &result);
                break;
            case '-':
                overflow = __builtin_sub_overflow(a.asInteger(), b.asInteger(), &result);
                break;
            default:
                overflow = __builtin_mul_overflow(a.asInteger(), b.asInteger(), &result);
                break;
            }
            if (!overflow)
                return TrpValue::integer(result);
        }
        const double x = a.asFloat();
        const double y = b.asFloat();
        const double result = checkedFloat(operation == '+' ? x + y
                : operation == '-'                          ? x - y
                                                            : x * y);
        if ((aDate || bDate) && operation != '*') {
            // A date moved by a number of days stays a date.
            const TrpValue::Kind kind = aDate ? a.kind() : b.kind();
            if (kind == TrpValue::Date && result != std::floor(result))
                return TrpValue::dateTime(result, TrpValue::DateTime);
            return TrpValue::dateTime(result, kind);
        }
        return TrpValue::number(result);
    }

    TrpValue divide(const TrpValue& a, const TrpValue& b) const
    {
        if ((!a.isNumeric() && !isDateKind(a.kind())) || (!b.isNumeric() && !isDateKind(b.kind())))
            incompatible(a, b);
        if (b.asFloat() == 0) {
            if (fVariables.ignoreDivByZero)
                return TrpValue::integer(0);
            fail(QStringLiteral("Division by zero"));
        }
        return TrpValue::number(checkedFloat(a.asFloat() / b.asFloat()));
    }

    TrpValue integerDivide(const TrpValue& a, const TrpValue& b, bool isDiv) const
    {
        if (a.kind() != TrpValue::Integer || b.kind() != TrpValue::Integer)
            incompatible(a, b);
        if (b.asInteger() == 0) {
            if (fVariables.ignoreDivByZero)
                return TrpValue::integer(0);
            fail(QStringLiteral("Division by zero"));
        }
        if (a.asInteger() == std::numeric_limits<qint64>::min() && b.asInteger() == -1)
            return isDiv ? TrpValue::number(-static_cast<double>(a.asInteger()))
                         : TrpValue::integer(0);
        return TrpValue::integer(
            isDiv ? a.asInteger() / b.asInteger() : a.asInteger() % b.asInteger());
    }

    static TrpValue logic(const TrpValue& a, const TrpValue& b, char operation)
    {
        if (a.kind() == TrpValue::Boolean && b.kind() == TrpValue::Boolean) {
            const bool x = a.asBoolean();
            const bool y = b.asBoolean();
            return TrpValue::boolean(operation == '&' ? x && y
                    : operation == '|'                ? x || y
                                                      : x != y);
        }
        if (a.kind() == TrpValue::Integer && b.kind() == TrpValue::Integer) {
            const qint64 x = a.asInteger();
            const qint64 y = b.asInteger();
            return TrpValue::integer(operation == '&' ? x & y : operation == '|' ? x | y : x ^ y);
        }
        incompatible(a, b);
    }

    static TrpValue negate(const TrpValue& value)
    {
        if (value.kind() == TrpValue::Integer) {
            if (value.asInteger() == std::numeric_limits<qint64>::min())
                return TrpValue::number(-static_cast<double>(value.asInteger()));
            return TrpValue::integer(-value.asInteger());
        }
        if (value.kind() == TrpValue::Float)
            return TrpValue::number(-value.asFloat());
        if (isDateKind(value.kind()))
            return TrpValue::dateTime(-value.asFloat(), value.kind());
        incompatible(value);
    }

    const QString& fText;
    const TrpSystemVariables& fVariables;
    qsizetype fPos = 0;
    int fDepth = 0;
    Tok fToken = Tok::End;
    QString fTokenText;
    TrpValue fTokenValue;
};

bool isBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r')
            && c != QLatin1Char('\n'))
            return false;
    }
    return true;
}

// Where the format suffix " #<letter>…" starts outside quoted text; -1 without one.
qsizetype formatSuffix(const QString& expression)
{
    QChar quote;
    for (qsizetype i = 0; i + 2 < expression.size(); ++i) {
        const QChar c = expression[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char(' ') && expression[i + 1] == QLatin1Char('#')
            && QStringLiteral("nNdDbB").contains(expression[i + 2]))
            return i;
    }
    return -1;
}

// Index of the closing delimiter that matches an opening one whose expression starts at
// `from`; -1 when there is none.
qsizetype matchingClose(const QString& text, qsizetype from, const TrpDelimiters& d)
{
    int depth = 1;
    QChar quote;
    qsizetype i = from;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            ++i;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            ++i;
            continue;
        }
        if (!d.close.isEmpty() && QStringView(text).mid(i).startsWith(d.close)) {
            if (--depth == 0)
                return i;
            i += d.close.size();
            continue;
        }
        if (QStringView(text).mid(i).startsWith(d.open)) {
            ++depth;
            i += d.open.size();
            continue;
        }
        ++i;
    }
    return -1;
}

} // namespace

TrpValue TrpValue::integer(qint64 value)
{
    TrpValue v;
    v.fKind = Integer;
    v.fInteger = value;
    return v;
}

TrpValue TrpValue::number(double value)
{
    TrpValue v;
    v.fKind = Float;
    v.fFloat = value;
    return v;
}

TrpValue TrpValue::string(QString value)
{
    TrpValue v;
    v.fKind = String;
    v.fString = std::move(value);
    return v;
}

TrpValue TrpValue::boolean(bool value)
{
    TrpValue v;
    v.fKind = Boolean;
    v.fInteger = value ? 1 : 0;
    return v;
}

TrpValue TrpValue::dateTime(double days, Kind kind)
{
    TrpValue v;
    v.fKind = kind;
    v.fFloat = days;
    return v;
}

bool TrpValue::isNumeric() const { return fKind == Integer || fKind == Float; }

double TrpValue::asFloat() const
{
    return fKind == Integer ? static_cast<double>(fInteger) : fFloat;
}

QString TrpValue::toText() const
{
    const platform::NumberFormat& nf = platform::numberFormat();
    switch (fKind) {
    case Integer:
        return QString::number(fInteger);
    case Float:
        return platform::FloatToStr(checkedFloat(fFloat));
    case String:
        return fString;
    case Boolean:
        return fInteger ? QStringLiteral("True") : QStringLiteral("False");
    case Date:
        return toDateTime(fFloat).date().toString(nf.shortDateFormat);
    case Time:
        return toDateTime(fFloat).time().toString(nf.longTimeFormat);
    case DateTime: {
        const QDateTime moment = toDateTime(fFloat);
        QString text = moment.date().toString(nf.shortDateFormat);
        if (moment.time() != QTime(0, 0))
            text += QLatin1Char(' ') + moment.time().toString(nf.longTimeFormat);
        return text;
    }
    }
    return {};
}

TrpValue rpEvaluate(const QString& expression, const TrpSystemVariables& variables)
{
    if (expression.size() > kMaxExpressionLength)
        fail(QStringLiteral("Expression is too long"));
    return Evaluator(expression, variables).run();
}

QString rpFormatValue(const TrpValue& value, TrpFormatKind kind, const QString& format)
{
    switch (kind) {
    case fkText:
        return value.toText();
    case fkNumeric: {
        // As the engine's number formats: a picture with "#" or starting with "0" is
        // FormatFloat's; one with an integer conversion takes the rounded value.
        if (format.contains(QLatin1Char('#')) || format.startsWith(QLatin1Char('0')))
            return formatFloat(format, numericValue(value));
        if (format.contains(QLatin1Char('d')) || format.contains(QLatin1Char('u'))
            || format.contains(QLatin1Char('x')))
            return delphiFormat(format, TrpValue::integer(roundToInteger(numericValue(value))));
        return delphiFormat(format, TrpValue::number(numericValue(value)));
    }
    case fkDateTime:
        if (value.kind() == TrpValue::String || value.kind() == TrpValue::Boolean)
            incompatible(value);
        return formatDateTime(format, value.asFloat());
    case fkBoolean: {
        bool truth = false;
        if (value.kind() == TrpValue::Boolean)
            truth = value.asBoolean();
        else if (value.isNumeric())
            truth = value.asFloat() != 0;
        else
            incompatible(value);
        const qsizetype comma = format.indexOf(QLatin1Char(','));
        if (comma < 0)
            return truth ? format : QString();
        return truth ? format.mid(comma + 1) : format.left(comma);
    }
    }
    return value.toText();
}

QString rpCalcAndFormat(const QString& expression, const TrpSystemVariables& variables,
    TrpFormatKind displayKind, const QString& displayFormat)
{
    if (expression.size() > kMaxExpressionLength)
        fail(QStringLiteral("Expression is too long"));
    QString text = expression;
    TrpFormatKind kind = displayKind;
    QString format = displayFormat;
    if (const qsizetype suffix = formatSuffix(text); suffix >= 0) {
        const char16_t letter = text[suffix + 2].toLower().unicode();
        kind = letter == u'n' ? fkNumeric : letter == u'd' ? fkDateTime : fkBoolean;
        format = text.mid(suffix + 3);
        text.truncate(suffix);
    }
    const QString name = text.trimmed();
    if (name.compare(QLatin1String("TOTALPAGES#"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("[TOTALPAGES#]");
    if (name.compare(QLatin1String("COPYNAME#"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("[COPYNAME#]");
    if (isBlank(text))
        return QString();
    return rpFormatValue(rpEvaluate(text, variables), kind, format);
}

TrpDelimiters rpSplitDelimiters(const QString& delimiters)
{
    const qsizetype comma = delimiters.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {delimiters, QString()};
    return {delimiters.left(comma), delimiters.mid(comma + 1)};
}

QString rpExpandExpressions(const QString& text, const QString& delimiters,
    const TrpSystemVariables& variables, TrpFormatKind displayKind, const QString& displayFormat)
{
    const TrpDelimiters d = rpSplitDelimiters(delimiters);
    if (d.open.isEmpty() || !text.contains(d.open))
        return text;
    // Built as a new text rather than edited in place: the scan goes on in the original
    // after each expression, so an inserted value is never scanned again and the work stays
    // linear in the length of the text.
    QString result;
    qsizetype p = 0;
    while (true) {
        const qsizetype start = text.indexOf(d.open, p);
        if (start < 0) {
            result += QStringView(text).mid(p);
            break;
        }
        result += QStringView(text).mid(p, start - p);
        const qsizetype begin = start + d.open.size();
        const qsizetype end = matchingClose(text, begin, d);
        if (end < 0) {
            // Without its closing delimiter the expression is the rest of the text but its
            // last character (the final line feed), and the value replaces all of the rest.
            const qsizetype length = std::max<qsizetype>(0, text.size() - 1 - begin);
            result
                += rpCalcAndFormat(text.mid(begin, length), variables, displayKind, displayFormat);
            break;
        }
        result
            += rpCalcAndFormat(text.mid(begin, end - begin), variables, displayKind, displayFormat);
        p = end + d.close.size();
    }
    return result;
}
