#pragma once

#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"

// Small look-ups the report tests share.

inline TrpMemoView* memo(const TrpComponent& root, const QString& name)
{
    return dynamic_cast<TrpMemoView*>(root.FindObject(name));
}

inline TrpReportPage* page1(const TrpReport& report)
{
    return dynamic_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
}

// Sets the page's PageCount through the property list, as a stored template would.
inline void setPageCount(TrpReport& report, int count)
{
    TrpReportPage* page = page1(report);
    page->classInfo().property(u"PageCount")->set(*page, count);
}

// The certificate's fields print their text as it stands (AllowExpressions off); the
// engine's expressions are tested on them by turning expressions on, as the test page has
// them.
inline void allowExpressions(TrpReport& report)
{
    for (TrpComponent* object : report.AllObjects()) {
        if (auto* field = dynamic_cast<TrpMemoView*>(object))
            field->classInfo().property(u"AllowExpressions")->set(*field, true);
    }
}
