#include "rpPropertiesDialog.h"

#include "report/model/rpRes.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

QString res(const char* key) { return rpGet(QString::fromLatin1(key)); }

// The record's duplex codes in the order the list shows them: one side, then the two ways of
// turning the sheet.
constexpr int duplexCodes[] = {1, 2, 3};

} // namespace

TrpPrinterPropertiesForm::TrpPrinterPropertiesForm(
    const TrpPrinterProperties& properties, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(res("prpCaption").replace(QStringLiteral("%s"), properties.PrinterName));
    setFixedSize(300, 105);

    auto* source = new QLabel(res("prpSource"), this);
    source->setGeometry(8, 12, 100, 17);
    SourceCB = new QComboBox(this);
    SourceCB->setGeometry(112, 8, 180, 21);
    for (const TrpPrinterItem& item : properties.Sources)
        SourceCB->addItem(item.Name, item.Code);
    const int sourceIndex = SourceCB->findData(properties.Source);
    SourceCB->setCurrentIndex(std::max(sourceIndex, 0));
    SourceCB->setEnabled(SourceCB->count() > 1);

    auto* duplex = new QLabel(res("prnDuplex"), this);
    duplex->setGeometry(8, 44, 100, 17);
    DuplexCB = new QComboBox(this);
    DuplexCB->setGeometry(112, 40, 180, 21);
    const char* names[] = {"prnDuplexSimplex", "prnDuplexVertical", "prnDuplexHorizontal"};
    const int offered = properties.CanDuplex ? 3 : 1;
    for (int i = 0; i < offered; ++i)
        DuplexCB->addItem(res(names[i]), duplexCodes[i]);
    DuplexCB->setCurrentIndex(std::max(DuplexCB->findData(properties.Duplex), 0));
    DuplexCB->setEnabled(properties.CanDuplex);

    OkB = new QPushButton(res("btnOK"), this);
    OkB->setGeometry(137, 72, 75, 25);
    OkB->setDefault(true);
    CancelB = new QPushButton(res("btnCancel"), this);
    CancelB->setGeometry(217, 72, 75, 25);
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

void TrpPrinterPropertiesForm::TakeChoice(TrpPrinterProperties& properties) const
{
    if (SourceCB->currentIndex() >= 0)
        properties.Source = SourceCB->currentData().toInt();
    properties.Duplex = DuplexCB->currentData().toInt();
}

bool rpRunPropertiesForm(TrpPrinterProperties& properties, QWidget* parent)
{
    TrpPrinterPropertiesForm form(properties, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    form.TakeChoice(properties);
    return true;
}
