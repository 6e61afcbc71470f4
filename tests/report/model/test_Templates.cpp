#include "report/model/rpClass.h"
#include "report/model/rpStream.h"
#include "templates/Templates.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// A length in report pixels as millimetres to two decimals, as the certificate table gives it.
double mm(double pixels) { return std::round(pixels / rp01cm * 100) / 100; }

TrpMemoView* memo(const TrpCustomReport& report, const QString& name)
{
    return dynamic_cast<TrpMemoView*>(report.FindObject(name));
}

class Certificate : public ::testing::Test {
protected:
    void SetUp() override { loadCertificateTemplate(report); }
    TrpCustomReport report;
};

TEST_F(Certificate, ReportPagesAndOptions)
{
    EXPECT_EQ(report.Name(), QStringLiteral("rpReport1"));
    ASSERT_EQ(report.PagesCount(), 2);
    EXPECT_EQ(report.Pages(0)->ClassName(), QStringLiteral("TrpDataPage"));
    EXPECT_EQ(report.Pages(0)->Name(), QStringLiteral("Data"));
    EXPECT_EQ(report.Pages(0)->Width(), 1000);
    EXPECT_TRUE(report.Pages(0)->Objects().isEmpty());
    EXPECT_EQ(report.PreviewOptions().Buttons, 0x0FFF);
    EXPECT_EQ(report.PreviewOptions().Zoom, 1.0);
    EXPECT_EQ(report.PrintOptions().Printer, QStringLiteral("Default"));
    EXPECT_EQ(report.PrintOptions().PrintOnSheet, 0);
    EXPECT_EQ(report.IniFile(), QStringLiteral("\\Software\\Report Engine"));
    EXPECT_FALSE(report.DotMatrixReport());
    EXPECT_EQ(report.ScriptLanguage(), QStringLiteral("Pascal"));
    EXPECT_EQ(report.ScriptText(), QStringList({"begin", "", "end."}));

    auto* page = dynamic_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr) << "Page1 is the report page, not the data page";
    EXPECT_EQ(page->PaperWidth(), 148);
    EXPECT_EQ(page->PaperHeight(), 210);
    EXPECT_EQ(page->PaperSize(), 11);
    EXPECT_EQ(page->Orientation(), poPortrait);
    EXPECT_EQ(page->Width(), 559);
    EXPECT_EQ(page->Height(), 794);
    EXPECT_EQ(page->LeftMargin(), 15);
    EXPECT_EQ(page->RightMargin(), 15);
    EXPECT_EQ(page->TopMargin(), 15);
    EXPECT_EQ(page->BottomMargin(), 15);
    EXPECT_EQ(page->Font().Name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(page->Font().Height, -11);
    EXPECT_EQ(page->Font().Charset, ANSI_CHARSET);
    EXPECT_EQ(page->Objects().size(), 42);
}

