#include "app/calibration/fmCalibration.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageService.h"
#include "platform/core/NumberFormat.h"
#include "platform/widgets/Edit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// The operator may type either separator, as in the page settings.
double readMillimetres(const platform::TEdit& field)
{
    const QChar separator = platform::numberFormat().decimalSeparator;
    QString text = field.Text().trimmed();
    text.replace(QLatin1Char('.'), separator).replace(QLatin1Char(','), separator);
    double value = 0;
    if (!platform::TryStrToFloat(text, value))
        throw platform::EConvertError(
            u("Расстояние «%1» — не число: введите его в миллиметрах, например 15,5")
                .arg(field.Text()));
    return value;
}

} // namespace

TfmCalibration::TfmCalibration(double printedLeft, double printedTop, QWidget* parent)
    : QDialog(parent), fPrintedLeft(printedLeft), fPrintedTop(printedTop)
{
    setWindowTitle(u("Калибровка по измерению"));
    auto* layout = new QVBoxLayout(this);
    const auto field = [&](const char* caption) {
        layout->addWidget(new QLabel(u(caption), this));
        auto* edit = new platform::TEdit(this);
        edit->SetText(calibrationMillimetres(kCalibrationTarget));
        layout->addWidget(edit);
        return edit;
    };
    LeftE = field("Расстояние от левого края листа до левой линии прямоугольника, мм");
    TopE = field("Расстояние от верхнего края листа до верхней линии прямоугольника, мм");

    auto* buttons = new QDialogButtonBox(this);
    OkB = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    CancelB = buttons->addButton(u("Отмена"), QDialogButtonBox::RejectRole);
    OkB->setDefault(true);
    layout->addWidget(buttons);
    connect(OkB, &QPushButton::clicked, this, platform::guarded([this] { OkClick(); }));
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
    LeftE->setFocus();
    LeftE->selectAll();
}

void TfmCalibration::OkClick()
{
    const double left = readMillimetres(*LeftE);
    const double top = readMillimetres(*TopE);
    fResult = calibrateByMeasurement(fPrintedLeft, fPrintedTop, left, top);
    if (!fResult.Accepted) {
        platform::ShowMessage(fResult.Refusal);
        return;
    }
    accept();
}
