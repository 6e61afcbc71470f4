#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/model/rpStream.h"
#include "report/render/rpDrawPage.h"
#include "templates/Templates.h"

#include "platform/core/RecordingCanvas.h"
#include "support/MessageRecorder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/ReportTestHelpers.h"

#include <gtest/gtest.h>

namespace {

// Every object of two trees, in AllObjects order, has the same class, name and properties.
void expectSameTree(const TrpComponent& a, const TrpComponent& b)
{
    EXPECT_TRUE(rpSameProperties(a, b)) << a.Name().toStdString();
    const QList<TrpComponent*> x = a.AllObjects();
    const QList<TrpComponent*> y = b.AllObjects();
    ASSERT_EQ(x.size(), y.size());
    for (qsizetype i = 0; i < x.size(); ++i) {
        EXPECT_EQ(x[i]->ClassName(), y[i]->ClassName());
        EXPECT_TRUE(rpSameProperties(*x[i], *y[i])) << x[i]->Name().toStdString();
        EXPECT_EQ(x[i]->Parent()->Name(), y[i]->Parent()->Name());
    }
}

class PreparedCertificate : public ::testing::Test {
protected:
    void SetUp() override
    {
        loadCertificateTemplate(report);
        allowExpressions(report);
        for (int i = 1; i <= 42; ++i)
            memo(report, QStringLiteral("Memo%1").arg(i))
                ->SetText(QStringLiteral("Поле %1").arg(i));
    }

    TrpPreviewPages& pages() { return report.PreviewPages(); }

    MessageRecorder messages;
    TrpReport report;
};

TEST_F(PreparedCertificate, GetPageSizeGivesTheA5PageAndNothingOutsideTheRange)
{
    EXPECT_EQ(pages().GetPageSize(0), QSize(0, 0)) << "an empty store";
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(pages().GetPageSize(-1), QSize(0, 0));
    EXPECT_EQ(pages().GetPageSize(pages().Count()), QSize(0, 0));
    EXPECT_EQ(pages().GetPageSize(0), QSize(559, 794));
    EXPECT_EQ(pages().GetPage(-1), nullptr);
    EXPECT_EQ(pages().GetPage(1), nullptr);
}

TEST_F(PreparedCertificate, EveryObjectOfTheSourceCopyHasAnAlias)
{
    ASSERT_TRUE(report.PrepareReport(true));
    const QList<TrpAliasEntry> dictionary = pages().Dictionary();
    ASSERT_EQ(dictionary.size(), 42);
    for (int i = 1; i <= 42; ++i) {
        EXPECT_EQ(dictionary[i - 1].alias, QStringLiteral("memo%1").arg(i));
        EXPECT_EQ(dictionary[i - 1].sourceName, QStringLiteral("Page0.Memo%1").arg(i));
    }
    ASSERT_EQ(pages().SourcePagesCount(), 1);
    expectSameTree(*pages().SourcePage(0), *page1(report));

    TrpReport testPage;
    loadTestPageTemplate(testPage);
    ASSERT_TRUE(testPage.PrepareReport(true));
    QStringList aliases;
    for (const TrpAliasEntry& entry : testPage.PreviewPages().Dictionary())
        aliases.append(entry.alias);
    EXPECT_EQ(aliases.mid(0, 4), QStringList({"shape1", "memo1", "line1", "line2"}));
}

TEST_F(PreparedCertificate, APageStoresOnlyWhatDiffersFromTheSourceCopies)
{
    ASSERT_TRUE(report.PrepareReport(true));
    // The filled texts are those of the source copies: nothing of the objects is stored
    // but their aliases.
    QString expected
        = QStringLiteral("<TrpNullBand Width=\"%1\" Height=\"%2\">")
              .arg(QString::number((148 - 30) * rp01cm, 'g', QLocale::FloatingPointShortest),
                  QString::number((210 - 30) * rp01cm, 'g', QLocale::FloatingPointShortest));
    for (int i = 1; i <= 42; ++i)
        expected += QStringLiteral("<memo%1/>").arg(i);
    expected += QStringLiteral("</TrpNullBand>");
    EXPECT_EQ(QString::fromUtf8(pages().PageData(0)), expected);

    // A text that changes during preparation is stored, and only it.
    memo(report, QStringLiteral("Memo2"))->SetText(QStringLiteral("Стр. [Page#]"));
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_TRUE(pages().PageData(0).contains(
        "<memo1/><memo2><Lines Name=\"Memo\"><Line>Стр. 1</Line></Lines></memo2><memo3/>"))
        << pages().PageData(0).toStdString();
}

TEST_F(PreparedCertificate, RebuiltPagesAreCachedUpToPagesInCache)
{
    setPageCount(report, 3);
    report.PreviewOptions().PagesInCache = 2;
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(pages().CachedPages(), 0);
    TrpReportPage* first = pages().GetPage(0);
    EXPECT_EQ(pages().GetPage(0), first);
    EXPECT_EQ(pages().CachedPages(), 1);
    TrpReportPage* second = pages().GetPage(1);
    pages().GetPage(2);
    EXPECT_EQ(pages().CachedPages(), 2);
    EXPECT_EQ(pages().GetPage(1), second) << "still among the two most recent";

    const qsizetype live = TrpComponent::InstanceCount();
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 3; ++i)
            pages().GetPage(i);
    }
    EXPECT_EQ(TrpComponent::InstanceCount(), live) << "no more than two pages stay alive";
    pages().ClearCache();
    EXPECT_EQ(pages().CachedPages(), 0);
    EXPECT_EQ(TrpComponent::InstanceCount(), live - 2 * 44);
}

