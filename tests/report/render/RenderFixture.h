#pragma once

#include "report/model/rpCustomReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"
#include "templates/Templates.h"

#include "platform/core/RecordingCanvas.h"

#include <QList>
#include <QPoint>

#include <memory>

// A template loaded into its own report, with a look-up of its first page's objects.
struct LoadedTemplate {
    std::unique_ptr<TrpCustomReport> report = std::make_unique<TrpCustomReport>();

    TrpReportPage& page() const
    {
        return *static_cast<TrpReportPage*>(report->FindObject("Page1"));
    }
    template <class T> T& object(const char* name) const
    {
        return *dynamic_cast<T*>(report->FindObject(QString::fromLatin1(name)));
    }
};

inline LoadedTemplate testPage()
{
    LoadedTemplate loaded;
    loadTestPageTemplate(*loaded.report);
    return loaded;
}

inline LoadedTemplate certificate()
{
    LoadedTemplate loaded;
    loadCertificateTemplate(*loaded.report);
    return loaded;
}

// A screen-like recording canvas big enough for an A5 page at the given scale.
inline platform::RecordingCanvas screenCanvas(double scale = 1)
{
    return platform::RecordingCanvas(QRect(0, 0, int(600 * scale), int(820 * scale)));
}
