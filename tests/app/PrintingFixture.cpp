#include "PrintingFixture.h"

#include "app/calibration/fmCalibration.h"
#include "app/calibration/fmCalibrationSave.h"
#include "platform/core/QPainterCanvas.h"
#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/model/rpProperty.h"
#include "report/model/rpUnits.h"
#include "report/printui/rpPageSettingsForm.h"
#include "report/render/rpDrawPage.h"
#include "support/ModalSession.h"
#include "support/OperatorInput.h"
#include "support/PreviewSession.h"
#include "support/PrintDialogInput.h"
#include "support/PrintOutput.h"
#include "support/ReportTestHelpers.h"
#include "support/SpoolerEnvironment.h"
#include "support/UserSettingsFolder.h"

#include <QFile>
#include <QRadioButton>
#include <QToolBar>

namespace {

const auto* const printer = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment(
    {{QStringLiteral("Misfeed"), TestPpd().text(), true, QPointF(2.7, -1.8)}}));
const auto* const settings = ::testing::AddGlobalTestEnvironment(new UserSettingsFolder);

const char* const kCalibrationCommand = "Калибровка по измерению…";
constexpr double kBlankMargin = 15; // mm: the margins the blank's boxes are laid out for
constexpr double kDeviceScale = 600 / 96.0;
constexpr double kFieldSlack = 0.25; // mm around a field's box: less than the gap between boxes

void clickToolButton(TrpPreviewForm& form, QAction* action)
{
    ASSERT_NE(action, nullptr);
    QWidget* button = form.ToolBar->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible() && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

QAction* calibrationCommand(TrpPreviewForm& form)
{
    for (QAction* action : form.ToolBar->actions())
        if (action->text() == u(kCalibrationCommand))
            return action;
    return nullptr;
}

// A distance as the operator writes it down: to a hundredth of a millimetre, with the
// program's decimal separator.
QString writtenDown(double millimetres)
{
    return platform::FloatToStrF(millimetres, platform::ffFixed, 15, 2);
}

} // namespace

void PrintingTest::fillTheForm()
{
    activate(main());
    const struct {
        platform::TEdit* field;
        const char* text;
    } entries[] = {
        {main().Edit_01, "АНО ДПО \"Автошкола Ворсела\""},
        {main().edit_02, "учебный центр № 2"},
        {main().edit_03, "г. Тверь"},
        {main().edit_04, "АБ"},
        {main().Edit_05, "Петров Пётр Петрович"},
        {main().Edit_27, "Сидоров С.С."},
    };
    for (const auto& entry : entries) {
        QTest::mouseClick(entry.field, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), entry.field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        type(QApplication::focusWidget(), u(entry.text));
    }
}

void PrintingTest::inPreview(
    TrpReport& report, QPushButton* command, const std::function<void(TrpPreviewForm&)>& act)
{
    whilePreviewOpen(
        report, [&] { QTest::mouseClick(command, Qt::LeftButton); }, act,
        [&report](
            TrpPreviewForm& form) { return previewPrepared(form) && !report.Engine().Running(); });
}

void PrintingTest::inTestPagePreview(const std::function<void(TrpPreviewForm&)>& act)
{
    inPreview(*main().rpReport2, main().Button1, act);
}

void PrintingTest::inCertificatePreview(const std::function<void(TrpPreviewForm&)>& act)
{
    inPreview(*main().rpReport1, main().btnPreview, act);
}

void PrintingTest::print(TrpPreviewForm& form)
{
    QFile::remove(spooler().output());
    printThroughDialog([&] { clickToolButton(form, form.PrintB); });
}

QImage PrintingTest::printedSheet()
{
    EXPECT_TRUE(spooler().waitForJobs()) << "the spooler did not finish the job";
    EXPECT_TRUE(QFile::exists(spooler().output())) << "nothing was printed";
    const QImage sheet = rasterAt600(spooler().output());
    const QSizeF points = pdfPageSize(spooler().output());
    EXPECT_NEAR(points.width(), 420, 1) << "the sheet is not A5";
    EXPECT_NEAR(points.height(), 595, 1) << "the sheet is not A5";
    return sheet;
}

QImage PrintingTest::printTestPage()
{
    inTestPagePreview([](TrpPreviewForm& form) { print(form); });
    return printedSheet();
}

QImage PrintingTest::printCertificate()
{
    inCertificatePreview([](TrpPreviewForm& form) { print(form); });
    return printedSheet();
}

