#include "report/model/rpClass.h"
#include "report/model/rpStream.h"
#include "templates/Templates.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <gtest/gtest.h>

namespace {

// A broken template and the fault it must be refused with.
struct BrokenCase {
    const char* name;
    const char* file;
    TrpReadFault fault;
};

class BrokenTemplate : public ::testing::TestWithParam<BrokenCase> { };

TEST_P(BrokenTemplate, IsRejectedNamingTheFaultAndLeavesTheReportAsItWas)
{
    TrpCustomReport report;
    loadCertificateTemplate(report);
    const TrpComponent* memo5 = report.FindObject(QStringLiteral("Memo5"));
    const QString path
        = QStringLiteral(VORSELA_TEST_DATA "/fixtures/") + QString::fromLatin1(GetParam().file);
    try {
        loadTemplate(report, path);
        FAIL() << "accepted";
    } catch (const EReadError& e) {
        const TrpReadFault& expected = GetParam().fault;
        EXPECT_EQ(e.fault().line, expected.line) << e.message().toStdString();
        EXPECT_EQ(e.fault().page, 0);
        EXPECT_EQ(e.fault().object, expected.object);
        EXPECT_EQ(e.fault().property, expected.property);
        // A file that cannot be opened is named with the system's own words for why, in the
        // user's language on Windows.
        QString reason = expected.reason;
        if (reason.endsWith(u". ")) {
            QFile file(path);
            EXPECT_FALSE(file.open(QIODevice::ReadOnly));
            reason += file.errorString();
        }
        EXPECT_EQ(e.fault().reason, reason);
    }
    EXPECT_EQ(report.Name(), QStringLiteral("rpReport1"));
    EXPECT_EQ(report.AllObjects().size(), 44);
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo5")), memo5);
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo5"))->Left(), 11.33859);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BrokenTemplate,
    ::testing::Values(
        // The element left open on line 4 is closed by the page's end tag on line 5.
        BrokenCase {
            "Malformed", "malformed.xml", {5, 0, {}, {}, "Opening and ending tag mismatch."}},
        BrokenCase {"Empty", "empty.xml", {1, 0, {}, {}, "Premature end of document."}},
        BrokenCase {"UnknownClass", "unknown_class.xml",
            {4, 0, {}, {}, "unknown class \"TrpBarcodeView\""}},
        BrokenCase {"UnknownProperty", "unknown_property.xml",
            {4, 0, "Memo5", "Colour", "unknown property of TrpMemoView"}},
        BrokenCase {"PropertyOfAnotherClass", "property_of_other_class.xml",
            {4, 0, "Memo5", "PaperSize", "unknown property of TrpMemoView"}},
        BrokenCase {"FloatWithComma", "wrong_float.xml",
            {4, 0, "Memo5", "Left", "\"11,33859\" is not a valid floating point value"}},
        BrokenCase {"UnknownEnumMember", "unknown_enum.xml",
            {4, 0, "Memo5", "HAlign",
                "\"haMiddle\" is not one of haLeft, haRight, haCenter, haBlock"}},
        BrokenCase {"WordForBoolean", "wrong_bool.xml",
            {4, 0, "Memo5", "WordWrap", "\"yes\" is not a boolean value"}},
        BrokenCase {"UnknownSetMember", "unknown_set_member.xml",
            {4, 0, "Memo5", "Font.Style",
                "\"fsNarrow\" is not one of fsBold, fsItalic, fsUnderline, fsStrikeOut"}},
        BrokenCase {"LinesForAScalar", "lines_for_scalar.xml",
            {5, 0, "Memo5", "Left", "unknown list property of TrpMemoView"}},
        BrokenCase {"DuplicateNameInOtherCase", "duplicate_name.xml",
            {5, 0, {}, {}, "A component named memo5 already exists"}},
        // The root element stands on line 2, after the XML declaration.
        BrokenCase {"NotAReport", "not_a_report.xml",
            {2, 0, {}, {}, "the document holds a TrpMemoView, not a report"}},
        // A million-pixel font was drawn as bars; a billion-pixel object or a 100 m sheet
        // cannot be printed at all.
        BrokenCase {"FontTallerThanAnyPage", "huge_font.xml",
            {4, 0, "Memo5", "Font.Height", "-999999 is out of range"}},
        BrokenCase {"ObjectWiderThanAnyPage", "huge_bounds.xml",
            {4, 0, "Memo5", "Width", "1e+09 is out of range"}},
        BrokenCase {"PaperLongerThanAnySheet", "huge_paper.xml",
            {3, 0, "Page1", "PaperWidth", "100000 is out of range"}},
        BrokenCase {"MissingFile", "no_such_file.xml",
            {0, 0, {}, {},
                "Cannot open file \"" VORSELA_TEST_DATA "/fixtures/no_such_file.xml\". "}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(rpReadReport, RefusesNestingDeeperThanAnyReport)
{
    QByteArray xml = "<TrpReport>";
    for (int i = 0; i < 5000; ++i)
        xml += "<TrpReportPage>";
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(rpReadReport(buffer), EReadError);
}

TEST(rpStream, LandscapeAndCustomPagesComeBackWhateverTheOrderOfAttributes)
{
    TrpCustomReport report;
    auto* a4 = new TrpReportPage(&report);
    a4->SetName(QStringLiteral("Landscape"));
    a4->SetLeftMargin(15);
    a4->SetTopMargin(5);
    a4->SetOrientation(poLandscape);
    auto* custom = new TrpReportPage(&report);
    custom->SetName(QStringLiteral("Custom"));
    custom->SetPaperWidth(100.5);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    report.SaveToStream(buffer);
    buffer.seek(0);
    const std::unique_ptr<TrpCustomReport> copy = rpReadReport(buffer);

    auto* page = dynamic_cast<TrpReportPage*>(copy->FindObject(QStringLiteral("Landscape")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Orientation(), poLandscape);
    EXPECT_EQ(page->PaperSize(), 9);
    EXPECT_EQ(page->PaperWidth(), 297);
    EXPECT_EQ(page->PaperHeight(), 210);
    EXPECT_EQ(page->Width(), 1123);
    EXPECT_EQ(page->LeftMargin(), 5);
    EXPECT_EQ(page->BottomMargin(), 15);
    auto* second = dynamic_cast<TrpReportPage*>(copy->FindObject(QStringLiteral("Custom")));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->PaperSize(), 256);
    EXPECT_EQ(second->PaperWidth(), 100.5);
}

TEST(rpDiff, StoresOnlyWhatDiffersAndNoFontWhileFollowingTheParent)
{
    TrpCustomReport report;
    loadTestPageTemplate(report);
    const TrpComponent* line = report.FindObject(QStringLiteral("Line2"));
    QStringList names;
    for (const TrpPropertyValue& v : rpDiff(*line, line->classInfo().prototype()))
        names.append(v.property->name);
    EXPECT_EQ(names, QStringList({"Name", "Top", "Width", "Color", "Diagonal", "ArrowStart"}));

    const TrpComponent* instruction = report.FindObject(QStringLiteral("Memo1"));
    names.clear();
    for (const TrpPropertyValue& v : rpDiff(*instruction, instruction->classInfo().prototype()))
        names.append(v.property->name);
    EXPECT_EQ(names, QStringList({"Name", "Left", "Top", "Width", "Height", "Memo"}));
    EXPECT_TRUE(rpDiff(*instruction, *instruction).isEmpty());
}

// A prepared page keeps each object as its differences from a source object under an alias,
// and is rebuilt from a clone of that source.
TEST(rpStream, ObjectsStoredAsDifferencesFromASourceComeBackWhole)
{
    TrpCustomReport report;
    loadCertificateTemplate(report);
    const TrpComponent* page = report.FindObject(QStringLiteral("Page1"));
    std::unique_ptr<TrpComponent> prepared = rpClone(*page);
    auto* filled = dynamic_cast<TrpMemoView*>(prepared->FindObject(QStringLiteral("Memo5")));
    ASSERT_NE(filled, nullptr);
    filled->SetText(QStringLiteral("Сидоров С.С."));

    QByteArray data;
    QXmlStreamWriter xml(&data);
    TrpObjectWriter writer(xml, [page](const TrpComponent& object) {
        if (const TrpComponent* source = page->FindObject(object.Name()))
            return TrpElement {object.BaseName().toLower() + object.Name().mid(4), source};
        return TrpElement {object.ClassName(), &object.classInfo().prototype()};
    });
    writer.write(*filled);
    EXPECT_EQ(QString::fromUtf8(data),
        QStringLiteral("<memo5><Lines Name=\"Memo\"><Line>Сидоров С.С.</Line></Lines></memo5>"));

    QXmlStreamReader reader(data);
    reader.readNextStartElement();
    std::unique_ptr<TrpComponent> rebuilt
        = TrpObjectReader(reader, [page](QStringView element) -> std::unique_ptr<TrpComponent> {
              if (element.startsWith(u"memo"))
                  return rpClone(
                      *page->FindObject(QStringLiteral("Memo") + element.mid(4).toString()));
              return nullptr;
          }).read();
    EXPECT_TRUE(rpSameProperties(*rebuilt, *filled));
}

} // namespace

namespace {

// Operator texts go through the memory copy of every preparation: whatever a line holds,
// it must come back as it was.
TEST(rpStream, AnyTextSurvivesTheCopy)
{
    const QStringList lines {QStringLiteral("  blanks  "), QStringLiteral("<&>\"']]>"),
        QStringLiteral("tab\there"), QStringLiteral("cr\rinside"), QString(QChar(1)) + "ctl",
        QString(QChar(0xFFFF)), QString(QChar(0xD800)) + "lone", QString()};
    TrpCustomReport report;
    auto* page = new TrpReportPage(&report);
    auto* memo = new TrpMemoView(page);
    memo->SetName(QStringLiteral("Memo1"));
    memo->classInfo().property(u"Memo")->set(*memo, lines);
    report.SetName(QStringLiteral("name\twith\ncontrol\x01"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    report.SaveToStream(buffer);
    buffer.seek(0);
    const std::unique_ptr<TrpCustomReport> copy = rpReadReport(buffer);
    auto* copied = dynamic_cast<TrpMemoView*>(copy->FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Memo(), lines);
    EXPECT_EQ(copy->Name(), report.Name());
}

} // namespace
