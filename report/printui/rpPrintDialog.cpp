#include "rpPrintDialog.h"

#include "rpPrintDialogDrawing.h"
#include "rpPropertiesDialog.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/NumberFormat.h"
#include "platform/widgets/Edit.h"
#include "platform/widgets/FileDialogs.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPaper.h"
#include "report/model/rpRes.h"
#include "report/print/rpCustomPrinter.h"
#include "report/print/rpPrinters.h"
#include "report/ui/rpHelpFile.h"
#include "report/ui/rpPreviewIcons.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int minCopies = 1;
constexpr int maxCopies = 1000;

QString res(const char* key) { return rpGet(QString::fromLatin1(key)); }

QLabel* label(const QString& text, int x, int y, QWidget* parent)
{
    auto* result = new QLabel(text, parent);
    result->move(x, y);
    result->adjustSize();
    return result;
}

QGroupBox* group(const char* key, int x, int y, int width, int height, QWidget* parent)
{
    auto* box = new QGroupBox(res(key), parent);
    box->setGeometry(x, y, width, height);
    return box;
}

QComboBox* list(int x, int y, int width, const QStringList& keys, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setGeometry(x, y, width, 21);
    for (const QString& key : keys)
        box->addItem(rpGet(key));
    return box;
}

QToolButton* arrow(Qt::ArrowType type, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    return button;
}

// The printer list's items are 16 pixels high on a 96-dpi screen and 19 above it.
int printerItemHeight(const QWidget& widget) { return widget.logicalDpiY() > 96 ? 19 : 16; }

} // namespace

TrpPrintDialog::TrpPrintDialog(TrpReport& report, TrpDuplexMode duplex, QWidget* parent)
    : QDialog(parent), FReport(report), FOldIndex(rpPrinters().PrinterIndex())
{
    build();
    connectControls();
    PrinterChanged(FOldIndex);
    showOptions(duplex);
}

void TrpPrintDialog::build()
{
    setWindowTitle(res("prnCaption"));
    setFixedSize(557, 333);

    QGroupBox* printerBox = group("prnPrinter", 4, 4, 549, 73, this);
    label(res("prnName"), 8, 20, printerBox);
    PrinterCB = new QComboBox(printerBox);
    PrinterCB->setGeometry(60, 16, 329, 22);
    auto* printerItems = new TrpPictureItemDelegate(24, printerItemHeight(*this), PrinterCB);
    PrinterCB->setItemDelegate(printerItems);
    PrinterCB->setIconSize(QSize(16, 16));
    const QIcon printerIcon = rpPreviewIcon(piPrint);
    for (const QString& name : rpPrinters().Printers())
        PrinterCB->addItem(printerIcon, name);
    PropButton = new QPushButton(res("prnProperties"), printerBox);
    PropButton->setGeometry(444, 16, 95, 22);
    label(res("prnWhere"), 8, 48, printerBox);
    WhereLbl = label(QString(), 60, 48, printerBox);
    FileCB = new QCheckBox(res("prnToFile"), printerBox);
    FileCB->move(408, 48);

    QGroupBox* pages = group("prnPages", 4, 80, 261, 117, this);
    AllRB = new QRadioButton(res("prnAll"), pages);
    AllRB->move(8, 20);
    CurPageRB = new QRadioButton(res("prnCurrentPage"), pages);
    CurPageRB->move(8, 40);
    PageNumbersRB = new QRadioButton(res("prnPageList"), pages);
    PageNumbersRB->move(8, 60);
    PageNumbersE = new platform::TEdit(pages);
    PageNumbersE->setGeometry(84, 58, 165, 21);
    auto* hint = new QLabel(res("prnPagesHint"), pages);
    hint->setGeometry(8, 82, 249, 29);
    hint->setWordWrap(true);

    QGroupBox* copies = group("prnCopies", 272, 80, 281, 117, this);
    label(res("prnNumberOfCopies"), 12, 20, copies);
    // The spin control takes its width from the field's, beside the field's text.
    CopiesE = new platform::TEdit(copies);
    CopiesE->setGeometry(140, 16, 113 - 16, 21);
    CopiesUp = arrow(Qt::UpArrow, copies);
    CopiesUp->setGeometry(140 + 113 - 16, 16, 16, 11);
    CopiesDown = arrow(Qt::DownArrow, copies);
    CopiesDown->setGeometry(140 + 113 - 16, 27, 16, 10);
    CollateCB = new QCheckBox(res("prnCollate"), copies);
    CollateCB->move(140, 58);
    CollateImg = new QLabel(copies);
    CollateImg->setGeometry(12, 48, 92, 53);

    QGroupBox* other = group("prnOther", 4, 200, 261, 97, this);
    label(res("prnPrintList"), 8, 20, other);
    PrintCB = list(84, 16, 165, {"prnAllPages", "prnOddPages", "prnEvenPages"}, other);
    label(res("prnOrder"), 8, 44, other);
    OrderCB = list(84, 40, 165, {"prnDirect", "prnReverse"}, other);
    label(res("prnDuplex"), 8, 68, other);
    DuplexCB = list(84, 64, 165,
        {"prnDuplexDefault", "prnDuplexVertical", "prnDuplexHorizontal", "prnDuplexSimplex"},
        other);

    QGroupBox* mode = group("prnPrintMode", 272, 200, 281, 97, this);
    ModeCB = new QComboBox(mode);
    auto* modeItems = new TrpPictureItemDelegate(74, 34, ModeCB);
    ModeCB->setItemDelegate(modeItems);
    ModeCB->setIconSize(QSize(64, 32));
    const char* modes[] = {"prnModeDefault", "prnModeSplit", "prnModeJoin", "prnModeScale"};
    for (int i = 0; i < 4; ++i)
        ModeCB->addItem(QIcon(rpPrintModePicture(TrpPrintMode(i))), res(modes[i]));
    ModeCB->setGeometry(12, 16, 257, 40);
    label(res("prnPrintOnSheet"), 12, 68, mode);
    SheetCB = new QComboBox(mode);
    SheetCB->setGeometry(140, 64, 129, 21);

    OkB = new QPushButton(res("btnOK"), this);
    OkB->setGeometry(398, 304, 75, 25);
    OkB->setDefault(true);
    CancelB = new QPushButton(res("btnCancel"), this);
    CancelB->setGeometry(478, 304, 75, 25);
}

