#include "report/model/rpClass.h"
#include "report/model/rpStream.h"
#include "templates/Templates.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <gtest/gtest.h>

namespace {

struct BrokenCase {
    const char* name;
    const char* file;
    QStringList mentions; // parts the message must name
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
        for (const QString& part : GetParam().mentions)
            EXPECT_TRUE(e.message().contains(part))
                << e.message().toStdString() << " lacks " << part.toStdString();
    }
    EXPECT_EQ(report.Name(), QStringLiteral("rpReport1"));
    EXPECT_EQ(report.AllObjects().size(), 44);
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo5")), memo5);
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo5"))->Left(), 11.33859);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BrokenTemplate,
    ::testing::Values(BrokenCase {"Malformed", "malformed.xml", {"Line "}},
        BrokenCase {"Empty", "empty.xml", {"Line "}},
        BrokenCase {"UnknownClass", "unknown_class.xml", {"Line 4", "TrpBarcodeView"}},
        BrokenCase {"UnknownProperty", "unknown_property.xml", {"Memo5.Colour"}},
        BrokenCase {"PropertyOfAnotherClass", "property_of_other_class.xml", {"Memo5.PaperSize"}},
        BrokenCase {"FloatWithComma", "wrong_float.xml", {"Memo5.Left", "11,33859"}},
        BrokenCase {"UnknownEnumMember", "unknown_enum.xml", {"Memo5.HAlign", "haMiddle"}},
        BrokenCase {"WordForBoolean", "wrong_bool.xml", {"Memo5.WordWrap", "yes"}},
        BrokenCase {"UnknownSetMember", "unknown_set_member.xml", {"Memo5.Font.Style", "fsNarrow"}},
        BrokenCase {"LinesForAScalar", "lines_for_scalar.xml", {"Memo5.Left"}},
        BrokenCase {"DuplicateNameInOtherCase", "duplicate_name.xml", {"memo5"}},
        BrokenCase {"NotAReport", "not_a_report.xml", {"TrpMemoView"}},
        BrokenCase {"MissingFile", "no_such_file.xml", {"no_such_file.xml"}}),
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
