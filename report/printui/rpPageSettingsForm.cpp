#include "rpPageSettingsForm.h"

#include "platform/core/EventBoundary.h"
#include "platform/widgets/Edit.h"
#include "report/model/rpPages.h"
#include "report/model/rpRes.h"
#include "report/print/rpCustomPrinter.h"
#include "report/print/rpPrinters.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString res(const char* key) { return rpGet(QString::fromLatin1(key)); }

// A sheet with a few lines of text, upright or turned, as the orientation's picture.
QPixmap sheetPicture(int width, int height)
{
    QPixmap picture(width, height);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width - 1, height - 1);
    for (int y = 5; y < height - 4; y += 4)
        painter.drawLine(4, y, width - 5, y);
    return picture;
}

QLabel* label(const QString& text, int x, int y, QWidget* parent)
{
    auto* result = new QLabel(text, parent);
    result->move(x, y);
    result->adjustSize();
    return result;
}

platform::TEdit* lengthField(int x, int y, int width, QWidget* parent)
{
    auto* field = new platform::TEdit(parent);
    field->setGeometry(x, y, width, 21);
    return field;
}

QGroupBox* group(const char* key, int x, int y, int width, int height, QWidget* parent)
{
    auto* box = new QGroupBox(res(key), parent);
    box->setGeometry(x, y, width, height);
    return box;
}

} // namespace

TrpPageSettingsForm::TrpPageSettingsForm(
    TrpReportPage& page, const TrpCustomReport& report, TrpCustomPrinter& printer, QWidget* parent)
    : QDialog(parent), FPage(page), FSetup(page, printer, rpDisplayUnit(rpReadUnitsCode(report)))
{
    build();
    connectControls();
    showSetup();
    CurrentRB->setChecked(true);
}

void TrpPageSettingsForm::build()
{
    setWindowTitle(res("pgsCaption"));
    setFixedSize(286, 359);

    QGroupBox* size = group("pgsSize", 4, 4, 277, 101, this);
    SizeCB = new QComboBox(size);
    SizeCB->setGeometry(8, 18, 261, 21);
    for (const TrpPrinterItem& paper : FSetup.Printer().Papers())
        SizeCB->addItem(paper.Name, paper.Code);
    label(res("pgsWidth"), 8, 49, size);
    WidthE = lengthField(64, 46, 45, size);
    label(res("pgsHeight"), 8, 73, size);
    HeightE = lengthField(64, 70, 45, size);
    UnitLabels << label(FSetup.Unit().Label, 112, 49, size)
               << label(FSetup.Unit().Label, 112, 73, size);

    QGroupBox* orientation = group("pgsOrientation", 4, 108, 277, 65, this);
    PortraitRB = new QRadioButton(res("pgsPortrait"), orientation);
    PortraitRB->move(8, 20);
    LandscapeRB = new QRadioButton(res("pgsLandscape"), orientation);
    LandscapeRB->move(8, 40);
    PortraitImg = new QLabel(orientation);
    PortraitImg->setGeometry(148, 21, 26, 32);
    PortraitImg->setPixmap(sheetPicture(26, 32));
    LandscapeImg = new QLabel(orientation);
    LandscapeImg->setGeometry(145, 25, 32, 26);
    LandscapeImg->setPixmap(sheetPicture(32, 26));

    QGroupBox* margins = group("pgsMargins", 4, 176, 277, 73, this);
    label(res("pgsLeft"), 8, 21, margins);
    LeftE = lengthField(64, 18, 40, margins);
    label(res("pgsTop"), 8, 45, margins);
    TopE = lengthField(64, 42, 40, margins);
    label(res("pgsRight"), 156, 21, margins);
    RightE = lengthField(212, 18, 40, margins);
    label(res("pgsBottom"), 156, 45, margins);
    BottomE = lengthField(212, 42, 40, margins);
    const QString unit = FSetup.Unit().Label;
    UnitLabels << label(unit, 108, 21, margins) << label(unit, 108, 45, margins)
               << label(unit, 256, 21, margins) << label(unit, 256, 45, margins);

    QGroupBox* other = group("pgsOther", 4, 252, 277, 65, this);
    CurrentRB = new QRadioButton(res("pgsApplyCurrent"), other);
    CurrentRB->move(8, 20);
    AllRB = new QRadioButton(res("pgsApplyAll"), other);
    AllRB->move(8, 40);

    OkB = new QPushButton(res("btnOK"), this);
    OkB->setGeometry(126, 328, 75, 25);
    OkB->setDefault(true);
    CancelB = new QPushButton(res("btnCancel"), this);
    CancelB->setGeometry(206, 328, 75, 25);
}

