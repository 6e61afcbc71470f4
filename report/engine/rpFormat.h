#pragma once

#include "report/model/rpTypes.h"
#include "rpValue.h"

#include <QString>

// Formats of expression values, after the desktop's routines, with the separators and
// names of the program-wide number format. Every routine is bounded: a format asking for
// more than 100 digits or characters of width is refused. Errors are EExpressionError.

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