TEST_F(PreparedCertificate, ClearEmptiesEverything)
{
    ASSERT_TRUE(report.PrepareReport(true));
    pages().GetPage(0);
    pages().Clear();
    EXPECT_EQ(pages().Count(), 0);
    EXPECT_EQ(pages().CurPage(), -1);
    EXPECT_EQ(pages().CachedPages(), 0);
    EXPECT_EQ(pages().SourcePagesCount(), 0);
    EXPECT_TRUE(pages().Dictionary().isEmpty());
}

TEST_F(PreparedCertificate, ModifyPageReplacesTheStoredPageByACompleteCopy)
{
    ASSERT_TRUE(report.PrepareReport(true));
    const std::unique_ptr<TrpComponent> copy = rpClone(*pages().GetPage(0));
    auto& edited = static_cast<TrpReportPage&>(*copy);
    edited.SetLeftMargin(21);
    edited.SetOrientation(poLandscape);
    pages().ModifyPage(0, edited);
    EXPECT_EQ(pages().CachedPages(), 0);
    EXPECT_TRUE(pages().PageData(0).startsWith("<TrpReportPage"));
    EXPECT_EQ(pages().GetPageSize(0), QSize(794, 559));
    expectSameTree(*pages().GetPage(0), edited);
    // The template is not touched.
    EXPECT_EQ(page1(report)->LeftMargin(), 15);

    // The page settings dialog may hand back the cached page itself.
    TrpReportPage* cached = pages().GetPage(0);
    cached->SetTopMargin(3);
    pages().ModifyPage(0, *cached);
    EXPECT_EQ(pages().GetPage(0)->TopMargin(), 3);

    pages().ModifyPage(5, edited); // outside: nothing happens
    EXPECT_EQ(pages().Count(), 1);
}

