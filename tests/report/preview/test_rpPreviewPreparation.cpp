// The preview while its report is prepared: the timer, cancelling, the refused close and the
// enabled states before, during and after preparation.

#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/preview/rpPreviewWorkspace.h"
#include "support/MessageRecorder.h"
#include "support/PreviewSession.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

constexpr int kPages = 400;

// A report of many A5 pages, each with one numbered text, so that preparation takes long
// enough to be interrupted.
void buildManyPages(TrpReport& report)
{
    for (int i = 1; i <= kPages; ++i) {
        auto* page = new TrpReportPage(&report);
        page->SetName(QStringLiteral("Page%1").arg(i));
        page->SetPaperSize(11);
        auto* memo = new TrpMemoView(page);
        memo->SetName(QStringLiteral("Memo%1").arg(i));
        memo->SetLeft(10);
        memo->SetTop(10);
        memo->SetWidth(200);
        memo->SetHeight(20);
        memo->SetText(QStringLiteral("Page text %1").arg(i));
    }
}

QList<bool> commandStates(const TrpPreviewForm& form)
{
    QList<bool> states;
    for (QAction* action :
        {form.PrintB, form.OpenB, form.SaveB, form.FindB, form.PageSettingsB, form.DesignerB})
        states.append(action->isEnabled());
    return states;
}

class PreparationTest : public ::testing::Test {
protected:
    void SetUp() override { buildManyPages(report); }

    MessageRecorder recorder;
    TrpReport report;
};

TEST_F(PreparationTest, OpensEmptyWithCommandsOffUntilTheTimerPrepares)
{
    const QList<bool> off {false, false, false, false, false, true};
    whilePreviewOpen(
        report,
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(form.Preview->PageCount(), 0);
            EXPECT_EQ(commandStates(form), off);
            EXPECT_EQ(form.StatusPanels[0]->text(), QStringLiteral("Page 1 of 0"));
        },
        [](TrpPreviewForm& form) { return form.Preview->Report()->PrepareTimer().isActive(); });
}

TEST_F(PreparationTest, EscapeWhilePreparingCancelsInsteadOfClosing)
{
    const QList<bool> running {false, false, false, false, false, false};
    whilePreviewOpen(
        report,
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(form.CancelB->text(), QStringLiteral("Cancel"));
            EXPECT_EQ(commandStates(form), running);
            // The commands refuse to start while the pages are made.
            form.Preview->SaveToFile();
            EXPECT_FALSE(form.Preview->FindText(QStringLiteral("Page"), true, false));
            pressKey(Qt::Key_Escape);
            EXPECT_TRUE(report.Terminated());
            EXPECT_FALSE(form.close());
            EXPECT_TRUE(form.isVisible());
        },
        [](TrpPreviewForm& form) {
            return form.Preview->Running() && form.Preview->Report()->PreviewPages().Count() >= 3;
        });
    EXPECT_GE(report.PreviewPages().Count(), 3);
    EXPECT_LT(report.PreviewPages().Count(), kPages);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(PreparationTest, AFailedPreparationLeavesNothingToPrintOrSave)
{
    // Page 200 of 400 cannot be prepared: the 199 pages before it go too.
    dynamic_cast<TrpMemoView*>(report.FindObject(QStringLiteral("Memo200")))
        ->SetText(QStringLiteral("[Нет такого]"));
    FileAnswerer files(QDir(QDir::tempPath()).filePath(QStringLiteral("vorsela-failed.prp")));
    QFile::remove(files.answer);
    const QList<bool> nothing {false, false, false, false, false, true};
    whilePreviewOpen(
        report,
        [&](TrpPreviewForm& form) {
            EXPECT_EQ(recorder.texts(),
                QStringList {QStringLiteral("The following error(s) have occured:\r\n"
                                            "Memo200: Undeclared identifier: 'Нет'\r\n")});
            EXPECT_EQ(form.Preview->PageCount(), 0);
            EXPECT_EQ(form.Preview->Workspace()->PageList().Count(), 0);
            EXPECT_EQ(form.Preview->Thumbnail()->PageList().Count(), 0);
            EXPECT_EQ(commandStates(form), nothing);
            // The keys of the commands reach the preview with the buttons off.
            form.Preview->Workspace()->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
            form.Preview->SaveToFile(files.answer);
            EXPECT_TRUE(files.requests.isEmpty());
            EXPECT_FALSE(QFile::exists(files.answer));
            EXPECT_EQ(report.PreviewPages().Count(), 0);
            form.Preview->repaint();
        },
        // The error box follows the end of the run that the preview hears of.
        [&](TrpPreviewForm& form) {
            return previewPrepared(form) && !recorder.messages.isEmpty();
        });
}

TEST_F(PreparationTest, AfterPreparationTheCommandsComeBackAndPagingWorks)
{
    const QList<bool> on {true, true, true, true, true, true};
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        TrpPreview& preview = *form.Preview;
        EXPECT_EQ(form.CancelB->text(), QStringLiteral("Close"));
        EXPECT_EQ(commandStates(form), on);
        EXPECT_EQ(form.StatusPanels[1]->text(), QString());
        EXPECT_EQ(preview.Workspace()->PageList().Count(), kPages);

        EXPECT_TRUE(preview.Workspace()->hasFocus());
        pressKey(Qt::Key_End);
        EXPECT_EQ(preview.PageNo(), kPages);
        EXPECT_EQ(form.StatusPanels[0]->text(), QStringLiteral("Page 400 of 400"));
        EXPECT_EQ(form.OfNL->text(), QStringLiteral("of 400"));
        pressKey(Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(preview.PageNo(), kPages - 1);
        pressKey(Qt::Key_Home);
        EXPECT_EQ(preview.PageNo(), 1);
        pressKey(Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(preview.PageNo(), 2);
        // The page's top lies 10 pixels below the top of the view.
        EXPECT_EQ(preview.Workspace()->ScrollOffset().y(),
            preview.Workspace()->PageList().Item(1).OffsetY - 10);

        form.PageE->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9999"));
        pressKey(Qt::Key_Return);
        EXPECT_EQ(preview.PageNo(), kPages);
        form.FirstB->trigger();
        form.NextB->trigger();
        form.NextB->trigger();
        form.PriorB->trigger();
        EXPECT_EQ(preview.PageNo(), 2);

        // Scrolling makes the page at the top of the view current.
        preview.Workspace()->verticalScrollBar()->setValue(
            preview.Workspace()->PageList().Item(5).OffsetY + 1);
        EXPECT_EQ(preview.PageNo(), 6);

        // A hit on a later page is found from the current page on, and shown.
        EXPECT_TRUE(preview.FindText(QStringLiteral("page text 300"), false, false));
        EXPECT_EQ(preview.PageNo(), 300);
        EXPECT_TRUE(
            QRect(preview.Workspace()->ScrollOffset(), preview.Workspace()->viewport()->size())
                .contains(preview.Workspace()->FoundArea()));
        // Pages 5 and 50 to 59 have it, but the search starts at the current page.
        EXPECT_FALSE(preview.FindText(QStringLiteral("page text 5"), false, false));
        EXPECT_EQ(recorder.texts(), QStringList({QStringLiteral("Text not found")}));
    });
    EXPECT_EQ(report.PreviewPages().Count(), kPages);
}

} // namespace
