#include "rpPreviewPages.h"

#include "report/model/rpBands.h"
#include "report/model/rpPageGeometry.h"
#include "report/model/rpPages.h"
#include "rpReportViewer.h"

#include "report/model/rpCustomReport.h"
#include "report/model/rpStream.h"
#include "report/model/rpViews.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <limits>

namespace {

const QString kRoot = QStringLiteral("preparedreport");
const QString kVersion = QStringLiteral("1");
const QString kReport = QStringLiteral("report");
const QString kSourcePages = QStringLiteral("sourcepages");
const QString kDictionary = QStringLiteral("dictionary");
const QString kPictureCache = QStringLiteral("picturecache");
const QString kOutline = QStringLiteral("outline");
const QString kAnchors = QStringLiteral("anchors");
const QString kPreviewPages = QStringLiteral("previewpages");
const QString kItem = QStringLiteral("item");
const QString kCompletePage = QStringLiteral("TrpReportPage");
const QString kPagePrefix = QStringLiteral("page");

// Deeper than any stored page can be; the object reader refuses deeper objects itself.
constexpr int kMaxCaptureDepth = 64;
constexpr int kMaxAliasLength = 64;

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

int toInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(
        value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QSize roundedSize(const TrpComponent& page)
{
    return QSize(toInt(rpRound(page.Width())), toInt(rpRound(page.Height())));
}

bool isReportComponentClass(const TrpClassInfo* info)
{
    for (; info; info = info->base) {
        if (info == &TrpReportComponent::staticClassInfo())
            return true;
    }
    return false;
}

// An alias is written as an element name beside class names ("Trp…") and the stream's
// own elements ("Lines", "Line", "Value"), so it is kept to lower-case letters, digits and
// the underscore.
bool isValidAlias(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxAliasLength)
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= u'a' && c <= u'z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!(letter || (digit && i > 0)))
            return false;
    }
    return true;
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

// A name key in which the letters A-Z count without case, as rpSameName compares.
QString nameKey(const QString& name)
{
    QString key = name;
    for (QChar& c : key) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return key;
}

[[noreturn]] void failAt(const QXmlStreamReader& xml, const QString& reason)
{
    throw EReadError(TrpReadFault {xml.lineNumber(), 0, {}, {}, reason});
}

} // namespace

struct TrpPreviewPages::Document {
    QString reportName;
    std::vector<std::unique_ptr<TrpReportPage>> sourcePages;
    QList<Alias> dictionary;
    QHash<QString, int> aliases; // alias → place in dictionary
    QHash<QString, int> nextNumber; // alias prefix → last number given
    std::vector<PageEntry> pages;

    void addSourcePage(std::unique_ptr<TrpReportPage> copy);
    std::unique_ptr<TrpReportPage> build(const PageEntry& entry) const;
};

namespace {

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
            failAt(xml, QStringLiteral("a page inside page \"%1\"").arg(page.Name()));
    }
}

// A page whose paper or margins leave nothing to draw on is refused like any value a report
// cannot hold, before the preview or a printer is handed it.
void checkGeometry(const TrpReportPage& page, const QXmlStreamReader& xml)
{
    if (QString problem = rpPageGeometryProblem(rpPageGeometry(page)); !problem.isEmpty())
        throw EReadError(TrpReadFault {xml.lineNumber(), 0, page.Name(), {}, std::move(problem)});
}

// Reads what the reader stands on as a report page with its objects.
std::unique_ptr<TrpReportPage> readCompletePage(QXmlStreamReader& xml)
{
    std::unique_ptr<TrpComponent> object = TrpObjectReader(xml, newPageOrObject).read();
    if (!dynamic_cast<TrpReportPage*>(object.get()))
        failAt(xml, QStringLiteral("a %1 where a report page belongs").arg(object->ClassName()));
    checkNoNestedPages(*object, xml);
    checkGeometry(static_cast<const TrpReportPage&>(*object), xml);
    return std::unique_ptr<TrpReportPage>(static_cast<TrpReportPage*>(object.release()));
}