TEST_F(PreparedCertificate, SaveAndLoadGiveBackTheSamePages)
{
    setPageCount(report, 3);
    report.ReportOptions().Name = QStringLiteral("Свидетельство");
    memo(report, QStringLiteral("Memo1"))->SetText(QStringLiteral("[Page#] <&> \"'"));
    memo(report, QStringLiteral("Memo2"))->SetText(QStringLiteral("строка 1\r\nстрока 2"));
    memo(report, QStringLiteral("Memo3"))->SetText(QString(QChar(1)) + QStringLiteral("[Page]"));
    memo(report, QStringLiteral("Memo4"))->SetVisible(false);
    memo(report, QStringLiteral("Memo5"))
        ->classInfo()
        .property(u"Memo")
        ->set(*memo(report, QStringLiteral("Memo5")), QStringList {"   ", "", "\t", "[Page]"});
    ASSERT_TRUE(report.PrepareReport(true));
    const std::unique_ptr<TrpComponent> modified = rpClone(*pages().GetPage(2));
    static_cast<TrpReportPage&>(*modified).SetBottomMargin(4);
    pages().ModifyPage(2, static_cast<TrpReportPage&>(*modified));

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    pages().SaveToStream(buffer);
    buffer.seek(0);
    TrpReport other;
    other.PreviewPages().LoadFromStream(buffer);

    TrpPreviewPages& loaded = other.PreviewPages();
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.ReportName(), QStringLiteral("Свидетельство"));
    EXPECT_EQ(loaded.SourcePagesCount(), 1);
    ASSERT_EQ(loaded.Dictionary().size(), 42);
    for (int i = 0; i < 42; ++i) {
        EXPECT_EQ(loaded.Dictionary()[i].alias, pages().Dictionary()[i].alias);
        EXPECT_EQ(loaded.Dictionary()[i].sourceName, pages().Dictionary()[i].sourceName);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.GetPageSize(i), pages().GetPageSize(i));
        expectSameTree(*loaded.GetPage(i), *pages().GetPage(i));
    }
    EXPECT_EQ(memo(*loaded.GetPage(1), QStringLiteral("Memo1"))->Memo(), QStringList {"2 <&> \"'"});
    EXPECT_EQ(memo(*loaded.GetPage(0), QStringLiteral("Memo3"))->Memo(),
        QStringList {QString(QChar(1)) + "1"});
    EXPECT_EQ(loaded.GetPage(0)->FindObject(QStringLiteral("Memo4")), nullptr);
    EXPECT_EQ(memo(*loaded.GetPage(1), QStringLiteral("Memo5"))->Memo(),
        QStringList({"   ", "", "\t", "2"}))
        << "blank lines are text";
    EXPECT_EQ(loaded.GetPage(2)->BottomMargin(), 4);
    EXPECT_EQ(loaded.CurPage(), 2);

    // What was loaded once is saved and loaded again byte for byte.
    QBuffer second;
    second.open(QIODevice::ReadWrite);
    loaded.SaveToStream(second);
    second.seek(0);
    TrpReport third;
    third.PreviewPages().LoadFromStream(second);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(third.PreviewPages().PageData(i), loaded.PageData(i));

    // A preparation without clearing adds to loaded pages.
    loadCertificateTemplate(other);
    ASSERT_TRUE(other.PrepareReport(false));
    EXPECT_EQ(loaded.Count(), 4);
    EXPECT_EQ(loaded.GetPage(3)->AllObjects().size(), 43);
    EXPECT_EQ(loaded.Dictionary().size(), 84);
    EXPECT_EQ(loaded.Dictionary()[42].alias, QStringLiteral("memo43"));
}

TEST_F(PreparedCertificate, SaveToFileAndLoadFromFile)
{
    ASSERT_TRUE(report.PrepareReport(true));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("certificate.prp"));
    pages().SaveToFile(path);
    TrpReport other;
    other.PreviewPages().LoadFromFile(path);
    ASSERT_EQ(other.PreviewPages().Count(), 1);
    expectSameTree(*other.PreviewPages().GetPage(0), *pages().GetPage(0));

    try {
        other.PreviewPages().LoadFromFile(dir.filePath(QStringLiteral("missing.prp")));
        FAIL() << "loaded a missing file";
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("missing.prp")));
    }
    EXPECT_EQ(other.PreviewPages().Count(), 1);
    EXPECT_THROW(
        pages().SaveToFile(dir.filePath(QStringLiteral("no/such/dir/a.prp"))), platform::Exception);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("no/such/dir/a.prp"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"certificate.prp"})
        << "no temporary file is left behind";
}

