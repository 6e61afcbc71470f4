#pragma once

#include "ReportTestHelpers.h"

#include "templates/Templates.h"

// The certificate's template made `count` pages long, each saying only its number ("P3")
// in its first field, every other field empty: a job's pages tell which page they are.
inline void loadNumberedCertificate(TrpReport& report, int count)
{
    loadCertificateTemplate(report);
    setPageCount(report, count);
    TrpMemoView* number = memo(report, QStringLiteral("Memo1"));
    number->classInfo().property(u"AllowExpressions")->set(*number, true);
    number->SetText(QStringLiteral("P[Page#]"));
    for (int i = 2; i <= 42; ++i)
        memo(report, QStringLiteral("Memo%1").arg(i))->SetText(QString());
}