TEST_F(Certificate, LookupIgnoresCaseOfLatinLettersAndFindsPagesOnlyFromTheReport)
{
    TrpComponent* memo1 = report.FindObject(QStringLiteral("memo1"));
    ASSERT_NE(memo1, nullptr);
    EXPECT_EQ(memo1->Name(), QStringLiteral("Memo1"));
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo43")), nullptr);
    TrpComponent* page = report.FindObject(QStringLiteral("PAGE1"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FindObject(QStringLiteral("Page1")), nullptr);
    EXPECT_EQ(
        page->FindObject(QStringLiteral("Memo42")), report.FindObject(QStringLiteral("Memo42")));
    EXPECT_EQ(report.Pages(0)->FindObject(QStringLiteral("Memo1")), nullptr);

    const QList<TrpComponent*> all = report.AllObjects();
    ASSERT_EQ(all.size(), 44);
    EXPECT_EQ(all[0]->Name(), QStringLiteral("Data"));
    EXPECT_EQ(all[1]->Name(), QStringLiteral("Page1"));
    for (int i = 1; i <= 42; ++i)
        EXPECT_EQ(all[i + 1]->Name(), QStringLiteral("Memo%1").arg(i));
}

TEST_F(Certificate, EveryFieldIsACentredRussianTimesTextWithItsOwnFont)
{
    for (int i = 1; i <= 42; ++i) {
        const TrpMemoView* field = memo(report, QStringLiteral("Memo%1").arg(i));
        ASSERT_NE(field, nullptr) << i;
        EXPECT_EQ(field->ClassName(), QStringLiteral("TrpMemoView"));
        EXPECT_EQ(field->Font().Name, QStringLiteral("Times New Roman")) << i;
        EXPECT_EQ(field->Font().Charset, RUSSIAN_CHARSET) << i;
        EXPECT_EQ(field->Font().Color, clBlack) << i;
        EXPECT_FALSE(field->ParentFont()) << i;
        EXPECT_EQ(field->HAlign(), haCenter) << i;
        EXPECT_EQ(field->VAlign(), vaTop) << i;
        EXPECT_TRUE(field->WordWrap()) << i;
        EXPECT_TRUE(field->Clipped()) << i;
        // The operator's text is printed as it stands: "[" in a name is no expression.
        EXPECT_FALSE(field->AllowExpressions()) << i;
        EXPECT_EQ(field->Frame().Typ, 0) << i;
        EXPECT_EQ(field->Color(), clTransparent) << i;
        EXPECT_EQ(field->Memo().size(), 1) << i;
        EXPECT_DOUBLE_EQ(field->AbsLeft(), field->Left()) << i;
    }
}

struct FieldCase {
    const char* name;
    double left, top, width, height;
    int fontHeight;
    bool italic;
    QString text;
};

class CertificateField : public ::testing::TestWithParam<FieldCase> { };

TEST_P(CertificateField, CarriesItsStoredValuesExactly)
{
    TrpCustomReport report;
    loadCertificateTemplate(report);
    const FieldCase& c = GetParam();
    const TrpMemoView* field = memo(report, QString::fromLatin1(c.name));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->Left(), c.left);
    EXPECT_EQ(field->Top(), c.top);
    EXPECT_EQ(field->Width(), c.width);
    EXPECT_EQ(field->Height(), c.height);
    EXPECT_EQ(field->Font().Height, c.fontHeight);
    EXPECT_EQ(field->Font().Style, c.italic ? rpBit(fsItalic) : 0);
    EXPECT_EQ(field->Text(), c.text + QStringLiteral("\r\n"));
}

