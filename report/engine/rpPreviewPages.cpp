#include "rpPreviewPagesDocument.h"

#include "report/model/rpBands.h"
#include "report/model/rpPageGeometry.h"
#include "rpReportViewer.h"

#include "report/model/rpCustomReport.h"
#include "report/model/rpStream.h"
#include "report/model/rpViews.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <limits>

namespace {

int toInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(
        value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool isReportComponentClass(const TrpClassInfo* info)
{
    for (; info; info = info->base) {
        if (info == &TrpReportComponent::staticClassInfo())
            return true;
    }
    return false;
}

QString aliasPrefix(const TrpComponent& object)
{
    if (dynamic_cast<const TrpBand*>(&object))
        return QStringLiteral("b");
    QString prefix;
    for (const QChar c : object.BaseName().toLower()) {
        if ((c >= u'a' && c <= u'z') || c == u'_' || (c >= u'0' && c <= u'9' && !prefix.isEmpty()))
            prefix += c;
    }
    return prefix.isEmpty() ? QStringLiteral("o") : prefix;
}

// Shown in the prepared page: visible, and for a view marked for the preview.
bool isShown(const TrpComponent& object)
{
    if (!object.Visible())
        return false;
    if (const auto* view = dynamic_cast<const TrpView*>(&object))
        return (view->Visibility() & rpBit(vsPreview)) != 0;
    return true;
}

// The object of a stored page named by an element: a copy of the source object for an
// alias, a new object of the class for a class name (the container).
std::unique_ptr<TrpComponent> newFromAlias(
    const TrpPreviewPages::Document& document, QStringView element)
{
    if (const auto found = document.aliases.constFind(element.toString());
        found != document.aliases.constEnd()) {
        const TrpComponent& source = *document.dictionary[*found].source;
        std::unique_ptr<TrpComponent> object(source.classInfo().create());
        rpAssign(*object, source);
        return object;
    }
    const TrpClassInfo* info = rpFindClass(element);
    if (info && isReportComponentClass(info))
        return std::unique_ptr<TrpComponent>(info->create());
    return nullptr;
}

// A page or an object that may lie on a page, by its class name.
std::unique_ptr<TrpComponent> newPageOrObject(QStringView element)
{
    const TrpClassInfo* info = rpFindClass(element);
    if (info && (info == &TrpReportPage::staticClassInfo() || isReportComponentClass(info)))
        return std::unique_ptr<TrpComponent>(info->create());
    return nullptr;
}

void checkNoNestedPages(const TrpComponent& page, const QXmlStreamReader& xml)
{
    for (const TrpComponent* object : page.AllObjects()) {
        if (dynamic_cast<const TrpPage*>(object))
            rpFailAt(xml, QStringLiteral("a page inside page \"%1\"").arg(page.Name()));
    }
}

// A page whose paper or margins leave nothing to draw on is refused like any value a report
// cannot hold, before the preview or a printer is handed it.
void checkGeometry(const TrpReportPage& page, const QXmlStreamReader& xml)
{
    if (QString problem = rpPageGeometryProblem(rpPageGeometry(page)); !problem.isEmpty())
        throw EReadError(TrpReadFault {xml.lineNumber(), 0, page.Name(), {}, std::move(problem)});
}

} // namespace

void rpFailAt(const QXmlStreamReader& xml, const QString& reason)
{
    throw EReadError(TrpReadFault {xml.lineNumber(), 0, {}, {}, reason});
}

QSize rpRoundedPageSize(const TrpComponent& page)
{
    return QSize(toInt(rpRound(page.Width())), toInt(rpRound(page.Height())));
}

std::unique_ptr<TrpReportPage> rpReadCompletePage(QXmlStreamReader& xml)
{
    std::unique_ptr<TrpComponent> object = TrpObjectReader(xml, newPageOrObject).read();
    if (!dynamic_cast<TrpReportPage*>(object.get()))
        rpFailAt(xml, QStringLiteral("a %1 where a report page belongs").arg(object->ClassName()));
    checkNoNestedPages(*object, xml);
    checkGeometry(static_cast<const TrpReportPage&>(*object), xml);
    return std::unique_ptr<TrpReportPage>(static_cast<TrpReportPage*>(object.release()));
}

void TrpPreviewPages::Document::addSourcePage(std::unique_ptr<TrpReportPage> copy)
{
    const int pageIndex = static_cast<int>(sourcePages.size());
    const QList<TrpComponent*> objects = copy->AllObjects();
    sourcePages.push_back(std::move(copy));
    for (int i = 0; i < objects.size(); ++i) {
        const QString prefix = aliasPrefix(*objects[i]);
        int& number = nextNumber[prefix];
        QString alias;
        do
            alias = prefix + QString::number(++number);
        while (aliases.contains(alias));
        aliases.insert(alias, static_cast<int>(dictionary.size()));
        dictionary.append(Alias {alias, objects[i], pageIndex, i});
    }
}

std::unique_ptr<TrpReportPage> TrpPreviewPages::Document::build(const PageEntry& entry) const
{
    QXmlStreamReader xml;
    xml.addData("<c>");
    xml.addData(entry.content);
    xml.addData("</c>");
    xml.readNextStartElement();
    std::unique_ptr<TrpReportPage> page;
    if (entry.source < 0) {
        if (!xml.readNextStartElement())
            rpFailAt(xml, xml.hasError() ? xml.errorString() : QStringLiteral("the page is empty"));
        page = rpReadCompletePage(xml);
        if (xml.readNextStartElement())
            rpFailAt(xml, QStringLiteral("more than one page in one entry"));
    } else {
        page = std::make_unique<TrpReportPage>();
        rpAssign(*page, *sourcePages[static_cast<size_t>(entry.source)]);
        TrpObjectReader reader(
            xml, [this](QStringView element) { return newFromAlias(*this, element); });
        while (xml.readNextStartElement()) {
            page->Adopt(reader.read());
        }
        checkNoNestedPages(*page, xml);
        checkGeometry(*page, xml);
    }
    if (xml.hasError())
        rpFailAt(xml, xml.errorString());
    return page;
}

TrpPreviewPages::TrpPreviewPages(const TrpPreviewOptions& options, TrpProgressObserver& progress)
    : FOptions(options), FProgress(progress), FDocument(std::make_unique<Document>())
{
}

TrpPreviewPages::~TrpPreviewPages() = default;

int TrpPreviewPages::Count() const { return static_cast<int>(FDocument->pages.size()); }

void TrpPreviewPages::Clear()
{
    ClearCache();
    FDocument = std::make_unique<Document>();
    FTemplatePages.clear();
    FTemplateAliases.clear();
    FCurPage = -1;
    FAddPageAction = apAdd;
}

void TrpPreviewPages::ClearCache() { FCache.clear(); }

void TrpPreviewPages::Initialize(const QString& reportName)
{
    ClearCache();
    FFilling = true;
    FDocument->reportName = reportName;
    FProgress.InternalOnProgressStart(ptRunning);
}

void TrpPreviewPages::Finish()
{
    ClearCache();
    // The source copies are the store's own; only the links to the template go.
    FTemplatePages.clear();
    FTemplateAliases.clear();
    FFilling = false;
    FProgress.InternalOnProgressStop(ptRunning);
}

void TrpPreviewPages::AddSourcePage(const TrpReportPage& page)
{
    std::unique_ptr<TrpComponent> copy = rpClone(page);
    const int pageIndex = static_cast<int>(FDocument->sourcePages.size());
    const qsizetype firstAlias = FDocument->dictionary.size();
    FDocument->addSourcePage(
        std::unique_ptr<TrpReportPage>(static_cast<TrpReportPage*>(copy.release())));
    // The clone's objects come in the template's AllObjects order.
    const QList<TrpComponent*> objects = page.AllObjects();
    for (qsizetype i = 0; i < objects.size(); ++i)
        FTemplateAliases.insert(objects[i], static_cast<int>(firstAlias + i));
    FTemplatePages.insert(&page, pageIndex);
}

void TrpPreviewPages::AddPage(const TrpReportPage& page)
{
    if (!FTemplatePages.contains(&page))
        AddSourcePage(page);
    const int source = FTemplatePages.value(&page);
    ++FCurPage;
    if (FAddPageAction == apAdd || FCurPage >= Count()) {
        FDocument->pages.push_back(Document::PageEntry {source, {}, {}});
        FCurPage = Count() - 1;
        FAddPageAction = apWriteOver;
        FProgress.InternalOnProgress(ptRunning, FCurPage + 1);
    } else {
        FDocument->pages[static_cast<size_t>(FCurPage)] = Document::PageEntry {source, {}, {}};
    }
}

void TrpPreviewPages::AddObject(const TrpComponent& object)
{
    if (FCurPage < 0 || FCurPage >= Count())
        throw platform::Exception(QStringLiteral("No prepared page to add an object to"));
    if (!isShown(object))
        return;
    const Document& document = *FDocument;
    QByteArray data;
    QXmlStreamWriter xml(&data);
    TrpObjectWriter writer(
        xml,
        [this, &document](const TrpComponent& o) {
            if (const auto found = FTemplateAliases.constFind(&o);
                found != FTemplateAliases.constEnd()) {
                const Document::Alias& alias = document.dictionary[*found];
                return TrpElement {alias.name, alias.source};
            }
            return TrpElement {o.ClassName(), &o.classInfo().prototype()};
        },
        [](const TrpComponent& o) {
            QList<TrpComponent*> shown;
            for (TrpComponent* child : o.GetContainerObjects()) {
                if (isShown(*child))
                    shown.append(child);
            }
            return shown;
        });
    writer.write(object);
    QByteArray& content = FDocument->pages[static_cast<size_t>(FCurPage)].content;
    content += data;
    content.squeeze(); // thousands of pages: no slack in any of them
}

TrpReportPage* TrpPreviewPages::GetPage(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    // While the pages are being filled a page may still change, so it is always rebuilt.
    if (!FFilling) {
        const auto cached = std::find_if(FCache.begin(), FCache.end(),
            [index](const CachedPage& c) { return c.index == index; });
        if (cached != FCache.end()) {
            std::rotate(FCache.begin(), cached, cached + 1);
            return FCache.front().page.get();
        }
    }
    std::unique_ptr<TrpReportPage> page
        = FDocument->build(FDocument->pages[static_cast<size_t>(index)]);
    TrpReportPage* result = page.get();
    FCache.insert(FCache.begin(), CachedPage {index, std::move(page)});
    const size_t limit = static_cast<size_t>(std::max(1, FOptions.PagesInCache));
    while (FCache.size() > limit)
        FCache.pop_back();
    return result;
}

QSize TrpPreviewPages::GetPageSize(int index) const
{
    if (index < 0 || index >= Count())
        return QSize(0, 0);
    const Document::PageEntry& entry = FDocument->pages[static_cast<size_t>(index)];
    if (entry.source < 0)
        return entry.size;
    return rpRoundedPageSize(*FDocument->sourcePages[static_cast<size_t>(entry.source)]);
}

void TrpPreviewPages::ModifyPage(int index, const TrpReportPage& page)
{
    if (index < 0 || index >= Count())
        return;
    QByteArray data;
    QXmlStreamWriter xml(&data);
    TrpObjectWriter(xml).write(page);
    FDocument->pages[static_cast<size_t>(index)]
        = Document::PageEntry {-1, data, rpRoundedPageSize(page)};
    ClearCache();
}

QString TrpPreviewPages::ReportName() const { return FDocument->reportName; }

int TrpPreviewPages::SourcePagesCount() const
{
    return static_cast<int>(FDocument->sourcePages.size());
}

const TrpReportPage* TrpPreviewPages::SourcePage(int index) const
{
    if (index < 0 || index >= SourcePagesCount())
        return nullptr;
    return FDocument->sourcePages[static_cast<size_t>(index)].get();
}

QList<TrpAliasEntry> TrpPreviewPages::Dictionary() const
{
    QList<TrpAliasEntry> result;
    for (const Document::Alias& alias : FDocument->dictionary)
        result.append(
            {alias.name, QStringLiteral("Page%1.%2").arg(alias.page).arg(alias.source->Name())});
    return result;
}

QByteArray TrpPreviewPages::PageData(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return FDocument->pages[static_cast<size_t>(index)].content;
}

qsizetype TrpPreviewPages::PagesDataSize() const
{
    qsizetype size = 0;
    for (const Document::PageEntry& entry : FDocument->pages)
        size += static_cast<qsizetype>(sizeof(Document::PageEntry)) + entry.content.capacity();
    return size;
}
