// Calibration by measurement: the command in the test page's preview.

#include "MainWindowFixture.h"

#include "app/calibration/fmCalibration.h"
#include "app/calibration/fmCalibrationSave.h"
#include "platform/core/CodePage1251.h"
#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/model/rpPages.h"
#include "support/ModalSession.h"
#include "support/OperatorInput.h"
#include "support/PreviewSession.h"
#include "support/ReportTestHelpers.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

namespace {

const char* const kCommand = "Калибровка по измерению…";

QAction* commandIn(const QList<QAction*>& actions)
{
    for (QAction* action : actions)
        if (action->text() == u(kCommand))
            return action;
    return nullptr;
}

class Calibration : public MainWindowTest {
protected:
    void clickCommand(TrpPreviewForm& form)
    {
        QAction* command = commandIn(form.ToolBar->actions());
        ASSERT_NE(command, nullptr);
        QTest::mouseClick(form.ToolBar->widgetForAction(command), Qt::LeftButton);
    }

    bool settled(TrpPreviewForm& form, TrpReport& report) const
    {
        return previewPrepared(form) && !report.Engine().Running();
    }

    void inTestPagePreview(const std::function<void(TrpPreviewForm&)>& act)
    {
        TrpReport& report = *main().rpReport2;
        whilePreviewOpen(
            report, [&] { QTest::mouseClick(main().Button1, Qt::LeftButton); }, act,
            [&](TrpPreviewForm& form) { return settled(form, report); });
    }

    static void expectLeftTop(const TrpReportPage& page, double left, double top)
    {
        EXPECT_DOUBLE_EQ(page.LeftMargin(), left);
        EXPECT_DOUBLE_EQ(page.TopMargin(), top);
        EXPECT_DOUBLE_EQ(page.RightMargin(), 15);
        EXPECT_DOUBLE_EQ(page.BottomMargin(), 15);
    }
};

TEST_F(Calibration, onlyTheTestPagesPreviewOffersTheCommand)
{
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(commandIn(form.ToolBar->actions()), nullptr);
            EXPECT_EQ(commandIn(form.ContextMenu->actions()), nullptr);
        });
    inTestPagePreview([&](TrpPreviewForm& form) {
        QAction* button = commandIn(form.ToolBar->actions());
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isEnabled());
        ASSERT_NE(commandIn(form.ContextMenu->actions()), nullptr);
        EXPECT_TRUE(commandIn(form.ContextMenu->actions())->isEnabled());
    });
}

TEST_F(Calibration, measuredDistancesSetBothTemplatesAndTheSettingsAreSaved)
{
    inTestPagePreview([&](TrpPreviewForm& form) {
        whileModalOpen<TfmCalibrationSave>(
            [&] {
                whileModalOpen<TfmCalibration>([&] { clickCommand(form); },
                    [&](TfmCalibration& dialog) {
                        activate(dialog);
                        EXPECT_EQ(dialog.LeftE->text(), u("15,0"));
                        EXPECT_EQ(dialog.TopE->text(), u("15,0"));
                        typeInto(*dialog.LeftE, "18");
                        typeInto(*dialog.TopE, "12.0");
                        QTest::mouseClick(dialog.OkB, Qt::LeftButton);
                        EXPECT_FALSE(dialog.isVisible());
                    });
            },
            [&](TfmCalibrationSave& offer) {
                EXPECT_EQ(offer.TextL->text(),
                    u("Новые поля бланка и тестовой страницы:\n"
                      "левое 12,00 мм (−3,00 мм), верхнее 18,00 мм (+3,00 мм).\n"
                      "Поля тестовой страницы действуют до выхода из программы.\n"
                      "Сохранить поля бланка в файле настроек сейчас?"));
                QTest::mouseClick(offer.SaveB, Qt::LeftButton);
            });
        expectLeftTop(*main().rpReport2->PreviewPages().GetPage(0), 12, 18);
    });
    expectLeftTop(*page1(*main().rpReport1), 12, 18);
    expectLeftTop(*page1(*main().rpReport2), 12, 18);
    QFile settings(QStringLiteral("default.zrf"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "the settings were not saved";
    const QByteArray text = settings.readAll();
    EXPECT_TRUE(text.contains("=12\r\n") || text.contains("=12\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("=18\r\n") || text.contains("=18\n")) << text.toStdString();
    // Only the margins: the form's texts and hours are one graduate's, not the defaults.
    const QString decoded = platform::decodeWindows1251(text);
    EXPECT_FALSE(decoded.contains(u("[Часы]"))) << text.toStdString();
    EXPECT_EQ(decoded.count(u("_поле=")), 4) << text.toStdString();
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(Calibration, aRefusedMeasurementOrChangedMarginsChangeNothing)
{
    inTestPagePreview([&](TrpPreviewForm& form) {
        whileModalOpen<TfmCalibration>([&] { clickCommand(form); },
            [&](TfmCalibration& dialog) {
                activate(dialog);
                typeInto(*dialog.TopE, "abc");
                QTest::mouseClick(dialog.OkB, Qt::LeftButton);
                EXPECT_TRUE(dialog.isVisible());
                ASSERT_EQ(recorder.messages.size(), 1);
                EXPECT_EQ(recorder.messages[0].text,
                    u("Расстояние «abc» — не число: введите его в миллиметрах, например 15,5."));

                typeInto(*dialog.TopE, "70");
                QTest::mouseClick(dialog.OkB, Qt::LeftButton);
                EXPECT_TRUE(dialog.isVisible());
                ASSERT_EQ(recorder.messages.size(), 2);
                EXPECT_EQ(recorder.messages[1].text,
                    u("Измеренное расстояние должно быть от 0 до 60 мм. Проверьте измерение."));
                QTest::mouseClick(dialog.CancelB, Qt::LeftButton);
            });

        // Margins applied to the displayed page after it was printed: the measurement no
        // longer refers to them, and the dialog does not open.
        TrpPreviewPages& pages = main().rpReport2->PreviewPages();
        const std::unique_ptr<TrpComponent> changed = rpClone(*pages.GetPage(0));
        static_cast<TrpReportPage&>(*changed).SetLeftMargin(13);
        pages.ModifyPage(0, static_cast<TrpReportPage&>(*changed));
        clickCommand(form);
        ASSERT_EQ(recorder.messages.size(), 3);
        EXPECT_TRUE(recorder.messages[2].text.startsWith(
            u("Поля тестовой страницы изменены после её печати")));
    });
    expectLeftTop(*page1(*main().rpReport1), 15, 15);
    expectLeftTop(*page1(*main().rpReport2), 15, 15);
    EXPECT_FALSE(QFile::exists(QStringLiteral("default.zrf")));
}

} // namespace