void TrpPageSettingsForm::connectControls()
{
    connect(SizeCB, &QComboBox::activated, this, platform::guarded([this] {
        takeFields();
        FSetup.ChoosePaper(SizeCB->currentData().toInt());
        showSetup();
    }));
    const auto orientationClicked = [this](TrpPrinterOrientation value) {
        return platform::guarded([this, value] {
            if (FSetup.Orientation() == value)
                return;
            takeFields();
            FSetup.ChooseOrientation(value);
            showSetup();
        });
    };
    connect(PortraitRB, &QRadioButton::clicked, this, orientationClicked(poPortrait));
    connect(LandscapeRB, &QRadioButton::clicked, this, orientationClicked(poLandscape));
    WidthE->OnChange = [this] { sizeEdited(); };
    HeightE->OnChange = [this] { sizeEdited(); };
    connect(OkB, &QPushButton::clicked, this, platform::guarded([this] { OkClick(); }));
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

void TrpPageSettingsForm::showSetup()
{
    FUpdating = true;
    SizeCB->setCurrentIndex(FSetup.Printer().PaperIndex(FSetup.Paper()));
    WidthE->SetText(FSetup.Width);
    HeightE->SetText(FSetup.Height);
    LeftE->SetText(FSetup.Left);
    TopE->SetText(FSetup.Top);
    RightE->SetText(FSetup.Right);
    BottomE->SetText(FSetup.Bottom);
    const bool portrait = FSetup.Orientation() == poPortrait;
    PortraitRB->setChecked(portrait);
    LandscapeRB->setChecked(!portrait);
    PortraitImg->setVisible(portrait);
    LandscapeImg->setVisible(!portrait);
    FUpdating = false;
}

void TrpPageSettingsForm::takeFields()
{
    FSetup.Width = WidthE->Text();
    FSetup.Height = HeightE->Text();
    FSetup.Left = LeftE->Text();
    FSetup.Top = TopE->Text();
    FSetup.Right = RightE->Text();
    FSetup.Bottom = BottomE->Text();
}

void TrpPageSettingsForm::sizeEdited()
{
    if (FUpdating)
        return;
    FSetup.SizeEdited();
    SizeCB->setCurrentIndex(FSetup.Printer().PaperIndex(FSetup.Paper()));
}

bool TrpPageSettingsForm::NeedRebuild() const { return AllRB->isChecked(); }

void TrpPageSettingsForm::OkClick()
{
    takeFields();
    rpWritePageSettings(FPage, FSetup.Read());
    accept();
}

TrpPageSetupResult rpRunPageSettings(TrpReport& report, TrpReportPage& page)
{
    TrpCustomPrinter* printer = rpPrinters().Printer();
    if (!printer)
        return TrpPageSetupResult::Cancelled;
    TrpPageSettingsForm form(page, report, *printer);
    if (form.exec() != QDialog::Accepted)
        return TrpPageSetupResult::Cancelled;
    if (!form.NeedRebuild())
        return TrpPageSetupResult::PageChanged;
    rpApplyToReportPages(report, page);
    return TrpPageSetupResult::ReportPagesChanged;
}
