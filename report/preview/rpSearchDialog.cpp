#include "rpSearchDialog.h"

#include "report/model/rpRes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TrpSearchDialog::TrpSearchDialog(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(rpGet(QStringLiteral("fndCaption")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(rpGet(QStringLiteral("fndTextToFind")), this));
    TextE = new QLineEdit(text, this);
    TextE->selectAll();
    layout->addWidget(TextE);

    auto* options = new QGroupBox(rpGet(QStringLiteral("fndOptions")), this);
    auto* optionsLayout = new QVBoxLayout(options);
    TopCB = new QCheckBox(rpGet(QStringLiteral("fndFromBeginning")), options);
    CaseCB = new QCheckBox(rpGet(QStringLiteral("fndCaseSensitive")), options);
    optionsLayout->addWidget(TopCB);
    optionsLayout->addWidget(CaseCB);
    layout->addWidget(options);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok
        = buttons->addButton(rpGet(QStringLiteral("btnOK")), QDialogButtonBox::AcceptRole);
    buttons->addButton(rpGet(QStringLiteral("btnCancel")), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    TextE->setFocus();
}