// Rows whose values are easy to get wrong: the longest decimals, the odd columns, the
// Latin/Cyrillic look-alikes of the design-time texts.
INSTANTIATE_TEST_SUITE_P(Rows, CertificateField,
    ::testing::Values(FieldCase {"Memo1", 11.33859, 26.45669291338583, 423.30736, 15.11811024, -12,
                          true, QStringLiteral("мемо 1")},
        FieldCase {"Memo4", 51.13389, 125.8582677165354, 49.13389, 18.89764024, -16, false,
            QStringLiteral("4444")},
        FieldCase {"Memo5", 11.33859, 160.6299212598425, 423.30736, 15.11811024, -13, true,
            QStringLiteral("мемо 5 ИВАНОВ ИВАН ИВАНОВИЧ")},
        FieldCase {"Memo12", 7.55906, 241.8897637795276, 423.30736, 15.11811024, -11, true,
            QStringLiteral("12_категории \"В\"")},
        FieldCase {"Memo13", 325.03958, 317.48031496, 37.7953, 15.11811024, -11, false,
            QStringLiteral("013")},
        FieldCase {"Memo17", 322.03958, 408.40971, 37.7953, 15.11811024, -11, false,
            QStringLiteral("017")},
        FieldCase {"Memo26", 294.80314961, 607.748031496063, 11.33859, 15.11811024, -13, false,
            QStringLiteral("6")},
        FieldCase {"Memo27", 331.59864, 629.6692913385828, 109.60637, 15.11811024, -11, false,
            QStringLiteral("27_Иванов И.И.")},
        FieldCase {"Memo38", 372.17347, 585.82715, 68.03154, 15.11811024, -11, false,
            QStringLiteral("38_Х")},
        FieldCase {"Memo39", 125.16543, 411.9685039370079, 30.23624, 15.11811024, -11, false,
            QStringLiteral("C1E")},
        FieldCase {"Memo42", 18.89765, 470.9291338582677, 147.40167, 15.11811024, -11, false,
            QStringLiteral("42_автоматической")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Certificate, AllFieldsLieInsideThePrintableArea)
{
    double right = 0, bottom = 0, left = 1e9, top = 1e9;
    QStringList rightmost;
    for (TrpComponent* field : report.FindObject(QStringLiteral("Page1"))->Objects()) {
        const double r = mm(field->Left() + field->Width());
        if (r > right)
            rightmost.clear();
        if (r >= right)
            rightmost.append(field->Name());
        right = std::max(right, r);
        bottom = std::max(bottom, mm(field->Top() + field->Height()));
        left = std::min(left, mm(field->Left()));
        top = std::min(top, mm(field->Top()));
    }
    EXPECT_DOUBLE_EQ(right, 117.00);
    EXPECT_EQ(rightmost, QStringList({"Memo30", "Memo35", "Memo36"}));
    EXPECT_DOUBLE_EQ(bottom, 170.60);
    EXPECT_DOUBLE_EQ(left, 2.00);
    EXPECT_DOUBLE_EQ(top, 7.00);
    EXPECT_DOUBLE_EQ(mm(report.FindObject(QStringLiteral("Memo27"))->Top() + 15.11811024), 170.60);
}

TEST(TestPage, ObjectsInTemplateOrderWithTheirValues)
{
    TrpCustomReport report;
    loadTestPageTemplate(report);
    EXPECT_EQ(report.Name(), QStringLiteral("rpReport2"));
    auto* page = dynamic_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PaperSize(), 11);
    EXPECT_EQ(page->LeftMargin(), 15);
    EXPECT_EQ(page->TopMargin(), 15);
    EXPECT_TRUE(page->ParentFont());
    EXPECT_EQ(page->Font(), TrpFont()) << "Arial 10 pt, DEFAULT_CHARSET, from the report";

    QStringList names;
    for (const TrpComponent* object : page->Objects())
        names.append(object->Name());
    EXPECT_EQ(names, QStringList({"Shape1", "Memo1", "Line1", "Line2", "Memo2", "Memo3", "Memo4"}));

    auto* shape = dynamic_cast<TrpShapeView*>(report.FindObject(QStringLiteral("Shape1")));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Left(), 0);
    EXPECT_EQ(shape->Width(), 419.52754197);
    EXPECT_EQ(shape->Height(), 604.72436063);
    EXPECT_EQ(shape->Shape(), skRectangle);
    EXPECT_DOUBLE_EQ(mm(shape->Width()) + 15, 126);
    EXPECT_DOUBLE_EQ(mm(shape->Height()) + 15, 175);

    for (const char* name : {"Line1", "Line2"}) {
        auto* line = dynamic_cast<TrpLineView*>(report.FindObject(QString::fromLatin1(name)));
        ASSERT_NE(line, nullptr) << name;
        EXPECT_TRUE(line->Diagonal());
        EXPECT_TRUE(line->ArrowStart());
        EXPECT_FALSE(line->ArrowEnd());
        EXPECT_EQ(line->ArrowLength(), 20);
        EXPECT_EQ(line->ArrowWidth(), 5);
        EXPECT_FALSE(line->ArrowSolid());
        EXPECT_EQ(line->Color(), clBlack);
    }
    EXPECT_EQ(report.FindObject(QStringLiteral("Line1"))->Left(), 268.34663);
    EXPECT_EQ(report.FindObject(QStringLiteral("Line1"))->Height(), 64.25201);
    EXPECT_EQ(report.FindObject(QStringLiteral("Line2"))->Top(), 83.14966);
    EXPECT_EQ(report.FindObject(QStringLiteral("Line2"))->Height(), 0);

    const TrpMemoView* title = memo(report, QStringLiteral("Memo4"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(title->Font().Size(), 14);
    EXPECT_EQ(title->Font().Style, rpBit(fsBold));
    EXPECT_EQ(title->Font().Charset, DEFAULT_CHARSET);
    EXPECT_EQ(title->HAlign(), haLeft);
    EXPECT_EQ(title->Memo(), QStringList({QStringLiteral("Тестовая страница.")}));
    EXPECT_EQ(
        memo(report, QStringLiteral("Memo2"))->Memo().value(0), QStringLiteral("Левая граница"));
    EXPECT_EQ(
        memo(report, QStringLiteral("Memo3"))->Memo().value(0), QStringLiteral("Верхняя граница"));
}

TEST(TestPage, InstructionHasItsFourteenLinesExactly)
{
    TrpCustomReport report;
    loadTestPageTemplate(report);
    const TrpMemoView* instruction = memo(report, QStringLiteral("Memo1"));
    ASSERT_NE(instruction, nullptr);
    EXPECT_TRUE(instruction->ParentFont());
    EXPECT_EQ(instruction->Font(), TrpFont());
    EXPECT_EQ(instruction->Left(), 41.57483);
    EXPECT_EQ(instruction->Height(), 419.52783);
    const QStringList& lines = instruction->Memo();
    ASSERT_EQ(lines.size(), 14);
    // The "А" of "А5" is the Cyrillic capital letter.
    EXPECT_EQ(lines[0], QStringLiteral("Вставьте в принтер лист бумаги формата \u04105. "));
    EXPECT_EQ(lines[2], QStringLiteral("Распечатайте страницу."));
    for (int empty : {4, 6, 8, 12})
        EXPECT_EQ(lines[empty], QString()) << empty;
    EXPECT_EQ(lines[9], QStringLiteral("Запомните новые значения полей и установите их на "));
    EXPECT_EQ(lines[11],
        QStringLiteral(" полях. Установите значение настройки \"\"Other\" в значение \"Apply to "
                       "all pages\"!!"));
    EXPECT_EQ(lines[13],
        QStringLiteral("После этого закройте страницу предварительного просмотра и нажмите кнопку "
                       u"\"Сохранить настройки\"."));
}

void expectSameTree(const TrpComponent& a, const TrpComponent& b)
{
    EXPECT_TRUE(rpSameProperties(a, b)) << a.Name().toStdString();
    for (const TrpPropertyValue& v : rpDiff(a, b))
        ADD_FAILURE() << a.Name().toStdString() << "." << v.property->name.toStdString();
    ASSERT_EQ(a.Objects().size(), b.Objects().size()) << a.Name().toStdString();
    for (qsizetype i = 0; i < a.Objects().size(); ++i)
        expectSameTree(*a.Objects()[i], *b.Objects()[i]);
}

class TemplateRoundTrip : public ::testing::TestWithParam<void (*)(TrpCustomReport&)> { };

TEST_P(TemplateRoundTrip, WriteReadAndCloneKeepEveryPropertyOfEveryObject)
{
    TrpCustomReport original;
    GetParam()(original);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    original.SaveToStream(buffer);
    buffer.seek(0);
    TrpCustomReport copy;
    copy.LoadFromStream(buffer);
    expectSameTree(original, copy);

    std::unique_ptr<TrpComponent> clone = rpClone(original);
    expectSameTree(original, *clone);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateRoundTrip,
    ::testing::Values(&loadCertificateTemplate, &loadTestPageTemplate),
    [](const auto& info) { return info.index == 0 ? "Certificate" : "TestPage"; });

TEST_F(Certificate, ReloadGivesNewInstancesWithValuesWrittenBeforeTheCopy)
{
    memo(report, QStringLiteral("Memo5"))->SetText(QStringLiteral("Петров Пётр [x"));
    dynamic_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")))->SetLeftMargin(20.5);
    const TrpComponent* before = report.FindObject(QStringLiteral("Memo5"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    report.SaveToStream(buffer);
    buffer.seek(0);
    report.LoadFromStream(buffer);
    EXPECT_NE(report.FindObject(QStringLiteral("Memo5")), before);
    EXPECT_EQ(memo(report, QStringLiteral("Memo5"))->Memo(),
        QStringList({QStringLiteral("Петров Пётр [x")}));
    EXPECT_EQ(
        dynamic_cast<TrpReportPage*>(report.FindObject(QStringLiteral("Page1")))->LeftMargin(),
        20.5);
    EXPECT_EQ(report.AllObjects().size(), 44);
}

} // namespace
