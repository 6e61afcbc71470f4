#include "rpPreviewPagesDocument.h"

#include "report/model/rpCustomReport.h"
#include "report/model/rpStream.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

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

using Alias = TrpPreviewPages::Document::Alias;
using PageEntry = TrpPreviewPages::Document::PageEntry;

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

    [[noreturn]] void fail(const QString& message) const { rpFailAt(fXml, message); }

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
            std::unique_ptr<TrpReportPage> page = rpReadCompletePage(fXml);
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
                    entry.size = rpRoundedPageSize(*page);
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
