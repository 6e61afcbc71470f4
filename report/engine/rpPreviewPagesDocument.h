#pragma once

// The in-memory form of the prepared pages, shared by the store and by its file format
// (reading and writing a prepared-report file). Nothing outside the engine includes it.

#include "rpPreviewPages.h"

#include "report/model/rpPages.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class QXmlStreamReader;

struct TrpPreviewPages::Document {
    struct Alias {
        QString name;
        const TrpComponent* source;
        int page; // index of the source copy
        int index; // place in that copy's AllObjects
    };

    struct PageEntry {
        int source = -1; // index of the source copy; -1 for a complete page (ModifyPage)
        QByteArray content; // UTF-8 XML: the page's containers, or the complete page
        QSize size; // of a complete page
    };

    QString reportName;
    std::vector<std::unique_ptr<TrpReportPage>> sourcePages;
    QList<Alias> dictionary;
    QHash<QString, int> aliases; // alias → place in dictionary
    QHash<QString, int> nextNumber; // alias prefix → last number given
    std::vector<PageEntry> pages;

    void addSourcePage(std::unique_ptr<TrpReportPage> copy);
    std::unique_ptr<TrpReportPage> build(const PageEntry& entry) const;
};

// Refuses what a stored page or file holds, at the reader's line.
[[noreturn]] void rpFailAt(const QXmlStreamReader& xml, const QString& reason);

// Reads what the reader stands on as a report page with its objects.
std::unique_ptr<TrpReportPage> rpReadCompletePage(QXmlStreamReader& xml);

// A page's size in report pixels, rounded as a stored page's size is.
QSize rpRoundedPageSize(const TrpComponent& page);