// Copies the tokens of a stored page's content into a writer.
void copyContent(QXmlStreamWriter& out, const QByteArray& content)
{
    QXmlStreamReader in;
    in.addData("<c>");
    in.addData(content);
    in.addData("</c>");
    int depth = 0;
    while (!in.atEnd()) {
        in.readNext();
        if (in.isStartElement()) {
            if (depth++ == 0)
                continue;
        } else if (in.isEndElement()) {
            if (--depth == 0)
                return;
        } else if (!in.isCharacters()) {
            continue;
        }
        out.writeCurrentToken(in);
    }
}

} // namespace

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
            failAt(xml, xml.hasError() ? xml.errorString() : QStringLiteral("the page is empty"));
        page = readCompletePage(xml);
        if (xml.readNextStartElement())
            failAt(xml, QStringLiteral("more than one page in one entry"));
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
        failAt(xml, xml.errorString());
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
        FDocument->pages.push_back(PageEntry {source, {}, {}});
        FCurPage = Count() - 1;
        FAddPageAction = apWriteOver;
        FProgress.InternalOnProgress(ptRunning, FCurPage + 1);
    } else {
        FDocument->pages[static_cast<size_t>(FCurPage)] = PageEntry {source, {}, {}};
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
                const Alias& alias = document.dictionary[*found];
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
    const PageEntry& entry = FDocument->pages[static_cast<size_t>(index)];
    if (entry.source < 0)
        return entry.size;
    return roundedSize(*FDocument->sourcePages[static_cast<size_t>(entry.source)]);
}

void TrpPreviewPages::ModifyPage(int index, const TrpReportPage& page)
{
    if (index < 0 || index >= Count())
        return;
    QByteArray data;
    QXmlStreamWriter xml(&data);
    TrpObjectWriter(xml).write(page);
    FDocument->pages[static_cast<size_t>(index)] = PageEntry {-1, data, roundedSize(page)};
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
    for (const Alias& alias : FDocument->dictionary)
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
    for (const PageEntry& entry : FDocument->pages)
        size += static_cast<qsizetype>(sizeof(PageEntry)) + entry.content.capacity();
    return size;
}

void TrpPreviewPages::SaveToStream(QIODevice& stream) const
{
    const Document& document = *FDocument;
    QXmlStreamWriter xml(&stream);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(kRoot);
    xml.writeAttribute(QStringLiteral("version"), kVersion);

    xml.writeStartElement(kReport);
    TrpCustomReport settings;
    settings.ReportOptions().Name = document.reportName;
    TrpObjectWriter(xml, {}, [](const TrpComponent&) {
        return QList<TrpComponent*>();
    }).write(settings);
    xml.writeEndElement();

    xml.writeStartElement(kSourcePages);
    for (const auto& page : document.sourcePages)
        TrpObjectWriter(xml).write(*page);
    xml.writeEndElement();

    xml.writeStartElement(kDictionary);
    for (const Alias& alias : document.dictionary) {
        xml.writeEmptyElement(kItem);
        xml.writeAttribute(QStringLiteral("name"), alias.name);
        xml.writeAttribute(QStringLiteral("page"), QString::number(alias.page));
        xml.writeAttribute(QStringLiteral("index"), QString::number(alias.index));
    }
    xml.writeEndElement();

    xml.writeEmptyElement(kPictureCache);
    xml.writeEmptyElement(kOutline);
    xml.writeEmptyElement(kAnchors);

    xml.writeStartElement(kPreviewPages);
    for (const PageEntry& entry : document.pages) {
        if (entry.source >= 0) {
            xml.writeStartElement(kPagePrefix + QString::number(entry.source));
            copyContent(xml, entry.content);
            xml.writeEndElement();
        } else {
            copyContent(xml, entry.content);
        }
    }
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError())
        throw platform::Exception(QStringLiteral("Unable to write the prepared report"));
}

