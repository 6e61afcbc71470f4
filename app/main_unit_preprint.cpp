// Copying the form into the 42 fields of the certificate template.

#include "app/logic/CertificateFields.h"
#include "app/logic/CertificateText.h"
#include "app/main_unit.h"
#include "platform/core/Exception.h"
#include "report/engine/rpReport.h"
#include "report/model/rpViews.h"

using namespace Qt::Literals::StringLiterals;

void TfmMain::preprint()
{
    const RegisterEntry form = formRecord();
    for (int number = 1; number <= kCertificateFieldCount; ++number) {
        // Every preparation replaces the template's objects, so a field is looked up anew
        // each time.
        const QString name = u"Memo"_s + QString::number(number);
        auto* memo = dynamic_cast<TrpMemoView*>(rpReport1->FindObject(name));
        if (!memo)
            throw platform::Exception(
                u"В шаблоне свидетельства нет текстового поля %1"_s.arg(name));
        memo->SetText(certificateFieldText(form, number));
    }
}
