#include "rpExpression.h"

#include "rpFormat.h"

#include "platform/core/NumberFormat.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void fail(const QString& message) { throw EExpressionError(message); }

// Order of two values: numbers and dates by value, strings by code unit, booleans with
// False first.
int compare(const TrpValue& a, const TrpValue& b)
{
    if (a.kind() == TrpValue::String && b.kind() == TrpValue::String)
        return a.asString().compare(b.asString());
    if (a.kind() == TrpValue::Boolean && b.kind() == TrpValue::Boolean)
        return int(a.asBoolean()) - int(b.asBoolean());
    const bool aNumber = a.isNumeric() || rpIsDateKind(a.kind());
    const bool bNumber = b.isNumeric() || rpIsDateKind(b.kind());
    if (!aNumber || !bNumber)
        rpIncompatible(a, b);
    if (a.kind() == TrpValue::Integer && b.kind() == TrpValue::Integer)
        return a.asInteger() < b.asInteger() ? -1 : a.asInteger() > b.asInteger() ? 1 : 0;
    const double x = a.asFloat();
    const double y = b.asFloat();
    return x < y ? -1 : x > y ? 1 : 0;
}

const QString& stringArgument(const TrpValue& value)
{
    if (value.kind() != TrpValue::String)
        rpIncompatible(value);
    return value.asString();
}

qint64 integerArgument(const TrpValue& value)
{
    if (value.kind() != TrpValue::Integer)
        rpIncompatible(value);
    return value.asInteger();
}

double numberArgument(const TrpValue& value)
{
    if (!value.isNumeric() && !rpIsDateKind(value.kind()))
        rpIncompatible(value);
    return value.asFloat();
}

// A text read as a number: a text that is no number fails with the conversion's message.
template <typename Convert> TrpValue converted(Convert convert)
{
    try {
        return convert();
    } catch (const platform::EConvertError& e) {
        fail(e.message());
    }
}

TrpValue dateText(const QList<TrpValue>& a, TrpValue::Kind kind)
{
    return TrpValue::string(TrpValue::dateTime(numberArgument(a[0]), kind).toText());
}

QDate dateOf(const QList<TrpValue>& a) { return rpDaysToDateTime(numberArgument(a[0])).date(); }

// A function an expression may call: its name (any case), how many arguments it takes and
// what it does with them once their number is right.
struct Builtin {
    const char* name;
    int arity;
    TrpValue (*call)(const QList<TrpValue>& a);
};

const Builtin kBuiltins[] = {
    {"IIF", 3,
        [](const QList<TrpValue>& a) {
            if (a[0].kind() != TrpValue::Boolean)
                rpIncompatible(a[0]);
            return a[0].asBoolean() ? a[1] : a[2];
        }},
    {"UpperCase", 1,
        [](const QList<TrpValue>& a) { return TrpValue::string(stringArgument(a[0]).toUpper()); }},
    {"LowerCase", 1,
        [](const QList<TrpValue>& a) { return TrpValue::string(stringArgument(a[0]).toLower()); }},
    {"Trim", 1,
        [](const QList<TrpValue>& a) { return TrpValue::string(stringArgument(a[0]).trimmed()); }},
    {"Length", 1,
        [](const QList<TrpValue>& a) { return TrpValue::integer(stringArgument(a[0]).size()); }},
    {"Copy", 3,
        [](const QList<TrpValue>& a) {
            const QString& s = stringArgument(a[0]);
            qint64 index = integerArgument(a[1]);
            qint64 count = integerArgument(a[2]);
            if (index < 1)
                index = 1;
            if (index > s.size() || count <= 0)
                return TrpValue::string(QString());
            count = std::min<qint64>(count, s.size() - index + 1);
            return TrpValue::string(s.mid(index - 1, count));
        }},
    {"Pos", 2,
        [](const QList<TrpValue>& a) {
            return TrpValue::integer(stringArgument(a[1]).indexOf(stringArgument(a[0])) + 1);
        }},
    {"IntToStr", 1,
        [](const QList<TrpValue>& a) {
            return TrpValue::string(QString::number(integerArgument(a[0])));
        }},
    {"FloatToStr", 1,
        [](const QList<TrpValue>& a) {
            return TrpValue::string(platform::FloatToStr(rpCheckedFloat(numberArgument(a[0]))));
        }},
    {"StrToInt", 1,
        [](const QList<TrpValue>& a) {
            return converted(
                [&a] { return TrpValue::integer(platform::StrToInt(stringArgument(a[0]))); });
        }},
    {"StrToFloat", 1,
        [](const QList<TrpValue>& a) {
            return converted(
                [&a] { return TrpValue::number(platform::StrToFloat(stringArgument(a[0]))); });
        }},
    {"Round", 1,
        [](const QList<TrpValue>& a) {
            return TrpValue::integer(rpRoundToInt64(numberArgument(a[0])));
        }},
    {"Trunc", 1,
        [](const QList<TrpValue>& a) {
            return TrpValue::integer(rpTruncToInt64(numberArgument(a[0])));
        }},
    {"Int", 1,
        [](const QList<TrpValue>& a) {
            return TrpValue::number(std::trunc(rpCheckedFloat(numberArgument(a[0]))));
        }},
    {"Frac", 1,
        [](const QList<TrpValue>& a) {
            const double x = rpCheckedFloat(numberArgument(a[0]));
            return TrpValue::number(x - std::trunc(x));
        }},
    {"Abs", 1,
        [](const QList<TrpValue>& a) {
            if (a[0].kind() == TrpValue::Integer) {
                if (a[0].asInteger() == std::numeric_limits<qint64>::min())
                    fail(QStringLiteral("Integer overflow"));
                return TrpValue::integer(std::llabs(a[0].asInteger()));
            }
            return TrpValue::number(std::fabs(numberArgument(a[0])));
        }},
    {"Min", 2, [](const QList<TrpValue>& a) { return compare(a[0], a[1]) <= 0 ? a[0] : a[1]; }},
    {"Max", 2, [](const QList<TrpValue>& a) { return compare(a[0], a[1]) >= 0 ? a[0] : a[1]; }},
    {"FormatFloat", 2,
        [](const QList<TrpValue>& a) {
            return TrpValue::string(rpFormatFloat(stringArgument(a[0]), numberArgument(a[1])));
        }},
    {"FormatDateTime", 2,
        [](const QList<TrpValue>& a) {
            return TrpValue::string(rpFormatDateTime(stringArgument(a[0]), numberArgument(a[1])));
        }},
    {"DateToStr", 1, [](const QList<TrpValue>& a) { return dateText(a, TrpValue::Date); }},
    {"TimeToStr", 1, [](const QList<TrpValue>& a) { return dateText(a, TrpValue::Time); }},
    {"YearOf", 1, [](const QList<TrpValue>& a) { return TrpValue::integer(dateOf(a).year()); }},
    {"MonthOf", 1, [](const QList<TrpValue>& a) { return TrpValue::integer(dateOf(a).month()); }},
    {"DayOf", 1, [](const QList<TrpValue>& a) { return TrpValue::integer(dateOf(a).day()); }},
};

