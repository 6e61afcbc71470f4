#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// A value of the evaluator. Dates and times are days since 30 December 1899 with the time
// as the fraction of a day, as the desktop's date type holds them, so Date + 1 is tomorrow.
class TrpValue {
public:
    enum Kind { Integer, Float, String, Boolean, Date, Time, DateTime };

    TrpValue() = default;
    static TrpValue integer(qint64 value);
    static TrpValue number(double value);
    static TrpValue string(QString value);
    static TrpValue boolean(bool value);
    static TrpValue dateTime(double days, Kind kind);

    Kind kind() const { return fKind; }
    bool isNumeric() const;
    qint64 asInteger() const { return fInteger; }
    double asFloat() const; // any numeric or date kind
    bool asBoolean() const { return fInteger != 0; }
    const QString& asString() const { return fString; }
    // Plain conversion to text: numbers in the general format of the program-wide number
    // format, True/False, dates and times in the locale's short date and long time format.
    QString toText() const;

private:
    Kind fKind = Integer;
    qint64 fInteger = 0; // Integer, Boolean
    double fFloat = 0; // Float, Date, Time, DateTime
    QString fString;
};

// Conversions of values, after the desktop's routines. Errors are EExpressionError.

// The name of a kind of value in messages ("Integer", "String", …).
QString rpKindName(TrpValue::Kind kind);
[[noreturn]] void rpIncompatible(const TrpValue& a, const TrpValue& b);
[[noreturn]] void rpIncompatible(const TrpValue& value);
bool rpIsDateKind(TrpValue::Kind kind);
// The value when it is a finite number; an error otherwise.
double rpCheckedFloat(double value);

// Days as a date and time; an error outside the years 1 … 9999.
QDateTime rpDaysToDateTime(double days);
double rpDateToDays(const QDate& date);
double rpTimeToDays(const QTime& time);
// To a whole number in 64 bits: rounded with ties to even, or truncated; an error when it
// does not fit.
qint64 rpRoundToInt64(double value);
qint64 rpTruncToInt64(double value);
