#include "report/engine/rpPreviewPages.h"
#include "report/preview/rpPreviewWorkspace.h"
#include "report/preview/rpProgressForm.h"
#include "report/print/rpPrintCommand.h"
#include "support/MessageRecorder.h"
#include "support/NumberedCertificate.h"
#include "support/PreviewSession.h"
#include "support/PrintOutput.h"
#include "support/ReportTestHelpers.h"
#include "support/SpoolerEnvironment.h"
#include "templates/Templates.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

const auto* const environment
    = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({SpoolerEnvironment::a5Laser()}));

// What the preview looked like whenever the job let window messages through.
struct SeenWhilePrinting {
    QStringList messages;
    bool previewEnabled = false;
    bool previewUnlocked = false;
};

class PreviewPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        loadNumberedCertificate(report, 3);
        report.SetPrintCommand([this](TrpReport& r) {
            return rpPrintPreparedPages(
                r, {}, [this](const TrpAcceptedJob& job) { accepted.append(job); });
        });
        QFile::remove(spooler().output());
    }

    // Watches the preview while the job runs; `onPage` sees the progress window.
    SeenWhilePrinting printWithCtrlP(
        TrpPreviewForm& form, const std::function<void(TrpProgressForm&)>& onPage = {})
    {
        SeenWhilePrinting seen;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            TrpProgressForm* progress = form.Preview->ProgressForm();
            if (!progress || progress->MessageLabel()->text().isEmpty())
                return;
            if (seen.messages.isEmpty() || seen.messages.last() != progress->MessageLabel()->text())
                seen.messages.append(progress->MessageLabel()->text());
            seen.previewEnabled = seen.previewEnabled || form.Preview->isEnabled();
            seen.previewUnlocked = seen.previewUnlocked || !form.Preview->Locked();
            if (onPage)
                onPage(*progress);
        });
        watch.start();
        pressKey(Qt::Key_P, Qt::ControlModifier);
        return seen;
    }

    MessageRecorder messages;
    TrpReport report;
    QList<TrpAcceptedJob> accepted;
};

TEST_F(PreviewPrint, ctrlPPrintsEveryPageWithTheProgressWindowOverADisabledPreview)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        form.Preview->SetPageNo(2);
        const SeenWhilePrinting seen = printWithCtrlP(form);
        EXPECT_EQ(
            seen.messages, (QStringList {"Printing page 1", "Printing page 2", "Printing page 3"}));
        EXPECT_FALSE(seen.previewEnabled);
        EXPECT_FALSE(seen.previewUnlocked);
        EXPECT_TRUE(form.Preview->isEnabled());
        EXPECT_FALSE(form.Preview->Locked());
        EXPECT_EQ(form.Preview->ProgressForm(), nullptr);
        EXPECT_EQ(report.PreviewPages().CurPreviewPage(), 2);
    });
    EXPECT_TRUE(spooler().waitForJobs());
    EXPECT_EQ(pageTexts(spooler().output()), (QStringList {"P1", "P2", "P3"}));
    EXPECT_TRUE(messages.messages.isEmpty());
    ASSERT_EQ(accepted.size(), 1);
    EXPECT_EQ(accepted[0].Printer, QStringLiteral("A5Laser"));
    EXPECT_EQ(accepted[0].Sheets, (QList<int> {0, 1, 2}));
}

TEST_F(PreviewPrint, theProgressWindowIsBorderlessWithItsCancelButton)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        QSize size;
        bool frameless = false;
        QString caption;
        printWithCtrlP(form, [&](TrpProgressForm& progress) {
            size = progress.size();
            frameless = progress.windowFlags().testFlag(Qt::FramelessWindowHint);
            caption = progress.CancelButton()->text();
        });
        EXPECT_EQ(size, QSize(271, 101));
        EXPECT_TRUE(frameless);
        EXPECT_EQ(caption, QStringLiteral("Cancel"));
    });
    EXPECT_TRUE(spooler().waitForJobs());
}

// The operator's click and Escape reach the progress window through the window system,
// which refuses input to a window that the modal preview blocks; a click sent to the button
// itself would pass where the operator's does not.
TEST_F(PreviewPrint, cancelOrEscapeInTheProgressWindowAbortsTheJob)
{
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "click on Cancel");
        accepted.clear();
        whilePreviewOpen(report, [&](TrpPreviewForm& form) {
            bool active = false;
            const SeenWhilePrinting seen = printWithCtrlP(form, [&](TrpProgressForm& progress) {
                QWindow* window = progress.windowHandle();
                ASSERT_NE(window, nullptr);
                active = active || QTest::qWaitForWindowActive(window, 1000);
                if (escape) {
                    QTest::keyClick(window, Qt::Key_Escape);
                } else {
                    const QPoint centre = progress.CancelButton()->geometry().center();
                    QTest::mouseClick(window, Qt::LeftButton, {}, centre);
                }
            });
            EXPECT_TRUE(active) << "the progress window takes the keys";
            EXPECT_EQ(seen.messages, QStringList {"Printing page 1"});
            EXPECT_TRUE(form.Preview->isEnabled());
            EXPECT_FALSE(form.Preview->Locked());
        });
        EXPECT_TRUE(spooler().waitForJobs());
        EXPECT_FALSE(QFile::exists(spooler().output()));
        EXPECT_TRUE(accepted.isEmpty());
    }
}

TEST_F(PreviewPrint, theProgressWindowBelongsToThePreviewAndCtrlPWorksAgainAfterThePrint)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        QWidget* parent = nullptr;
        printWithCtrlP(form, [&](TrpProgressForm& progress) { parent = progress.parentWidget(); });
        EXPECT_EQ(parent, &form) << "a window of the preview's own stays above it";
        ASSERT_TRUE(spooler().waitForJobs());
        QFile::remove(spooler().output());
        // The page area has the keys again: the next Ctrl+P prints without a click first.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QApplication::focusWidget() == form.Preview->Workspace(); }));
        printWithCtrlP(form);
    });
    EXPECT_TRUE(spooler().waitForJobs());
    EXPECT_EQ(pageTexts(spooler().output()), (QStringList {"P1", "P2", "P3"}));
    EXPECT_EQ(accepted.size(), 2);
}

} // namespace
