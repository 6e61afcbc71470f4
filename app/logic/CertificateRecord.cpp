#include "app/logic/CertificateRecord.h"

#include "app/logic/CertificateFields.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"

using namespace Qt::Literals::StringLiterals;

namespace {

static_assert(kCertificateFieldCount == RegisterEntry::kFieldCount);

QString printedField(const RegisterEntry& entry, CertificateRole role, int part = 0)
{
    return entry.fields.value(certificateField(role, part) - 1);
}

} // namespace

RegisterEntry printedCertificate(const RegisterEntry& form, const TrpReportPage& page,
    const QString& printer, const QDateTime& printedAt)
{
    RegisterEntry entry = form;
    entry.printedAt = printedAt;
    entry.printer = printer;
    entry.leftMargin = page.LeftMargin();
    entry.topMargin = page.TopMargin();
    entry.rightMargin = page.RightMargin();
    entry.bottomMargin = page.BottomMargin();
    entry.fields.clear();
    for (int number = 1; number <= RegisterEntry::kFieldCount; ++number) {
        const auto* memo = dynamic_cast<const TrpMemoView*>(
            page.FindObject(u"Memo"_s + QString::number(number)));
        entry.fields.append(memo ? memo->Memo().join(u'\n') : QString());
    }
    return entry;
}

bool printedAsTheForm(const RegisterEntry& entry)
{
    return printedField(entry, CertificateRole::Series) == entry.series
        && printedField(entry, CertificateRole::Graduate) == entry.graduate;
}

RegisterEntry printedPage(
    const TrpReportPage& page, const QString& printer, const QDateTime& printedAt)
{
    RegisterEntry printed;
    printed.hours = QStringList(RegisterEntry::kHourCount, QString());
    RegisterEntry entry = printedCertificate(printed, page, printer, printedAt);
    entry.school = printedField(entry, CertificateRole::School);
    entry.school2 = printedField(entry, CertificateRole::School2);
    entry.locality = printedField(entry, CertificateRole::Locality);
    entry.series = printedField(entry, CertificateRole::Series);
    entry.graduate = printedField(entry, CertificateRole::Graduate);
    entry.category = printedField(entry, CertificateRole::Category);
    entry.head = printedField(entry, CertificateRole::Head);
    for (int grade = 0; grade < RegisterEntry::kGradeCount; ++grade)
        entry.grades.append(printedField(entry, CertificateRole::Grade, grade));
    return entry;
}