void PrintingTest::applyMarginsToAllPages(TrpPreviewForm& form, const char* left, const char* top)
{
    whileModalOpen<TrpPageSettingsForm>([&] { clickToolButton(form, form.PageSettingsB); },
        [&](TrpPageSettingsForm& dialog) {
            activate(dialog);
            typeInto(*dialog.LeftE, u(left));
            typeInto(*dialog.TopE, u(top));
            click(*dialog.AllRB);
            click(*dialog.OkB);
            EXPECT_FALSE(dialog.isVisible());
        });
}

void PrintingTest::clickCalibrationCommand(TrpPreviewForm& form)
{
    clickToolButton(form, calibrationCommand(form));
}

void PrintingTest::calibrateByMeasurement(const RectangleLines& measured)
{
    inTestPagePreview([&](TrpPreviewForm& form) {
        whileModalOpen<TfmCalibrationSave>(
            [&] {
                whileModalOpen<TfmCalibration>([&] { clickCalibrationCommand(form); },
                    [&](TfmCalibration& dialog) {
                        activate(dialog);
                        typeInto(*dialog.LeftE, writtenDown(measured.left));
                        typeInto(*dialog.TopE, writtenDown(measured.top));
                        click(*dialog.OkB);
                        EXPECT_FALSE(dialog.isVisible()) << "the measurement was refused";
                    });
            },
            [&](TfmCalibrationSave& offer) { click(*offer.CloseB); });
    });
}

// The rectangle's left line is met along a row 80 mm down the sheet and its top line down a
// column 50 mm across: both well inside the rectangle's sides and clear of the arrows and
// texts, however the printer misplaces the page by a few millimetres.
PrintingTest::RectangleLines PrintingTest::rectangleLines(const QImage& sheet)
{
    const std::optional<double> left = firstLineAlongRow(sheet, qRound(pixels(80)));
    const std::optional<double> top = firstLineDownColumn(sheet, qRound(pixels(50)));
    EXPECT_TRUE(left && top) << "the sheet shows no rectangle";
    return {left ? millimetres(*left) : 0, top ? millimetres(*top) : 0};
}

PrintingTest::FieldCentres PrintingTest::fieldCentres(const QImage& sheet, QPointF at)
{
    const double margin = kBlankMargin * rp01cm;
    const double slack = pixels(kFieldSlack);
    FieldCentres centres;
    for (int number = 1; number <= 42; ++number) {
        const TrpMemoView* field = memo(*main().rpReport1, u("Memo") + QString::number(number));
        EXPECT_NE(field, nullptr);
        if (!field) {
            centres.append(std::nullopt);
            continue;
        }
        const QRectF box((margin + field->Left()) * kDeviceScale,
            (margin + field->Top()) * kDeviceScale, field->Width() * kDeviceScale,
            field->Height() * kDeviceScale);
        const QRectF area
            = box.adjusted(-slack, -slack, slack, slack).translated(pixels(at.x()), pixels(at.y()));
        centres.append(inkCentre(sheet, area.toRect()));
    }
    return centres;
}

QImage PrintingTest::lastCertificateAsItBelongs()
{
    const TrpReportPage* printed = main().rpReport1->PreviewPages().GetPage(0);
    EXPECT_NE(printed, nullptr) << "no certificate was prepared";
    QImage sheet(qRound(pixels(148)), qRound(pixels(210)), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    if (!printed)
        return sheet;
    const std::unique_ptr<TrpComponent> copy = rpClone(*printed);
    auto& page = static_cast<TrpReportPage&>(*copy);
    page.SetLeftMargin(kBlankMargin);
    page.SetTopMargin(kBlankMargin);
    sheet.setDotsPerMeterX(qRound(600 / 0.0254));
    sheet.setDotsPerMeterY(qRound(600 / 0.0254));
    {
        platform::QPainterCanvas canvas(sheet, platform::QPainterCanvas::Printer);
        rpDrawPage(page, 0, canvas, kDeviceScale, kDeviceScale, 0, 0, {});
    }
    return sheet.convertToFormat(QImage::Format_Grayscale8);
}

void PrintingTest::expectFieldsAt(
    const FieldCentres& printed, const FieldCentres& expected, QPointF moved, double tolerance)
{
    ASSERT_EQ(printed.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("Memo" + std::to_string(i + 1));
        ASSERT_TRUE(expected[i].has_value()) << "the field prints no ink to compare";
        ASSERT_TRUE(printed[i].has_value()) << "no ink where the field belongs";
        EXPECT_NEAR(millimetres(printed[i]->x() - expected[i]->x()), moved.x(), tolerance);
        EXPECT_NEAR(millimetres(printed[i]->y() - expected[i]->y()), moved.y(), tolerance);
    }
}
