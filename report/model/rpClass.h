#pragma once

// The report document model: units, paper table, the class tree from TrpComponent to
// TrpCustomReport and its property mechanism.

#include "rpBands.h"
#include "rpComponent.h"
#include "rpCustomReport.h"
#include "rpPages.h"
#include "rpPaper.h"
#include "rpProperty.h"
#include "rpTypes.h"
#include "rpUnits.h"
#include "rpViews.h"
