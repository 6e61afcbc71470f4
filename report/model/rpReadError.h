#pragma once

#include "platform/core/Exception.h"

#include <QString>

// Where a document stops fitting the model, and why: the line of the document (counted
// from 1; 0 when the file could not be read at all), the prepared page (counted from 1; 0
// outside one), the object and its property (either may be empty) and the reason.
struct TrpReadFault {
    qint64 line = 0;
    int page = 0;
    QString object;
    QString property;
    QString reason;
};

// A stream that cannot be read into the model: malformed, an unknown class or property, a
// value of the wrong type or beyond what a report can hold. The operator reads the fault as
//   Line 12: prepared page 3: Memo5.Left: "wide" is not a valid floating point value
// and callers and tests look at its parts.
class EReadError : public platform::Exception {
public:
    explicit EReadError(TrpReadFault fault);

    const TrpReadFault& fault() const noexcept { return fFault; }

private:
    TrpReadFault fFault;
};
