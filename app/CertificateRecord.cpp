#include "app/CertificateRecord.h"

#include "report/model/rpPages.h"
#include "report/model/rpViews.h"

using namespace Qt::Literals::StringLiterals;

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
