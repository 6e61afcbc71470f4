// "Печать" and "Настройка печати": each opens the preview of its report, prepared anew.

#include "MainWindowFixture.h"

#include "app/fmHelpText.h"
#include "report/engine/rpPreviewPages.h"
#include "report/model/rpPages.h"
#include "report/model/rpViews.h"
#include "support/PreviewSession.h"
#include "templates/Templates.h"

#include <QBuffer>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

using PreviewCommands = MainWindowTest;

QByteArray written(const TrpCustomReport& report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.SaveToStream(buffer);
    return buffer.data();
}

TEST_F(PreviewCommands, PrintShowsTheFilledCertificate)
{
    main().Edit_05->SetText(u("Петров Пётр Петрович"));
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(form.Preview->Report(), main().rpReport1.get());
            EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
            EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("100%"));
            EXPECT_EQ(form.Preview->PageCount(), 1);
            EXPECT_TRUE(form.Preview->FindText(u("Петров Пётр Петрович"), true, true));
        });
    EXPECT_TRUE(recorder.messages.isEmpty());

    // A second print prepares from the changed form, not from the first page.
    main().Edit_05->SetText(u("Сидоров Иван"));
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(form.Preview->PageCount(), 1);
            EXPECT_TRUE(form.Preview->FindText(u("Сидоров Иван"), true, true));
        });
    EXPECT_EQ(recorder.texts(), QStringList());
}

// F1 in the preview opens the operator's guide at its chapter on printing, in a window the
// modal preview does not block; no message about a help file that never ships.
TEST_F(PreviewCommands, F1OpensTheOperatorsGuideAtPrinting)
{
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            QApplication::setActiveWindow(&form);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            pressKey(Qt::Key_F1);
            auto* help = form.findChild<TfmHelpText*>();
            ASSERT_NE(help, nullptr);
            EXPECT_TRUE(help->isVisible());
            EXPECT_EQ(help->Memo->cursorForPosition(QPoint(1, 1)).block().text(),
                u("2. Печать свидетельства"));
            EXPECT_TRUE(help->Memo->toPlainText().startsWith(
                u("Печать свидетельств о профессиональном обучении водителей")));
            // The help takes clicks while the preview is open.
            ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
            const QTextBlock target
                = help->Memo->cursorForPosition(QPoint(1, 1)).block().next().next();
            const QPoint at = help->Memo->viewport()->mapTo(
                help, help->Memo->cursorRect(QTextCursor(target)).center());
            QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, at);
            EXPECT_EQ(help->Memo->textCursor().blockNumber(), target.blockNumber());
            help->close();
        });
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(PreviewCommands, PrintShowsTheOperatorsTextsAsTypedWithoutEvaluatingThem)
{
    retype(main().Edit_01, "ООО \"Автошкола [Тест]\"");
    retype(main().Edit_05, "Ivanov [Date] [2+3]");
    retype(main().edit_03, "[1 / 0");
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            ASSERT_EQ(form.Preview->PageCount(), 1);
            EXPECT_TRUE(form.PrintB->isEnabled());
            TrpReportPage* page = main().rpReport1->PreviewPages().GetPage(0);
            ASSERT_NE(page, nullptr);
            const auto printed = [page](const char* name) {
                return dynamic_cast<TrpMemoView*>(page->FindObject(u(name)))->Memo();
            };
            EXPECT_EQ(printed("Memo1"), QStringList {u("ООО \"Автошкола [Тест]\"")});
            EXPECT_EQ(printed("Memo5"), QStringList {u("Ivanov [Date] [2+3]")});
            EXPECT_EQ(printed("Memo3"), QStringList {u("[1 / 0")});
            EXPECT_TRUE(form.Preview->FindText(u("Ivanov [Date] [2+3]"), true, true));
        });
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(PreviewCommands, PrinterSetupShowsTheTestPage)
{
    whilePreviewOpen(
        *main().rpReport2, [&] { QTest::mouseClick(main().Button1, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(form.Preview->Report(), main().rpReport2.get());
            EXPECT_EQ(form.Preview->PageCount(), 1);
            EXPECT_TRUE(form.Preview->FindText(u("Распечатайте страницу."), true, true));
            EXPECT_EQ(rpPreviewFormOf(*main().rpReport1), nullptr);
        });
    EXPECT_TRUE(recorder.messages.isEmpty());
}

// The test page is read from its template on the first "Настройка печати": that first show
// has the whole template, the same as a report read from it directly.
TEST_F(PreviewCommands, FirstPrinterSetupShowsTheWholeTestPageTemplate)
{
    TrpReport expected;
    loadTestPageTemplate(expected);
    whilePreviewOpen(
        *main().rpReport2, [&] { QTest::mouseClick(main().Button1, Qt::LeftButton); },
        [&](TrpPreviewForm& form) { EXPECT_EQ(form.Preview->PageCount(), 1); });
    EXPECT_EQ(written(*main().rpReport2), written(expected));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

// Margins applied to the test page during a calibration stay for the rest of the run: a
// later "Настройка печати" does not read the template again.
TEST_F(PreviewCommands, PrinterSetupKeepsTheTestPageMarginsOfTheRun)
{
    whilePreviewOpen(
        *main().rpReport2, [&] { QTest::mouseClick(main().Button1, Qt::LeftButton); },
        [&](TrpPreviewForm&) {});
    auto* page = dynamic_cast<TrpReportPage*>(main().rpReport2->FindObject(u("Page1")));
    ASSERT_NE(page, nullptr);
    page->SetLeftMargin(21.5);
    whilePreviewOpen(
        *main().rpReport2, [&] { QTest::mouseClick(main().Button1, Qt::LeftButton); },
        [&](TrpPreviewForm& form) { EXPECT_EQ(form.Preview->PageCount(), 1); });
    page = dynamic_cast<TrpReportPage*>(main().rpReport2->FindObject(u("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->LeftMargin(), 21.5);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

} // namespace