void TrpPreviewPages::SaveToFile(const QString& fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw platform::Exception(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    SaveToStream(file);
    if (!file.commit())
        throw platform::Exception(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

namespace {

// Reads a prepared-report file into a new document, checking everything: the structure,
// every object and property (through the object reader), every alias and every page, which
// is rebuilt once on the way. Nothing of the store is touched until all of it has passed.
// Reads a whole file, then checks every page by building it. Reading the file is the first
// two fifths of the progress reported, checking the pages the rest.
class Loader {
public:
    Loader(QIODevice& device, const TrpLoadProgress& progress)
        : fXml(&device), fDevice(device), fProgress(progress)
    {
    }

    // Nothing when the progress listener cancelled the load.
    std::unique_ptr<TrpPreviewPages::Document> load()
    {
        auto document = std::make_unique<TrpPreviewPages::Document>();
        readRoot(*document);
        if (fCancelled)
            return nullptr;
        resolve(*document);
        if (fCancelled || !report(100))
            return nullptr;
        return document;
    }

private:
    struct Item {
        QString name;
        int page;
        int index;
        qint64 line;
    };
    struct Captured {
        int source;
        QByteArray content;
        qint64 line;
    };

    [[noreturn]] void fail(const QString& message) const { failAt(fXml, message); }

    // Tells the listener a new percentage; false once the load is cancelled.
    bool report(int percent)
    {
        if (fCancelled)
            return false;
        if (!fProgress || percent <= fPercent)
            return true;
        fPercent = percent;
        fCancelled = !fProgress(percent);
        return !fCancelled;
    }

    // Every so many pages the progress is worked out anew.
    static constexpr int kPagesPerReport = 256;

    void reportReading()
    {
        const qint64 size = fDevice.size();
        if (size > 0)
            report(static_cast<int>(kReadingShare * fDevice.pos() / size));
    }

    static constexpr int kReadingShare = 40;

    void readRoot(TrpPreviewPages::Document& document)
    {
        while (!fXml.atEnd()) {
            fXml.readNext();
            if (fXml.tokenType() == QXmlStreamReader::DTD)
                fail(QStringLiteral("document type declarations are not allowed"));
            if (fXml.isStartElement())
                break;
        }
        if (fXml.hasError())
            fail(fXml.errorString());
        if (!fXml.isStartElement())
            fail(QStringLiteral("the file holds no prepared report"));
        if (fXml.name() != kRoot)
            fail(QStringLiteral("\"%1\" is not a prepared report").arg(fXml.name().toString()));
        const QStringView version = fXml.attributes().value(QStringLiteral("version"));
        if (version != kVersion)
            fail(QStringLiteral("version \"%1\" of the prepared-report format is not supported")
                     .arg(version.toString()));

        QSet<QString> seen;
        while (fXml.readNextStartElement()) {
            const QString section = fXml.name().toString();
            if (seen.contains(section))
                fail(QStringLiteral("a second section \"%1\"").arg(section));
            seen.insert(section);
            if (section == kReport)
                readReport(document);
            else if (section == kSourcePages)
                readSourcePages(document);
            else if (section == kDictionary)
                readDictionary();
            else if (section == kPictureCache || section == kOutline || section == kAnchors)
                readEmpty(section);
            else if (section == kPreviewPages) {
                readPreviewPages();
                if (fCancelled)
                    return;
            } else
                fail(QStringLiteral("unknown section \"%1\"").arg(section));
        }
        if (fXml.hasError())
            fail(fXml.errorString());
        // Whatever follows the root must be well formed too.
        while (!fXml.atEnd())
            fXml.readNext();
        if (fXml.hasError())
            fail(fXml.errorString());
        if (!seen.contains(kSourcePages) || !seen.contains(kDictionary)
            || !seen.contains(kPreviewPages))
            fail(QStringLiteral("the sections \"sourcepages\", \"dictionary\" and "
                                "\"previewpages\" are required"));
    }

    void readReport(TrpPreviewPages::Document& document)
    {
        while (fXml.readNextStartElement()) {
            std::unique_ptr<TrpComponent> object
                = TrpObjectReader(fXml, [](QStringView element) -> std::unique_ptr<TrpComponent> {
                      if (element == QLatin1String("TrpReport"))
                          return std::make_unique<TrpCustomReport>();
                      return nullptr;
                  }).read();
            if (!object->Objects().isEmpty())
                fail(QStringLiteral("report settings with pages"));
            document.reportName = static_cast<TrpCustomReport&>(*object).ReportOptions().Name;
        }
        if (fXml.hasError())
            fail(fXml.errorString());
    }

    void readSourcePages(TrpPreviewPages::Document& document)
    {
        while (fXml.readNextStartElement()) {
            std::unique_ptr<TrpReportPage> page = readCompletePage(fXml);
            QSet<QString> names;
            for (const TrpComponent* object : page->AllObjects()) {
                if (object->Name().isEmpty())
                    continue;
                const QString key = nameKey(object->Name());
                if (names.contains(key))
                    fail(QStringLiteral("two objects named \"%1\" in page \"%2\"")
                             .arg(object->Name(), page->Name()));
                names.insert(key);
            }
            // Aliases come from the dictionary, not from the pages.
            document.sourcePages.push_back(std::move(page));
        }
        if (fXml.hasError())
            fail(fXml.errorString());
    }

    int intAttribute(const QString& name) const
    {
        bool ok = false;
        const int value = fXml.attributes().value(name).toInt(&ok);
        if (!ok || value < 0)
            throw EReadError(TrpReadFault {fXml.lineNumber(), 0, kItem, {},
                QStringLiteral("\"%1\" is not a valid %2")
                    .arg(fXml.attributes().value(name).toString(), name)});
        return value;
    }

    void readDictionary()
    {
        while (fXml.readNextStartElement()) {
            if (fXml.name() != kItem)
                fail(QStringLiteral("unexpected element \"%1\" in the dictionary")
                         .arg(fXml.name().toString()));
            Item item {fXml.attributes().value(QStringLiteral("name")).toString(),
                intAttribute(QStringLiteral("page")), intAttribute(QStringLiteral("index")),
                fXml.lineNumber()};
            fItems.append(std::move(item));
            if (fXml.readNextStartElement())
                fail(QStringLiteral("unexpected element \"%1\" in a dictionary item")
                         .arg(fXml.name().toString()));
        }
        if (fXml.hasError())
            fail(fXml.errorString());
    }

    void readEmpty(const QString& section)
    {
        // The program writes these sections empty: it has no pictures, outline or anchors.
        if (fXml.readNextStartElement())
            fail(QStringLiteral("unexpected element \"%1\" in section \"%2\"")
                     .arg(fXml.name().toString(), section));
        if (fXml.hasError())
            fail(fXml.errorString());
    }

    void readPreviewPages()
    {
        while (fXml.readNextStartElement()) {
            const QString name = fXml.name().toString();
            const qint64 line = fXml.lineNumber();
            if (fPages.size() % kPagesPerReport == 0) {
                reportReading();
                if (fCancelled)
                    return;
            }
            if (name == kCompletePage) {
                fPages.append(Captured {-1, capture(true), line});
                continue;
            }
            bool ok = false;
            const int source = name.startsWith(kPagePrefix) && name.size() <= 12
                ? name.mid(kPagePrefix.size()).toInt(&ok)
                : -1;
            if (!ok || source < 0 || name != kPagePrefix + QString::number(source))
                fail(QStringLiteral("unexpected element \"%1\" among the pages").arg(name));
            fPages.append(Captured {source, capture(false), line});
        }
        if (fXml.hasError())
            fail(fXml.errorString());
    }

    // The tokens of the current element (with or without the element itself) as XML.
    // Blanks between elements are layout and go; blanks inside a text element ("Line",
    // "Value") are the text.
    QByteArray capture(bool withSelf)
    {
        QByteArray data;
        QXmlStreamWriter out(&data);
        // Whether each open element is a text element, innermost last.
        std::vector<bool> open {isTextElement(fXml.name())};
        if (withSelf)
            out.writeCurrentToken(fXml);
        while (!open.empty()) {
            fXml.readNext();
            switch (fXml.tokenType()) {
            case QXmlStreamReader::StartElement:
                if (open.size() >= kMaxCaptureDepth)
                    fail(QStringLiteral("elements are nested too deeply"));
                open.push_back(isTextElement(fXml.name()));
                out.writeCurrentToken(fXml);
                break;
            case QXmlStreamReader::EndElement:
                open.pop_back();
                if (!open.empty() || withSelf)
                    out.writeCurrentToken(fXml);
                break;
            case QXmlStreamReader::Characters:
                if (fXml.isWhitespace() && !open.back())
                    break;
                if (open.size() == 1 && !withSelf)
                    fail(QStringLiteral("unexpected text in a page"));
                out.writeCurrentToken(fXml);
                break;
            case QXmlStreamReader::Comment:
            case QXmlStreamReader::ProcessingInstruction:
                break;
            case QXmlStreamReader::Invalid:
                fail(fXml.errorString());
            default:
                fail(QStringLiteral("unexpected content in a page"));
            }
        }
        return data;
    }

    static bool isTextElement(QStringView name)
    {
        return name == QLatin1String("Line") || name == QLatin1String("Value");
    }

    void resolve(TrpPreviewPages::Document& document)
    {
        std::vector<QList<TrpComponent*>> objects;
        for (const auto& page : document.sourcePages)
            objects.push_back(page->AllObjects());
        for (const Item& item : std::as_const(fItems)) {
            const auto failItem = [&item](const QString& reason) {
                throw EReadError(TrpReadFault {item.line, 0, {}, {}, reason});
            };
            if (!isValidAlias(item.name) || rpFindClass(item.name))
                failItem(QStringLiteral("\"%1\" is not a valid alias").arg(item.name));
            if (document.aliases.contains(item.name))
                failItem(QStringLiteral("a second alias \"%1\"").arg(item.name));
            if (static_cast<size_t>(item.page) >= objects.size())
                failItem(QStringLiteral("alias \"%1\" names page %2, which does not exist")
                             .arg(item.name)
                             .arg(item.page));
            const QList<TrpComponent*>& pageObjects = objects[static_cast<size_t>(item.page)];
            if (item.index >= pageObjects.size())
                failItem(QStringLiteral("alias \"%1\" names object %2 of page %3, which does "
                                        "not exist")
                             .arg(item.name)
                             .arg(item.index)
                             .arg(item.page));
            document.aliases.insert(item.name, static_cast<int>(document.dictionary.size()));
            document.dictionary.append(
                Alias {item.name, pageObjects[item.index], item.page, item.index});
        }
        const qsizetype count = fPages.size();
        for (const Captured& captured : std::as_const(fPages)) {
            const qsizetype done = static_cast<qsizetype>(document.pages.size());
            if (done % kPagesPerReport == 0
                && !report(static_cast<int>(
                    kReadingShare + (100 - kReadingShare) * done / std::max<qsizetype>(count, 1))))
                return;
            if (captured.source >= static_cast<int>(document.sourcePages.size()))
                throw EReadError(TrpReadFault {captured.line, 0, {}, {},
                    QStringLiteral("page%1 has no source page").arg(captured.source)});
            PageEntry entry {captured.source, captured.content, {}};
            try {
                const std::unique_ptr<TrpReportPage> page = document.build(entry);
                if (entry.source < 0)
                    entry.size = roundedSize(*page);
            } catch (const EReadError& e) {
                // The page's content is read apart from the file, so the fault is placed at
                // the line where the page starts.
                TrpReadFault fault = e.fault();
                fault.line = captured.line;
                fault.page = static_cast<int>(document.pages.size()) + 1;
                throw EReadError(std::move(fault));
            }
            document.pages.push_back(std::move(entry));
        }
    }

    QXmlStreamReader fXml;
    QIODevice& fDevice;
    const TrpLoadProgress& fProgress;
    int fPercent = -1;
    bool fCancelled = false;
    QList<Item> fItems;
    QList<Captured> fPages;
};

} // namespace

bool TrpPreviewPages::LoadFromStream(QIODevice& stream, const TrpLoadProgress& progress)
{
    std::unique_ptr<Document> document = Loader(stream, progress).load();
    if (!document)
        return false;
    ClearCache();
    FDocument = std::move(document);
    FTemplatePages.clear();
    FTemplateAliases.clear();
    FCurPage = Count() - 1;
    FAddPageAction = apAdd;
    return true;
}

bool TrpPreviewPages::LoadFromFile(const QString& fileName, const TrpLoadProgress& progress)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(TrpReadFault {0, 0, {}, {},
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString())});
    return LoadFromStream(file, progress);
}
