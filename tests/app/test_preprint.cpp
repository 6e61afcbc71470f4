#include "MainWindowFixture.h"

#include "app/logic/CertificateText.h"
#include "app/logic/Lists.h"
#include "app/logic/Placeholders.h"
#include "report/engine/rpReport.h"
#include "report/model/rpViews.h"
#include "support/PreviewSession.h"

namespace {

class Preprint : public MainWindowTest {
protected:
    // The field's lines joined by "|": every filled text is a single line.
    QString field(int number)
    {
        auto* memo = dynamic_cast<TrpMemoView*>(
            main().rpReport1->FindObject(u("Memo") + QString::number(number)));
        return memo ? memo->Memo().join(u("|")) : u("<missing>");
    }
};

TEST_F(Preprint, OneFullFillingGivesTheFortyTwoTexts)
{
    main().Edit_01->SetText(u("АНО ДПО \"Автошкола Ворсела\""));
    main().edit_03->SetText(u("г. Тверь"));
    main().edit_04->SetText(u("АБ12"));
    main().Edit_05->SetText(u("Петров Пётр Петрович"));
    main().DateTime_678->setDate(QDate(2016, 3, 5));
    main().DateTime_91011->setDate(QDate(2019, 12, 31));
    main().DateTime_242526->setDate(QDate(2020, 1, 1));
    main().Combo_categ->SetItemIndex(15);
    main().Edit_14->SetText(u("0"));
    main().Edit_15->SetText(u("0,00"));
    main().Edit_16->SetText(u("00"));
    main().Edit_23->SetText(u("0"));
    main().Edit_27->SetText(u("Сидоров С.С."));
    main().Combo_30->SetItemIndex(4);
    main().Combo_31->SetText(u("зачёт"));
    main().Combo_42->SetItemIndex(1);

    // The command fills the template and shows it; preparation leaves the texts in place.
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [](TrpPreviewForm& form) { EXPECT_EQ(form.Preview->PageCount(), 1); });

    const QString categ = lists::categoryList().at(15);
    const QStringList expected = {u("АНО ДПО \"Автошкола Ворсела\""), u(" "), u("г. Тверь"),
        u("АБ12"), u("Петров Пётр Петрович"), u("05"), u("марта"), u("6"), u("31"), u("декабря"),
        u("9"), categ, u("42,00"), u("x"), u("0,00"), u("00"), u("42,00"), u("42,00"), u("42,00"),
        u("42,00"), u("42,00"), u("42,00"), u("0"), u("01"), u("января"), u("0"), u("Сидоров С.С."),
        u("Зачтено"), u("Зачтено"), u("x"), u("зачёт"), u("Зачтено"), u("Зачтено"), u("Зачтено"),
        u("Зачтено"), u("Зачтено"), u("Отлично"), u("X"),
        u("\xD0\xA1"
          "1"),
        u("\xD0\xA1"
          "1"),
        u("\xD0\xA1"
          "1"),
        u(" автоматической")};
    ASSERT_EQ(expected.size(), 42);
    for (int i = 1; i <= 42; ++i)
        EXPECT_EQ(field(i), expected.at(i - 1)) << "Memo" << i;
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(Preprint, SecondLineFilledInIsPrintedAndFillingTwiceGivesTheSameTexts)
{
    main().edit_02->SetText(u("филиал"));
    main().preprint();
    QStringList first;
    for (int i = 1; i <= 42; ++i)
        first.append(field(i));
    main().preprint();
    QStringList second;
    for (int i = 1; i <= 42; ++i)
        second.append(field(i));
    EXPECT_EQ(first, second);
    EXPECT_EQ(field(2), u("филиал"));
    EXPECT_EQ(field(1), placeholders::kSchoolName);
}

TEST_F(Preprint, TemplateMissingAFieldStopsTheFillingThere)
{
    main().Edit_05->SetText(u("Петров Пётр Петрович"));
    delete main().rpReport1->FindObject(u("Memo7"));
    QTest::mouseClick(main().btnPreview, Qt::LeftButton);
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(recorder.messages[0].text.contains(u("Memo7")));
    EXPECT_EQ(field(5), u("Петров Пётр Петрович"));
    EXPECT_EQ(field(6), Monthstr(u("day"), QDate::currentDate()));
    EXPECT_NE(field(8), Monthstr(u("year"), QDate::currentDate()));
}

} // namespace
