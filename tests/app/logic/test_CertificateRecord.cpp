// The register's record of a printed page, read back from a certificate filled from a form.

#include "app/logic/CertificateFields.h"
#include "app/logic/CertificateRecord.h"
#include "app/logic/CertificateText.h"
#include "app/logic/Lists.h"
#include "report/model/rpClass.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

RegisterEntry typedForm()
{
    RegisterEntry form;
    form.school = u("АНО ДПО \"Автошкола Ворсела\"");
    form.school2 = u("филиал в г. Торжке");
    form.locality = u("г. Тверь");
    form.series = u("АБ12");
    form.graduate = u("Петров Пётр Петрович");
    form.periodFrom = QDate(2016, 3, 5);
    form.periodTo = QDate(2019, 12, 31);
    form.category = lists::categoryList().at(15);
    form.transmission = lists::transmissionList().at(1);
    form.hours
        = {u("1"), u("2"), u("3"), u("4"), u("5"), u("6"), u("7"), u("8"), u("9"), u("0"), u("45")};
    // Neighbours differ, so a grade read from its neighbour's field shows.
    form.grades = {u("Зачтено"), u("Отлично"), u("Хорошо"), u("Удовл."), u("x"), u("Хорошо"),
        u("Зачтено"), u("Удовл."), u("Отлично"), u("x")};
    form.issuedOn = QDate(2020, 1, 1);
    form.head = u("Сидоров С.С.");
    return form;
}

// The certificate's page as the form fills it.
void fillPage(TrpReportPage& page, const RegisterEntry& form)
{
    for (int number = 1; number <= kCertificateFieldCount; ++number) {
        auto* memo = new TrpMemoView(&page);
        memo->SetName(u("Memo") + QString::number(number));
        memo->SetText(certificateFieldText(form, number));
    }
}

TEST(CertificateRecord, aPageOfAnUnknownFormGivesBackTheTextsThatPrintAsTyped)
{
    const RegisterEntry form = typedForm();
    TrpCustomReport report;
    auto* page = new TrpReportPage(&report);
    fillPage(*page, form);
    const QDateTime printedAt(QDate(2020, 1, 2), QTime(10, 30));

    const RegisterEntry read = printedPage(*page, u("A5"), printedAt);
    EXPECT_EQ(read.school, form.school);
    EXPECT_EQ(read.school2, form.school2);
    EXPECT_EQ(read.locality, form.locality);
    EXPECT_EQ(read.series, form.series);
    EXPECT_EQ(read.graduate, form.graduate);
    EXPECT_EQ(read.category, form.category);
    EXPECT_EQ(read.head, form.head);
    EXPECT_EQ(read.grades, form.grades);
    EXPECT_EQ(read.hours, QStringList(RegisterEntry::kHourCount, QString()))
        << "hours print altered (0 as x)";
    EXPECT_EQ(read.transmission, QString());
    EXPECT_EQ(read.periodFrom, QDate());
    EXPECT_EQ(read.issuedOn, QDate());
    EXPECT_EQ(read.printer, u("A5"));
    EXPECT_EQ(read.printedAt, printedAt);
    EXPECT_EQ(read.fields.size(), RegisterEntry::kFieldCount);

    EXPECT_TRUE(printedAsTheForm(printedCertificate(form, *page, u("A5"), printedAt)));
    RegisterEntry other = form;
    other.graduate = u("Сидоров Иван Ильич");
    EXPECT_FALSE(printedAsTheForm(printedCertificate(other, *page, u("A5"), printedAt)));
    other = form;
    other.series = u("ВГ34");
    EXPECT_FALSE(printedAsTheForm(printedCertificate(other, *page, u("A5"), printedAt)));
}

} // namespace
