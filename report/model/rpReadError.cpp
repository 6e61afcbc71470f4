#include "rpReadError.h"

namespace {

QString describe(const TrpReadFault& fault)
{
    QString text;
    if (fault.line > 0)
        text += QStringLiteral("Line %1: ").arg(fault.line);
    if (fault.page > 0)
        text += QStringLiteral("prepared page %1: ").arg(fault.page);
    if (!fault.property.isEmpty())
        text += fault.object + u'.' + fault.property + QStringLiteral(": ");
    else if (!fault.object.isEmpty())
        text += fault.object + QStringLiteral(": ");
    return text + fault.reason;
}

} // namespace

EReadError::EReadError(TrpReadFault fault)
    : Exception(describe(fault)), fFault(std::move(fault)) { }
