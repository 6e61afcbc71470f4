// Saving and opening prepared-report files from the preview.

#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/preview/rpPreviewWorkspace.h"
#include "support/EmptyFolder.h"
#include "support/MessageRecorder.h"
#include "support/PreviewSession.h"
#include "support/ReportTestHelpers.h"
#include "templates/Templates.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class PreviewFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        loadCertificateTemplate(certificate);
        dynamic_cast<TrpMemoView*>(certificate.FindObject(QStringLiteral("Memo5")))
            ->SetText(QString::fromUtf8("Сидоров Сергей Петрович"));
        loadTestPageTemplate(testPage);
    }

    QTemporaryDir folder;
    MessageRecorder recorder;
    TrpReport certificate;
    TrpReport testPage;
};

TEST_F(PreviewFilesTest, SavedPagesOpenInAnotherPreviewAsTheSamePagesFromTheFirst)
{
    setPageCount(certificate, 2);
    setPageCount(testPage, 2);
    FileAnswerer answer(folder.filePath(QStringLiteral("graduate")));
    whilePreviewOpen(certificate, [&](TrpPreviewForm& form) { form.SaveB->trigger(); });
    ASSERT_EQ(answer.requests.size(), 1);
    EXPECT_EQ(answer.requests[0].kind, platform::FileDialogRequest::Save);
    EXPECT_EQ(answer.requests[0].filter, QStringLiteral("Prepared Report (*.prp)|*.prp"));
    EXPECT_EQ(answer.requests[0].defaultExtension, QStringLiteral("prp"));
    // The extension is forced.
    const QString saved = folder.filePath(QStringLiteral("graduate.prp"));
    ASSERT_TRUE(QFile::exists(saved));

    answer.answer = saved;
    whilePreviewOpen(testPage, [&](TrpPreviewForm& form) {
        form.Preview->Next();
        ASSERT_EQ(form.Preview->PageNo(), 2);
        form.OpenB->trigger();
        EXPECT_EQ(form.Preview->PageNo(), 1);
        EXPECT_EQ(form.StatusPanels[0]->text(), QStringLiteral("Page 1 of 2"));
        EXPECT_FALSE(form.Preview->MessagePanel()->isVisible());
        EXPECT_EQ(form.Preview->MessageLabel()->text(), QStringLiteral("Loading file... 100%"));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview"));
        EXPECT_TRUE(form.Preview->FindText(QString::fromUtf8("Сидоров"), true, true));
    });
    EXPECT_EQ(answer.requests[1].kind, platform::FileDialogRequest::Open);
    ASSERT_EQ(testPage.PreviewPages().Count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(testPage.PreviewPages().PageData(i), certificate.PreviewPages().PageData(i));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

// A long load is given up with the panel's Cancel button or with Escape, as the operator
// does while the percentage runs; the pages shown stay and nothing is reported.
TEST_F(PreviewFilesTest, ALongLoadShowsItsProgressAndIsCancelledByTheOperator)
{
    setPageCount(testPage, 3000);
    ASSERT_TRUE(testPage.PrepareReport(true));
    const QString large = folder.filePath(QStringLiteral("large.prp"));
    testPage.PreviewPages().SaveToFile(large);

    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Escape" : "Cancel button");
        FileAnswerer answer(large);
        whilePreviewOpen(certificate, [&](TrpPreviewForm& form) {
            const QByteArray before = certificate.PreviewPages().PageData(0);
            QString shown;
            bool printable = true;
            QTimer::singleShot(0, &form, [&] {
                shown = form.Preview->MessageLabel()->text();
                printable = form.PrintB->isEnabled();
                QPushButton* cancel = form.Preview->MessageCancelButton();
                ASSERT_TRUE(cancel->isVisible());
                if (byKey)
                    pressKey(Qt::Key_Escape);
                else
                    QTest::mouseClick(cancel, Qt::LeftButton);
            });
            form.OpenB->trigger();
            EXPECT_TRUE(shown.startsWith(QStringLiteral("Loading file... ")))
                << shown.toStdString();
            EXPECT_TRUE(shown.endsWith(QLatin1Char('%')));
            EXPECT_FALSE(printable) << "nothing else starts while a file loads";
            EXPECT_TRUE(form.isVisible()) << "Escape gives up the load, not the window";
            EXPECT_EQ(certificate.PreviewPages().Count(), 1);
            EXPECT_EQ(certificate.PreviewPages().PageData(0), before);
            EXPECT_FALSE(form.Preview->MessagePanel()->isVisible());
            EXPECT_FALSE(form.Preview->Locked());
            EXPECT_TRUE(form.PrintB->isEnabled());
        });
    }
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(PreviewFilesTest, ADamagedFileIsReportedAndThePagesShownStay)
{
    const QString damaged = folder.filePath(QStringLiteral("damaged.prp"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<preparedreport version=\"1\"><previewpages><page0><memo1");
    }
    FileAnswerer answer(damaged);
    whilePreviewOpen(testPage, [&](TrpPreviewForm& form) {
        const QByteArray before = testPage.PreviewPages().PageData(0);
        form.OpenB->trigger();
        EXPECT_EQ(testPage.PreviewPages().Count(), 1);
        EXPECT_EQ(testPage.PreviewPages().PageData(0), before);
        EXPECT_EQ(form.Preview->Workspace()->PageList().Count(), 1);
        EXPECT_FALSE(form.Preview->Locked());
        EXPECT_TRUE(form.PrintB->isEnabled());
    });
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Error"));
    EXPECT_FALSE(recorder.messages[0].text.isEmpty());
}

TEST_F(PreviewFilesTest, AFileThatCannotBeWrittenIsReported)
{
    FileAnswerer answer(folder.filePath(QStringLiteral("missing/sub/graduate.prp")));
    whilePreviewOpen(certificate, [&](TrpPreviewForm& form) {
        form.SaveB->trigger();
        EXPECT_FALSE(form.Preview->Locked());
    });
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Error"));
}

TEST_F(PreviewFilesTest, CancelledDialogsChangeNothing)
{
    const EmptyCurrentFolder here;
    FileAnswerer answer;
    whilePreviewOpen(certificate, [&](TrpPreviewForm& form) {
        const QByteArray before = certificate.PreviewPages().PageData(0);
        form.OpenB->trigger();
        form.SaveB->trigger();
        EXPECT_EQ(certificate.PreviewPages().Count(), 1);
        EXPECT_EQ(certificate.PreviewPages().PageData(0), before);
        EXPECT_EQ(form.Preview->PageCount(), 1);
        EXPECT_EQ(form.Preview->Workspace()->PageList().Count(), 1);
        EXPECT_FALSE(form.Preview->Locked());
        EXPECT_TRUE(form.PrintB->isEnabled());
    });
    EXPECT_EQ(answer.requests.size(), 2);
    EXPECT_TRUE(recorder.messages.isEmpty());
    // Nothing was written, neither in the test's folder nor under an empty name.
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(here.entries(), QStringList());
}

} // namespace
