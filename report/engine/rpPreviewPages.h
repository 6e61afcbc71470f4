#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
namespace platform {
class Canvas;
}
class TrpComponent;
struct TrpPreviewOptions;
class TrpProgressObserver;
class TrpReportPage;

// Told how far a load has gone, in per cent; false cancels it.
using TrpLoadProgress = std::function<bool(int percent)>;

// How AddPage treats the current page: apAdd appends a new page; apWriteOver reuses the
// page after the current one while there is one (a second pass writes over the first).
enum TrpAddPageAction { apWriteOver, apAdd };

// One entry of the dictionary: an alias (memo1, memo2, …; b1, b2, … for bands) for an
// object of a source copy, and that object's source name "Page<k>.<Name>".
struct TrpAliasEntry {
    QString alias;
    QString sourceName;
};

// The prepared pages of one report.
//
// Preparation makes one source copy of every printable page of the template and gives each
// of its objects an alias. A prepared page is stored as differences: each object under its
// alias with only the properties that differ from its source copy (the property mechanism's
// rpDiff, written by the one XML writer of rpStream.h), the page-level container under its
// class name with what differs from a new object. GetPage rebuilds a page into ordinary
// objects named like the template's and keeps the last PreviewOptions.PagesInCache rebuilt
// pages. The pages do not depend on the template once preparation has finished.
//
// A prepared-report file is the whole store as one XML document:
//   <preparedreport version="1">
//     <report><TrpReport ReportOptions.Name="…"/></report>
//     <sourcepages><TrpReportPage Name="Page1" …><TrpMemoView …/>…</TrpReportPage></sourcepages>
//     <dictionary><item name="memo1" page="0" index="0"/>…</dictionary>
//     <picturecache/><outline/><anchors/>
//     <previewpages>
//       <page0><TrpNullBand Width="…" Height="…"><memo1/><memo2>…</memo2>…</TrpNullBand></page0>
//       <TrpReportPage …>…</TrpReportPage>          (a page replaced by ModifyPage)
//     </previewpages>
//   </preparedreport>
// where an item names the object by its page and its place in that page's AllObjects.
class TrpPreviewPages {
public:
    // The cache keeps options.PagesInCache pages (read at every rebuild); a run's start,
    // pages and end are told to progress.
    TrpPreviewPages(const TrpPreviewOptions& options, TrpProgressObserver& progress);
    ~TrpPreviewPages();
    TrpPreviewPages(const TrpPreviewPages&) = delete;
    TrpPreviewPages& operator=(const TrpPreviewPages&) = delete;

    // The number of prepared pages.
    int Count() const;
    // Empties the pages, the source copies, the dictionary and the page cache; CurPage
    // becomes -1.
    void Clear();

    // Preparation (the engine's calls).
    // Starts a run of the named report: empties the cache and tells of the start.
    void Initialize(const QString& reportName);
    // Ends a run: empties the cache, detaches the source copies from the template and
    // tells of the end.
    void Finish();
    // Makes the source copy of a template page and gives its objects aliases.
    void AddSourcePage(const TrpReportPage& page);
    // Starts a new prepared page for a template page (see TrpAddPageAction).
    void AddPage(const TrpReportPage& page);
    // Appends a snapshot of an object and of the objects shown inside it
    // (GetContainerObjects) that are visible and shown in the preview, to the current page.
    void AddObject(const TrpComponent& object);

    // The rebuilt page; none for an index outside 0 … Count - 1. The store keeps it (the
    // caller must not free it) until it leaves the cache, the store is changed or cleared.
    TrpReportPage* GetPage(int index);
    // The page's Width and Height in report pixels, rounded; (0, 0) outside 0 … Count - 1.
    QSize GetPageSize(int index) const;
    // Replaces a stored page by a complete copy of the given page and empties the cache.
    // An index outside 0 … Count - 1 changes nothing.
    void ModifyPage(int index, const TrpReportPage& page);
    // Destroys the rebuilt pages.
    void ClearCache();
    // Draws a prepared page onto a canvas; OffsetX/OffsetY are the device coordinates of the
    // paper's top-left corner. An index without a page draws nothing.
    void DrawPage(int index, platform::Canvas& canvas, double ScaleX, double ScaleY, double OffsetX,
        double OffsetY);

    // The whole store as a prepared-report file. Writing replaces the file atomically and
    // throws platform::Exception when it cannot.
    void SaveToStream(QIODevice& stream) const;
    void SaveToFile(const QString& fileName) const;
    // Replaces the store by a file's. A file that is not a prepared report of this program,
    // or is damaged, is refused with EReadError naming what is wrong, and the store stays as
    // it was. A large file takes seconds: `progress`, when given, hears how far the load has
    // gone (0–100, each value once, in order) and cancels it by answering false; a cancelled
    // load returns false and leaves the store as it was.
    bool LoadFromStream(QIODevice& stream, const TrpLoadProgress& progress = {});
    bool LoadFromFile(const QString& fileName, const TrpLoadProgress& progress = {});

    int CurPage() const { return FCurPage; }
    void SetCurPage(int value) { FCurPage = value; }
    TrpAddPageAction AddPageAction() const { return FAddPageAction; }
    void SetAddPageAction(TrpAddPageAction value) { FAddPageAction = value; }
    // The preview's current page, handed to printing.
    int CurPreviewPage() const { return FCurPreviewPage; }
    void SetCurPreviewPage(int value) { FCurPreviewPage = value; }
    // While a job prints: the set being printed (0 outside a job) and the factor by which
    // a scaling print mode shrinks the pages' text.
    int CopyNo() const { return FCopyNo; }
    void SetCopyNo(int value) { FCopyNo = value; }
    double PrintScale() const { return FPrintScale; }
    void SetPrintScale(double value) { FPrintScale = value; }

    // The name of the report the pages come from (ReportOptions.Name).
    QString ReportName() const;
    int SourcePagesCount() const;
    const TrpReportPage* SourcePage(int index) const;
    QList<TrpAliasEntry> Dictionary() const;
    // The stored form of a page: its entry's content as XML (for tests and measurements).
    QByteArray PageData(int index) const;
    // Bytes held by the stored pages (their entries, without the source copies).
    qsizetype PagesDataSize() const;
    // How many rebuilt pages the cache holds.
    int CachedPages() const { return static_cast<int>(FCache.size()); }

    struct Document;

private:
    struct CachedPage {
        int index;
        std::unique_ptr<TrpReportPage> page;
    };

    const TrpPreviewOptions& FOptions;
    TrpProgressObserver& FProgress;
    bool FFilling = false;
    std::unique_ptr<Document> FDocument;
    // While a run goes on: template page → its source copy, template object → its alias.
    QHash<const TrpComponent*, int> FTemplatePages;
    QHash<const TrpComponent*, int> FTemplateAliases;
    int FCurPage = -1;
    TrpAddPageAction FAddPageAction = apAdd;
    int FCurPreviewPage = 0;
    int FCopyNo = 0;
    double FPrintScale = 1;
    std::vector<CachedPage> FCache; // most recently used first
};
