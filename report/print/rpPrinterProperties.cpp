#include "rpPrinterProperties.h"

#include <utility>

namespace {

TrpPropertiesDialog& installed()
{
    static TrpPropertiesDialog dialog;
    return dialog;
}

} // namespace

void rpSetPropertiesDialog(TrpPropertiesDialog dialog) { installed() = std::move(dialog); }

bool rpRunPropertiesDialog(TrpPrinterProperties& properties)
{
    return installed() && installed()(properties);
}
