#include "rpClass.h"

#include <array>

const TrpClassInfo* rpFindClass(QStringView name)
{
    static const std::array<const TrpClassInfo*, 15> classes {
        &TrpComponent::staticClassInfo(),
        &TrpReportComponent::staticClassInfo(),
        &TrpView::staticClassInfo(),
        &TrpStretcheable::staticClassInfo(),
        &TrpCustomMemoView::staticClassInfo(),
        &TrpMemoView::staticClassInfo(),
        &TrpCustomLineView::staticClassInfo(),
        &TrpLineView::staticClassInfo(),
        &TrpShapeView::staticClassInfo(),
        &TrpBand::staticClassInfo(),
        &TrpNullBand::staticClassInfo(),
        &TrpPage::staticClassInfo(),
        &TrpReportPage::staticClassInfo(),
        &TrpDataPage::staticClassInfo(),
        &TrpCustomReport::staticClassInfo(),
    };
    for (const TrpClassInfo* info : classes) {
        if (info->name == name)
            return info;
    }
    return nullptr;
}
