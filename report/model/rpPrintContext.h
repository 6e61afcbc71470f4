#pragma once

#include "rpTypes.h"

#include "platform/core/Exception.h"

#include <QString>

// An expression that cannot be evaluated; the message says why.
class EExpressionError : public platform::Exception {
public:
    using Exception::Exception;
};

// The opening and closing delimiter of expressions: the text before and after the first
// comma of a text object's ExpressionDelimiters.
struct TrpDelimiters {
    QString open;
    QString close;
};
TrpDelimiters rpSplitDelimiters(const QString& delimiters);

// What an object filling itself during preparation is handed: the values of its
// expressions for the page being prepared, and where its errors go. The model knows no
// engine; preparation passes itself as this.
class TrpPrintContext {
public:
    virtual ~TrpPrintContext() = default;
    // The text with every expression between the delimiters ("open,close") replaced by its
    // value, formatted with the display format unless the expression names its own.
    // Throws EExpressionError.
    virtual QString ExpandExpressions(const QString& text, const QString& delimiters,
        TrpFormatKind displayKind, const QString& displayFormat) const = 0;
    // Records an error of the preparation.
    virtual void AddError(const QString& text) = 0;
};
