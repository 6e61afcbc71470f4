// The three category labels of the special cycle follow the training programme.

#include "app/logic/CertificateText.h"
#include "app/main_unit.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kAsControlled = u" как объектов управления"_s;
const QString kCategory = u"категории "_s;
constexpr int kFirstRetraining = 14;
constexpr int kLastRetraining = 23;

} // namespace

void TfmMain::showPlainCategoryLabels()
{
    Label20->SetCaption(Combo_categ->Text() + kAsControlled);
    Label22->SetCaption(Combo_categ->Text());
    Label23->SetCaption(Combo_categ->Text());
}

void TfmMain::Combo_categChange()
{
    showPlainCategoryLabels();
    // A retraining programme names only its target category, without quotes.
    for (int i = kFirstRetraining; i <= kLastRetraining; ++i) {
        if (Combo_categ->ItemIndex() == i) {
            const QString code = Copy_categ(Combo_categ->Text());
            Label20->SetCaption(kCategory + code + kAsControlled);
            Label22->SetCaption(kCategory + code);
            Label23->SetCaption(kCategory + code);
        }
    }
}
