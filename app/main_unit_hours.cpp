// The ten hour fields, their cache and the running total.

#include "app/main_unit.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageService.h"
#include "platform/core/NumberFormat.h"

using namespace Qt::Literals::StringLiterals;

TNkEdit* TfmMain::hourField(int index) const
{
    TNkEdit* const fields[] = {
        Edit_13, Edit_14, Edit_15, Edit_16, Edit_17, Edit_18, Edit_19, Edit_20, Edit_21, Edit_22};
    return fields[index - 1];
}

QString TfmMain::auto_sum(const QString& source)
{
    for (int i = 1; i <= 10; ++i) {
        if (source == hourField(i)->objectName()) {
            hrs[i - 1] = platform::StrToFloat(hourField(i)->Text());
            break;
        }
    }
    double sum = 0;
    for (double hours : hrs)
        sum += hours;
    return platform::FloatToStr(sum);
}

void TfmMain::hourChange(TNkEdit* field)
{
    // Emptying the field writes "0", which runs this handler once more, nested, before the
    // outer run goes on.
    if (field->Text().isEmpty())
        field->SetText(u"0"_s);
    if (fLoadingHours)
        return;
    Edit_23->SetText(auto_sum(field->objectName()));
}

void TfmMain::fillHourCache()
{
    QStringList errors;
    for (int i = 1; i <= 10; ++i) {
        try {
            hrs[i - 1] = platform::StrToFloat(hourField(i)->Text());
        } catch (const platform::EConvertError& e) {
            hrs[i - 1] = 0;
            errors.append(platform::errorBoxText(e.message()));
        }
    }
    Edit_23->SetText(auto_sum(QString()));
    if (!errors.isEmpty())
        platform::showErrorBox(errors.join(u'\n'));
}

void TfmMain::Edit_13Change() { hourChange(Edit_13); }
void TfmMain::Edit_14Change() { hourChange(Edit_14); }
void TfmMain::Edit_15Change() { hourChange(Edit_15); }
void TfmMain::Edit_16Change() { hourChange(Edit_16); }
void TfmMain::Edit_17Change() { hourChange(Edit_17); }
void TfmMain::Edit_18Change() { hourChange(Edit_18); }
void TfmMain::Edit_19Change() { hourChange(Edit_19); }
void TfmMain::Edit_20Change() { hourChange(Edit_20); }
void TfmMain::Edit_21Change() { hourChange(Edit_21); }
void TfmMain::Edit_22Change() { hourChange(Edit_22); }

// Runs after the numeric filter has judged the key and before it is inserted, so the total
// is worked out from the text as it was before the keystroke.
void TfmMain::Edit_13KeyPress(QChar&) { Edit_23->SetText(auto_sum(u"Edit_13"_s)); }
