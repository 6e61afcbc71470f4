#pragma once

#include "report/model/rpPrintContext.h"
#include "report/model/rpTypes.h"
#include "rpValue.h"

#include <QDateTime>
#include <QString>

// Expressions in the texts of text objects.
//
// A text typed by the operator may hold expressions between the object's delimiters
// ("[" and "]" by default). Preparation replaces each by its value. The evaluator is our
// own and small: literals, the system variables, arithmetic, string concatenation,
// comparisons, logic, parentheses and a few common functions. It reaches nothing outside
// the expression: no file, no process, no object of the program. Input is untrusted, so
// every path is bounded: an expression longer than kMaxExpressionLength or nested deeper
// than kMaxExpressionDepth is refused with an error, never followed into a stack overflow.

inline constexpr int kMaxExpressionLength = 4096;
inline constexpr int kMaxExpressionDepth = 64;

// What an expression may read besides its own literals: the system variables of the
// running preparation.
struct TrpSystemVariables {
    QDateTime start; // Date and Time: when preparation started
    int page = 1; // Page: the logical page number
    int pageAbsolute = 1; // Page#
    int totalPages = 0; // TotalPages: known only after a first pass, 0 in one pass
    int totalPagesAbsolute = 0; // TotalPages#
    int line = 1; // Line: no data band here, so the first line
    int lineAbsolute = 1; // Line#
    QString copyName; // CopyName#
    bool ignoreDivByZero = false; // EngineOptions.IgnoreDevByZero: x / 0 gives 0
};

// Evaluates one expression (without delimiters and without a format suffix).
// Throws EExpressionError.
TrpValue rpEvaluate(const QString& expression, const TrpSystemVariables& variables);

// The value of the text between two delimiters as it goes into the text: an optional
// format suffix (" #n%2.2f", " #dd.mm.yyyy", " #bNo,Yes") is split off; "TotalPages#" and
// "CopyName#" stay as the macros "[TOTALPAGES#]" and "[COPYNAME#]" for drawing; everything
// else is evaluated and formatted with the suffix's format or else the display format.
// Throws EExpressionError.
QString rpCalcAndFormat(const QString& expression, const TrpSystemVariables& variables,
    TrpFormatKind displayKind = fkText, const QString& displayFormat = {});

// Replaces every expression between the delimiters ("open,close") of a text by its value:
// nesting is counted, delimiters inside quoted text are ignored,
// an inserted value is never scanned again, and an opening delimiter without its closing
// one takes the rest of the text but its last character as the expression and replaces all
// of the rest. A text without the opening delimiter comes back unchanged.
// Throws EExpressionError.
QString rpExpandExpressions(const QString& text, const QString& delimiters,
    const TrpSystemVariables& variables, TrpFormatKind displayKind = fkText,
    const QString& displayFormat = {});
