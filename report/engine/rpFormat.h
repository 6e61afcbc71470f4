#pragma once

#include "rpExpression.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Conversions and formats of expression values, after the desktop's
// routines, with the separators and names of the program-wide number format. Dates are
// days since 30 December 1899, the time the fraction of a day. Every routine is bounded: a
// format asking for more than 100 digits or characters of width is refused. Errors are
// EExpressionError.

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

// FormatFloat: "0" a digit always shown, "#" a digit shown when significant, "." the decimal
// separator, "," grouping by thousands, sections positive;negative;zero, quoted text.
QString rpFormatFloat(const QString& format, double value);
// FormatDateTime: d dd ddd dddd, m mm mmm mmmm (minutes right after an hour), yy yyyy,
// h hh, n nn, s ss, z zzz, "/" the date separator, quoted text.
QString rpFormatDateTime(const QString& format, double days);
// A value in a format kind: fkText plain text; fkNumeric FormatFloat for a picture with "#"
// or starting with "0", else Format with one "%[-][width][.precision]type" (d u x f n m e g
// s); fkDateTime FormatDateTime; fkBoolean "FalseText,TrueText".
QString rpFormatValue(const TrpValue& value, TrpFormatKind kind, const QString& format);
