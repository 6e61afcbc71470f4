#include "rpBands.h"

#include "rpPublish.h"

RP_CLASS_INFO(TrpBand, TrpReportComponent)
RP_CLASS_INFO(TrpNullBand, TrpBand)

QList<TrpComponent*> TrpNullBand::GetContainerObjects() const
{
    if (FBorrowed.isEmpty())
        return Objects();
    return Objects() + FBorrowed;
}