TEST_F(PreparedCertificate, LoadingReportsItsProgressAndCanBeCancelled)
{
    setPageCount(report, 2000);
    ASSERT_TRUE(report.PrepareReport(true));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("many.prp"));
    pages().SaveToFile(path);

    TrpReport other;
    QList<int> heard;
    ASSERT_TRUE(other.PreviewPages().LoadFromFile(path, [&heard](int percent) {
        heard.append(percent);
        return true;
    }));
    EXPECT_EQ(other.PreviewPages().Count(), 2000);
    ASSERT_GT(heard.size(), 10) << "a long load tells of its progress as it goes";
    EXPECT_EQ(heard.back(), 100);
    for (qsizetype i = 1; i < heard.size(); ++i)
        EXPECT_LT(heard[i - 1], heard[i]) << "each value once, in order";

    // Cancelled while reading the file, while checking its pages, and at the very end: the
    // pages loaded before stay as they were.
    const std::unique_ptr<TrpComponent> before = rpClone(*other.PreviewPages().GetPage(1999));
    for (const int cancelAt : {0, 10, 60, 100}) {
        int last = -1;
        EXPECT_FALSE(other.PreviewPages().LoadFromFile(path, [&last, cancelAt](int percent) {
            last = percent;
            return percent < cancelAt;
        })) << cancelAt;
        EXPECT_GE(last, cancelAt);
        EXPECT_EQ(other.PreviewPages().Count(), 2000);
        expectSameTree(*other.PreviewPages().GetPage(1999), *before);
    }
}

// What a page puts on a device, call by call.
QList<platform::CanvasCall> drawn(const TrpReportPage& page, bool printer, double scale)
{
    platform::RecordingCanvas canvas(
        QRect(0, 0, int(600 * scale), int(820 * scale)), printer, int(96 * scale));
    rpDrawPage(page, 0, canvas, scale, scale, 0, 0, TrpDrawOptions {});
    return canvas.calls();
}

void expectSameDrawing(const TrpReportPage& prepared, const TrpReportPage& original)
{
    for (const bool printer : {false, true}) {
        for (const double scale : {1.0, 6.25}) {
            const QList<platform::CanvasCall> a = drawn(prepared, printer, scale);
            const QList<platform::CanvasCall> b = drawn(original, printer, scale);
            ASSERT_EQ(a.size(), b.size());
            ASSERT_FALSE(a.isEmpty());
            for (qsizetype i = 0; i < a.size(); ++i) {
                EXPECT_EQ(a[i].kind, b[i].kind) << i;
                EXPECT_EQ(a[i].points, b[i].points) << i;
                EXPECT_EQ(a[i].pen, b[i].pen) << i;
                EXPECT_EQ(a[i].brush, b[i].brush) << i;
                EXPECT_EQ(a[i].clip, b[i].clip) << i;
                EXPECT_EQ(a[i].font, b[i].font) << i;
                EXPECT_EQ(a[i].color, b[i].color) << i;
                EXPECT_EQ(a[i].text, b[i].text) << i;
                EXPECT_EQ(a[i].advances, b[i].advances) << i;
                EXPECT_EQ(a[i].textClip, b[i].textClip) << i;
            }
        }
    }
}

// The page the preview and the printer draw is the rebuilt one: it must put exactly what
// the template page would on screen and on paper.
TEST(PreparedPageDrawing, IsTheTemplatesDrawingCallForCall)
{
    TrpReport certificate;
    loadCertificateTemplate(certificate);
    for (int i = 1; i <= 42; ++i)
        memo(certificate, QStringLiteral("Memo%1").arg(i))
            ->SetText(QStringLiteral("Поле %1").arg(i));
    page1(certificate)->SetLeftMargin(20);
    ASSERT_TRUE(certificate.PrepareReport(true));
    expectSameDrawing(*certificate.PreviewPages().GetPage(0), *page1(certificate));

    TrpReport testPage;
    loadTestPageTemplate(testPage);
    ASSERT_TRUE(testPage.PrepareReport(true));
    expectSameDrawing(*testPage.PreviewPages().GetPage(0), *page1(testPage));
}