void TrpPrintDialog::connectControls()
{
    connect(PrinterCB, &QComboBox::activated, this,
        [this](int index) { platform::runGuarded([this, index] { PrinterChanged(index); }); });
    connect(
        PropButton, &QPushButton::clicked, this, platform::guarded([this] { PropertiesClick(); }));
    connect(ModeCB, &QComboBox::activated, this, platform::guarded([this] { ModeChanged(); }));
    connect(PageNumbersRB, &QRadioButton::clicked, this,
        [this] { PageNumbersE->setFocus(Qt::OtherFocusReason); });
    PageNumbersE->installEventFilter(this);
    CopiesE->installEventFilter(this);
    // The copies field takes digits only; control keys (Backspace, the clipboard's) pass.
    CopiesE->OnKeyPress = [](QChar& key) {
        if (key >= u' ' && !key.isDigit())
            key = QChar();
    };
    connect(CopiesUp, &QToolButton::clicked, this, platform::guarded([this] { StepCopies(1); }));
    connect(CopiesDown, &QToolButton::clicked, this, platform::guarded([this] { StepCopies(-1); }));
    connect(CollateCB, &QCheckBox::toggled, this, [this] { showCollatePicture(); });
    connect(OkB, &QPushButton::clicked, this, platform::guarded([this] { OkClick(); }));
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

void TrpPrintDialog::showOptions(TrpDuplexMode duplex)
{
    const TrpPrintOptions& options = FReport.PrintOptions();
    CopiesE->SetText(QString::number(options.Copies));
    CollateCB->setChecked(options.Collate);
    showCollatePicture();
    PageNumbersE->SetText(options.PageNumbers);
    (options.PageNumbers.isEmpty() ? AllRB : PageNumbersRB)->setChecked(true);
    PrintCB->setCurrentIndex(options.PrintPages);
    OrderCB->setCurrentIndex(options.Reverse ? 1 : 0);
    ModeCB->setCurrentIndex(options.PrintMode);
    DuplexCB->setCurrentIndex(duplex);
    if (options.PrintMode != pmDefault) {
        const int paper = printer().PaperIndex(options.PrintOnSheet);
        const int sheet = paper > 0 ? SheetCB->findText(printer().Papers()[paper].Name) : -1;
        SheetCB->setCurrentIndex(std::max(sheet, 0));
    }
    SheetCB->setEnabled(options.PrintMode != pmDefault);
}

TrpCustomPrinter& TrpPrintDialog::printer() const { return *rpPrinters().Printer(); }

void TrpPrintDialog::PrinterChanged(int index)
{
    const QString chosenSheet = SheetCB->currentIndex() > 0 ? SheetCB->currentText() : QString();
    TrpPrinters& printers = rpPrinters();
    printers.SetPrinterIndex(index);
    PrinterCB->setCurrentIndex(printers.PrinterIndex());
    WhereLbl->setText(printer().Port());
    WhereLbl->adjustSize();
    SheetCB->clear();
    SheetCB->addItem(res("prtDefaultPrinter"));
    for (const TrpPrinterItem& paper : printer().Papers())
        if (paper.Code != rpCustomPaper)
            SheetCB->addItem(paper.Name);
    SheetCB->setCurrentIndex(
        chosenSheet.isEmpty() ? 0 : std::max(SheetCB->findText(chosenSheet), 0));
}

void TrpPrintDialog::ModeChanged()
{
    if (ModeCB->currentIndex() == pmDefault) {
        SheetCB->setCurrentIndex(0);
        SheetCB->setEnabled(false);
        return;
    }
    SheetCB->setEnabled(true);
    if (SheetCB->currentIndex() == 0) {
        const int a4 = printer().PaperIndex(rpPaperA4);
        if (a4 > 0)
            SheetCB->setCurrentIndex(std::max(SheetCB->findText(printer().Papers()[a4].Name), 0));
    }
}

void TrpPrintDialog::PropertiesClick()
{
    printer().PropertiesDlg(
        [this](TrpPrinterProperties& properties) { return rpRunPropertiesForm(properties, this); });
    switch (printer().Duplex()) {
    case 1:
        DuplexCB->setCurrentIndex(dmSimplex);
        break;
    case 2:
        DuplexCB->setCurrentIndex(dmVertical);
        break;
    case 3:
        DuplexCB->setCurrentIndex(dmHorizontal);
        break;
    default:
        break;
    }
}

void TrpPrintDialog::StepCopies(int step)
{
    bool ok = false;
    const int now = CopiesE->Text().toInt(&ok);
    const int next = std::clamp(ok ? now + step : minCopies, minCopies, maxCopies);
    CopiesE->SetText(QString::number(next));
    CopiesE->selectAll();
}

void TrpPrintDialog::showCollatePicture()
{
    CollateImg->setPixmap(rpCollatePicture(CollateCB->isChecked()));
}

TrpDuplexMode TrpPrintDialog::Duplex() const { return TrpDuplexMode(DuplexCB->currentIndex()); }

void TrpPrintDialog::OkClick()
{
    const int copies = platform::StrToInt(CopiesE->Text());
    if (FileCB->isChecked()) {
        const QString name = platform::getSaveFileName(
            res("prnFileFilter"), QStringLiteral("prn"), res("prnToFileCaption"));
        if (name.isEmpty()) {
            QDialog::reject();
            return;
        }
        const QFileInfo file(name);
        printer().FileName = file.dir().filePath(file.completeBaseName() + QStringLiteral(".prn"));
    } else {
        printer().FileName.clear();
    }
    TrpPrintOptions& options = FReport.PrintOptions();
    options.Copies = copies;
    options.Collate = CollateCB->isChecked();
    if (AllRB->isChecked())
        options.PageNumbers.clear();
    else if (CurPageRB->isChecked())
        options.PageNumbers = QString::number(FReport.PreviewPages().CurPreviewPage());
    else
        options.PageNumbers = PageNumbersE->Text();
    options.PrintPages = TrpPrintPages(PrintCB->currentIndex());
    options.Reverse = OrderCB->currentIndex() == 1;
    options.PrintMode = TrpPrintMode(ModeCB->currentIndex());
    options.PrintOnSheet = printer().PaperNameToNumber(SheetCB->currentText());
    accept();
}

void TrpPrintDialog::reject()
{
    rpPrinters().SetPrinterIndex(FOldIndex);
    QDialog::reject();
}

void TrpPrintDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        platform::runGuarded([this] { rpOpenHelp(FReport); });
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TrpPrintDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PageNumbersE && event->type() == QEvent::FocusIn)
        PageNumbersRB->setChecked(true);
    if (watched == CopiesE && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            platform::runGuarded([this, key] { StepCopies(key == Qt::Key_Up ? 1 : -1); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool rpRunPrintDialog(TrpReport& report, TrpDuplexMode& duplex)
{
    TrpPrintDialog dialog(report, duplex, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    duplex = dialog.Duplex();
    return true;
}
