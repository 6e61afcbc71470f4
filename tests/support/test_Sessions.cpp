// The harnesses that run checks inside a modal loop fail the test by themselves when the
// checks did not run, ran only partly, or left the window otherwise than the test says.

#include "support/MessageRecorder.h"
#include "support/ModalSession.h"
#include "support/PreviewSession.h"
#include "templates/Templates.h"

#include <QDialog>
#include <QTest>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

// The failures `run` records, kept from the running test.
QStringList failuresOf(const std::function<void()>& run)
{
    testing::TestPartResultArray results;
    {
        const testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        run();
    }
    QStringList messages;
    for (int i = 0; i < results.size(); ++i)
        messages.append(QString::fromStdString(results.GetTestPartResult(i).message()));
    return messages;
}

QStringList missingFailures(const QStringList& failures, const QStringList& expected)
{
    QStringList missing;
    for (const QString& text : expected) {
        const bool seen = std::any_of(failures.begin(), failures.end(),
            [&](const QString& failure) { return failure.contains(text); });
        if (!seen)
            missing.append(text);
    }
    return missing;
}

struct PreviewCase {
    const char* name;
    bool shows;
    void (*act)(TrpPreviewForm&);
    PreviewEnd end;
    QStringList failures;
};

class PreviewSessionChecks : public ::testing::TestWithParam<PreviewCase> {
protected:
    void SetUp() override { loadTestPageTemplate(report); }

    MessageRecorder recorder;
    TrpReport report;
};

TEST_P(PreviewSessionChecks, FailExactlyWhenTheChecksDidNotRunAsSaid)
{
    const PreviewCase& c = GetParam();
    bool ran = false;
    const QStringList failures = failuresOf([&] {
        whilePreviewOpen(
            report,
            [&] {
                if (c.shows)
                    report.ShowReport(true);
            },
            [&](TrpPreviewForm& form) {
                ran = true;
                c.act(form);
            },
            previewPrepared, c.end);
    });
    EXPECT_EQ(failures.size(), c.failures.size()) << testing::PrintToString(failures);
    EXPECT_EQ(missingFailures(failures, c.failures), QStringList());
    EXPECT_EQ(ran, c.shows);
    EXPECT_EQ(rpPreviewFormOf(report), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewSessionChecks,
    ::testing::Values(PreviewCase {"ChecksRunInAnOpenWindow", true, [](TrpPreviewForm&) {},
                          PreviewEnd::StaysOpen, {}},
        PreviewCase {"ChecksCloseTheWindowAsSaid", true,
            [](TrpPreviewForm& form) { QTest::keyClick(&form, Qt::Key_Escape); },
            PreviewEnd::ClosedByChecks, {}},
        PreviewCase {"NeverShown", false, [](TrpPreviewForm&) {}, PreviewEnd::StaysOpen,
            {QStringLiteral("the preview never showed a window ready for the checks")}},
        PreviewCase {"ClosedUnderTheChecks", true, [](TrpPreviewForm& form) { form.close(); },
            PreviewEnd::StaysOpen, {QStringLiteral("the preview closed under its checks")}},
        PreviewCase {"LeftOpenThoughTheChecksWereToCloseIt", true, [](TrpPreviewForm&) {},
            PreviewEnd::ClosedByChecks,
            {QStringLiteral("the checks were to close the preview, it stayed open")}},
        PreviewCase {"ChecksBrokenOffByAnException", true,
            [](TrpPreviewForm&) { throw std::runtime_error("broken off"); }, PreviewEnd::StaysOpen,
            {QStringLiteral("the checks in the preview threw: broken off"),
                QStringLiteral("the checks in the preview did not run to their end")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModalSessionChecks, FailWhenTheDialogNeverShowsOrTheChecksBreakOff)
{
    QDialog dialog;
    bool ran = false;
    EXPECT_EQ(failuresOf([&] {
        whileModalOpen<QDialog>([&] { dialog.exec(); }, [&](QDialog&) { ran = true; });
    }),
        QStringList());
    EXPECT_TRUE(ran);
    EXPECT_FALSE(dialog.isVisible());

    const QStringList neverShown
        = failuresOf([] { whileModalOpen<QDialog>([] {}, [](QDialog&) {}); });
    EXPECT_EQ(neverShown.size(), 1);
    EXPECT_EQ(
        missingFailures(neverShown, {QStringLiteral("the dialog never showed")}), QStringList());

    const QStringList brokenOff = failuresOf([&] {
        whileModalOpen<QDialog>(
            [&] { dialog.exec(); }, [](QDialog&) { throw std::runtime_error("broken off"); });
    });
    EXPECT_EQ(missingFailures(brokenOff,
                  {QStringLiteral("the checks in the dialog threw: broken off"),
                      QStringLiteral("the checks in the dialog did not run to their end")}),
        QStringList());
}

} // namespace