TrpValue callBuiltin(const QString& name, const QList<TrpValue>& arguments)
{
    for (const Builtin& function : kBuiltins) {
        if (name.compare(QLatin1String(function.name), Qt::CaseInsensitive) != 0)
            continue;
        if (arguments.size() != function.arity)
            fail(QStringLiteral("%1 expects %2 argument(s), not %3")
                     .arg(name)
                     .arg(function.arity)
                     .arg(arguments.size()));
        return function.call(arguments);
    }
    fail(QStringLiteral("Undeclared identifier: '%1'").arg(name));
}

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
            // Two-character operators: <>, <= and >=.
            const bool comparison = c == QLatin1Char('<') || c == QLatin1Char('>');
            if (fPos < n
                && ((c == QLatin1Char('<') && fText[fPos] == QLatin1Char('>'))
                    || (comparison && fText[fPos] == QLatin1Char('='))))
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
                if (!value.isNumeric() && !rpIsDateKind(value.kind()))
                    rpIncompatible(value);
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
                rpIncompatible(value);
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
            return callBuiltin(name, arguments);
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
            return TrpValue::dateTime(rpDateToDays(v.start.date()), TrpValue::Date);
        if (is("Time"))
            return TrpValue::dateTime(rpTimeToDays(v.start.time()), TrpValue::Time);
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
        if (rpIsDateKind(a.kind()) && rpIsDateKind(b.kind()))
            return TrpValue::number(rpCheckedFloat(a.asFloat() - b.asFloat()));
        return arithmetic(a, b, '-');
    }

    static TrpValue arithmetic(const TrpValue& a, const TrpValue& b, char operation)
    {
        const bool aDate = rpIsDateKind(a.kind());
        const bool bDate = rpIsDateKind(b.kind());
        if ((!a.isNumeric() && !aDate) || (!b.isNumeric() && !bDate))
            rpIncompatible(a, b);
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
        const double result = rpCheckedFloat(operation == '+' ? x + y
                : operation == '-'                            ? x - y
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
        if ((!a.isNumeric() && !rpIsDateKind(a.kind()))
            || (!b.isNumeric() && !rpIsDateKind(b.kind())))
            rpIncompatible(a, b);
        if (b.asFloat() == 0) {
            if (fVariables.ignoreDivByZero)
                return TrpValue::integer(0);
            fail(QStringLiteral("Division by zero"));
        }
        return TrpValue::number(rpCheckedFloat(a.asFloat() / b.asFloat()));
    }

    TrpValue integerDivide(const TrpValue& a, const TrpValue& b, bool isDiv) const
    {
        if (a.kind() != TrpValue::Integer || b.kind() != TrpValue::Integer)
            rpIncompatible(a, b);
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
        rpIncompatible(a, b);
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
        if (rpIsDateKind(value.kind()))
            return TrpValue::dateTime(-value.asFloat(), value.kind());
        rpIncompatible(value);
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

TrpValue rpEvaluate(const QString& expression, const TrpSystemVariables& variables)
{
    if (expression.size() > kMaxExpressionLength)
        fail(QStringLiteral("Expression is too long"));
    return Evaluator(expression, variables).run();
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