// A small, valid prepared-report file; each broken case changes one part of it.
const char* const kValid = R"(<?xml version="1.0" encoding="UTF-8"?>
<preparedreport version="1">
 <report><TrpReport ReportOptions.Name="Тест"/></report>
 <sourcepages>
  <TrpReportPage Name="Page1" PaperWidth="148" PaperHeight="210" PaperSize="11">
   <TrpMemoView Name="Memo1" Left="10" Top="20" Width="100" Height="15"/>
   <TrpMemoView Name="Memo2" Left="10" Top="40" Width="100" Height="15"/>
  </TrpReportPage>
 </sourcepages>
 <dictionary>
  <item name="memo1" page="0" index="0"/>
  <item name="memo2" page="0" index="1"/>
 </dictionary>
 <picturecache/>
 <outline/>
 <anchors/>
 <previewpages>
  <page0><TrpNullBand Width="400" Height="600"><memo1><Lines Name="Memo"><Line>один</Line></Lines></memo1><memo2/></TrpNullBand></page0>
 </previewpages>
</preparedreport>
)";

QByteArray valid() { return QByteArray(kValid); }

void load(TrpPreviewPages& pages, const QByteArray& data)
{
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    pages.LoadFromStream(buffer);
}

TEST(PreparedReportFile, TheSmallValidFileLoads)
{
    TrpReport report;
    load(report.PreviewPages(), valid());
    TrpPreviewPages& pages = report.PreviewPages();
    ASSERT_EQ(pages.Count(), 1);
    EXPECT_EQ(pages.ReportName(), QStringLiteral("Тест"));
    EXPECT_EQ(pages.GetPageSize(0), QSize(559, 794));
    TrpReportPage* page = pages.GetPage(0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(memo(*page, QStringLiteral("Memo1"))->Memo(), QStringList {"один"});
    EXPECT_EQ(memo(*page, QStringLiteral("Memo2"))->Top(), 40);
}

// The fuzzer starts from these files; each must load and rebuild every page.
TEST(PreparedReportFile, TheFuzzersSeedsLoad)
{
    const QDir seeds(QStringLiteral(VORSELA_TEST_DATA "/../../../fuzz/corpus/prepared_report"));
    const QStringList files = seeds.entryList({QStringLiteral("*.prp")}, QDir::Files);
    EXPECT_EQ(files.size(), 3);
    for (const QString& file : files) {
        TrpReport report;
        report.PreviewPages().LoadFromFile(seeds.filePath(file));
        ASSERT_GT(report.PreviewPages().Count(), 0) << file.toStdString();
        for (int i = 0; i < report.PreviewPages().Count(); ++i)
            EXPECT_NE(report.PreviewPages().GetPage(i), nullptr);
    }
}

// A broken file and the fault it must be refused with; lines count in kValid as changed.
struct BrokenFile {
    const char* name;
    QByteArray data;
    TrpReadFault fault;
};

BrokenFile changed(const char* name, const char* from, const QByteArray& to, TrpReadFault fault)
{
    QByteArray data = valid();
    Q_ASSERT(data.contains(from));
    data.replace(from, to);
    return BrokenFile {name, data, std::move(fault)};
}

TrpReadFault at(qint64 line, const char* reason) { return {line, 0, {}, {}, reason}; }

class BrokenPreparedReport : public ::testing::TestWithParam<BrokenFile> { };

TEST_P(BrokenPreparedReport, IsRefusedAndTheStoreStaysAsItWas)
{
    TrpReport report;
    loadCertificateTemplate(report);
    report.EngineOptions().SilentMode = simSilent;
    ASSERT_TRUE(report.PrepareReport(true));
    TrpPreviewPages& pages = report.PreviewPages();
    const QByteArray before = pages.PageData(0);
    try {
        load(pages, GetParam().data);
        FAIL() << "accepted";
    } catch (const EReadError& e) {
        const TrpReadFault& expected = GetParam().fault;
        EXPECT_EQ(e.fault().line, expected.line) << e.message().toStdString();
        EXPECT_EQ(e.fault().page, expected.page);
        EXPECT_EQ(e.fault().object, expected.object);
        EXPECT_EQ(e.fault().property, expected.property);
        EXPECT_EQ(e.fault().reason, expected.reason);
    }
    ASSERT_EQ(pages.Count(), 1);
    EXPECT_EQ(pages.PageData(0), before);
    EXPECT_EQ(pages.Dictionary().size(), 42);
    ASSERT_NE(pages.GetPage(0), nullptr);
    EXPECT_EQ(pages.GetPage(0)->AllObjects().size(), 43);
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenPreparedReport,
    ::testing::Values(BrokenFile {"Empty", QByteArray(), at(1, "Premature end of document.")},
        BrokenFile {"NotXml", QByteArray("PK\x03\x04 zip?"), at(1, "Start tag expected.")},
        BrokenFile {
            "Truncated", valid().left(valid().size() / 2), at(8, "Premature end of document.")},
        changed("WrongRoot", "<preparedreport version=\"1\">", "<TrpReport>",
            at(2, "\"TrpReport\" is not a prepared report")),
        changed("FutureVersion", "version=\"1\"", "version=\"2\"",
            at(2, "version \"2\" of the prepared-report format is not supported")),
        changed("DocumentType", "<preparedreport",
            "<!DOCTYPE p [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
            "<preparedreport",
            at(2, "document type declarations are not allowed")),
        changed("UndeclaredEntity", "<Line>один</Line>", "<Line>&lol;</Line>",
            at(18, "Entity 'lol' not declared.")),
        changed(
            "UnknownSection", "<anchors/>", "<secrets/>", at(16, "unknown section \"secrets\"")),
        changed(
            "SecondSection", "<anchors/>", "<outline/>", at(16, "a second section \"outline\"")),
        changed("ContentInAnEmptySection", "<outline/>", "<outline><x/></outline>",
            at(15, "unexpected element \"x\" in section \"outline\"")),
        changed("UnknownSectionName", "<dictionary>", "<dictionary_>",
            at(10, "unknown section \"dictionary_\"")),
        changed("MissingDictionary",
            " <dictionary>\n  <item name=\"memo1\" page=\"0\" index=\"0\"/>\n"
            "  <item name=\"memo2\" page=\"0\" index=\"1\"/>\n </dictionary>\n",
            "",
            at(17,
                "the sections \"sourcepages\", \"dictionary\" and \"previewpages\" are "
                "required")),
        changed("AliasThatIsAClassName", "name=\"memo2\"", "name=\"TrpMemoView\"",
            at(12, "\"TrpMemoView\" is not a valid alias")),
        changed("AliasThatIsNoElementName", "name=\"memo2\"", "name=\"memo 2\"",
            at(12, "\"memo 2\" is not a valid alias")),
        changed(
            "SecondAlias", "name=\"memo2\"", "name=\"memo1\"", at(12, "a second alias \"memo1\"")),
        changed("AliasOfAMissingPage", "page=\"0\" index=\"1\"", "page=\"3\" index=\"1\"",
            at(12, "alias \"memo2\" names page 3, which does not exist")),
        changed("AliasOfAMissingObject", "index=\"1\"", "index=\"7\"",
            at(12, "alias \"memo2\" names object 7 of page 0, which does not exist")),
        changed("HugeIndex", "index=\"1\"", "index=\"99999999999\"",
            TrpReadFault {12, 0, "item", {}, "\"99999999999\" is not a valid index"}),
        changed("PageOfAMissingSource", "page0>", "page4>", at(18, "page4 has no source page")),
        changed("PageOfAMissingSourceEnd", "</page0>", "</page4>",
            at(18, "Opening and ending tag mismatch.")),
        changed("UnknownPageEntry", "<page0>", "<pageant>",
            at(18, "unexpected element \"pageant\" among the pages")),
        changed("UnknownAlias", "<memo2/>", "<memo9/>",
            TrpReadFault {18, 1, {}, {}, "unknown class \"memo9\""}),
        changed("UnknownProperty", "<memo2/>", "<memo2 Colour=\"1\"/>",
            TrpReadFault {18, 1, "memo2", "Colour", "unknown property of TrpMemoView"}),
        changed("WrongValue", "Width=\"400\"", "Width=\"wide\"",
            TrpReadFault {
                18, 1, "TrpNullBand", "Width", "\"wide\" is not a valid floating point value"}),
        changed("HugeLengthInAPage", "Width=\"400\"", "Width=\"1e300\"",
            TrpReadFault {18, 1, "TrpNullBand", "Width", "1e+300 is out of range"}),
        changed("HugeFontInASourcePage", "<TrpMemoView Name=\"Memo2\"",
            "<TrpMemoView Name=\"Memo2\" ParentFont=\"false\" Font.Height=\"-2000000000\"",
            TrpReadFault {7, 0, "Memo2", "Font.Height", "-2e+09 is out of range"}),
        changed("FontTallerThanAnyPage", "<memo2/>", "<memo2 Font.Height=\"-999999\"/>",
            TrpReadFault {18, 1, "memo2", "Font.Height", "-999999 is out of range"}),
        changed("ObjectBeyondAnyPage", "<memo2/>", "<memo2 Left=\"30000\"/>",
            TrpReadFault {18, 1, "memo2", "Left", "30000 is out of range"}),
        changed("HugePaper", "PaperWidth=\"148\"", "PaperWidth=\"1e7\"",
            TrpReadFault {5, 0, "Page1", "PaperWidth", "1e+07 is out of range"}),
        changed("MarginWiderThanThePaper", "PaperSize=\"11\">",
            "PaperSize=\"11\" LeftMargin=\"150\">",
            TrpReadFault {8, 0, "Page1", {},
                "The left margin (150 mm) must be at least 0 mm and less than the paper width "
                "(148 mm)."}),
        changed("MarginsThatLeaveNothingInACompletePage", "</previewpages>",
            "<TrpReportPage Name=\"P\" PaperWidth=\"148\" PaperHeight=\"210\" "
            "LeftMargin=\"100\" RightMargin=\"60\"/></previewpages>",
            TrpReadFault {19, 2, "P", {},
                "The left and right margins (100 mm and 60 mm) leave nothing to print on the "
                "paper width (148 mm)."}),
        changed("TextBetweenContainers", "<page0><TrpNullBand", "<page0>text<TrpNullBand",
            at(18, "unexpected text in a page")),
        changed("APageInAPage", "<memo2/>", "<TrpReportPage/>",
            TrpReadFault {18, 1, {}, {}, "unknown class \"TrpReportPage\""}),
        changed("AReportInASourcePage", "<TrpMemoView Name=\"Memo2\"", "<TrpReport Name=\"Memo2\"",
            at(7, "unknown class \"TrpReport\"")),
        changed("ASourceThatIsNoPage", "  </TrpReportPage>\n </sourcepages>",
            "  </TrpReportPage><TrpMemoView Name=\"X\"/>\n </sourcepages>",
            at(8, "a TrpMemoView where a report page belongs")),
        changed("TwoObjectsOfOneName", "Name=\"Memo2\"", "Name=\"MEMO1\"",
            at(8, "two objects named \"MEMO1\" in page \"Page1\"")),
        changed("ReportSettingsWithPages", "<TrpReport ReportOptions.Name=\"Тест\"/>",
            "<TrpReport><TrpReport/></TrpReport>", at(3, "report settings with pages")),
        changed("NestedTooDeeply", "<memo2/>",
            QByteArray("<memo2>").repeated(200) + QByteArray("</memo2>").repeated(200),
            at(18, "elements are nested too deeply")),
        changed("UnknownObjectInACompletePage", "</previewpages>",
            "<TrpReportPage Name=\"P\"><x/></TrpReportPage></previewpages>",
            TrpReadFault {19, 2, {}, {}, "unknown class \"x\""})),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
