#include "rpValue.h"

#include "report/model/rpPrintContext.h"

#include "platform/core/NumberFormat.h"

#include <cmath>

namespace {

// The desktop's date type counts days from this day.
const QDate kEpoch(1899, 12, 30);
constexpr double kMsecsPerDay = 86400000.0;
// Dates beyond the years 1 … 9999 are refused, as the desktop's date type does.
constexpr double kMinDays = -693593;
constexpr double kMaxDays = 2958466;

[[noreturn]] void fail(const QString& message) { throw EExpressionError(message); }

} // namespace

QString rpKindName(TrpValue::Kind kind)
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

[[noreturn]] void rpIncompatible(const TrpValue& a, const TrpValue& b)
{
    fail(QStringLiteral("Incompatible types: '%1' and '%2'")
             .arg(rpKindName(a.kind()), rpKindName(b.kind())));
}

[[noreturn]] void rpIncompatible(const TrpValue& a)
{
    fail(QStringLiteral("Incompatible type: '%1'").arg(rpKindName(a.kind())));
}

bool rpIsDateKind(TrpValue::Kind kind)
{
    return kind == TrpValue::Date || kind == TrpValue::Time || kind == TrpValue::DateTime;
}

double rpCheckedFloat(double value)
{
    if (std::isnan(value))
        fail(QStringLiteral("Invalid floating point operation"));
    if (!std::isfinite(value))
        fail(QStringLiteral("Floating point overflow"));
    return value;
}

QDateTime rpDaysToDateTime(double days)
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

double rpDateToDays(const QDate& date) { return static_cast<double>(kEpoch.daysTo(date)); }

double rpTimeToDays(const QTime& time) { return time.msecsSinceStartOfDay() / kMsecsPerDay; }

// Round to nearest with ties to even, as the desktop's Round does, into 64 bits.
qint64 rpRoundToInt64(double value)
{
    rpCheckedFloat(value);
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

qint64 rpTruncToInt64(double value)
{
    rpCheckedFloat(value);
    const double t = std::trunc(value);
    if (t >= 9.2233720368547758e18 || t < -9.2233720368547758e18)
        fail(QStringLiteral("Integer overflow"));
    return static_cast<qint64>(t);
}

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
        return platform::FloatToStr(rpCheckedFloat(fFloat));
    case String:
        return fString;
    case Boolean:
        return fInteger ? QStringLiteral("True") : QStringLiteral("False");
    case Date:
        return rpDaysToDateTime(fFloat).date().toString(nf.shortDateFormat);
    case Time:
        return rpDaysToDateTime(fFloat).time().toString(nf.longTimeFormat);
    case DateTime: {
        const QDateTime moment = rpDaysToDateTime(fFloat);
        QString text = moment.date().toString(nf.shortDateFormat);
        if (moment.time() != QTime(0, 0))
            text += QLatin1Char(' ') + moment.time().toString(nf.longTimeFormat);
        return text;
    }
    }
    return {};
}
