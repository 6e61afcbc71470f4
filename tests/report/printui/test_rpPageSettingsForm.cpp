// The page-settings dialog on the certificate's preview, opened with the Page Settings button
// and filled with real clicks and keys: what it shows, and what OK and Cancel leave in the
// displayed page and in the template.

#include "platform/core/NumberFormat.h"
#include "platform/widgets/Edit.h"
#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/preview/rpPreview.h"
#include "report/preview/rpPreviewWorkspace.h"
#include "report/printui/rpPageSettingsForm.h"
#include "support/MessageRecorder.h"
#include "support/ModalSession.h"
#include "support/OperatorInput.h"
#include "support/PreviewSession.h"
#include "support/ReportTestHelpers.h"
#include "templates/Templates.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <optional>

namespace {

enum class Apply { CurrentPage, AllPages, Cancel };

struct Margins {
    double left, top, right, bottom;
};

// One session: the page is set up before the preview opens, the edits are made in the
// dialog, the dialog is closed as `apply` says, and the displayed page and the template's
// Page1 must then hold what is expected.
struct DialogCase {
    const char* name;
    char separator;
    std::function<void(TrpReportPage&)> pageBefore;
    // What the dialog shows when it opens: paper list entry, width, height, left margin.
    const char* shownPaper;
    const char* shownWidth;
    const char* shownHeight;
    const char* shownLeft;
    std::function<void(TrpPageSettingsForm&)> edit;
    Apply apply;
    // The displayed prepared page after OK or Cancel.
    int paper;
    double width, height;
    TrpPrinterOrientation orientation;
    Margins shownMargins;
    // The template's Page1 afterwards.
    Margins templateMargins;
};

void marginsAll(TrpPageSettingsForm& dialog, const char* text)
{
    for (platform::TEdit* field : {dialog.LeftE, dialog.TopE, dialog.RightE, dialog.BottomE})
        typeInto(*field, text);
}

void expectMargins(const TrpReportPage& page, const Margins& margins)
{
    EXPECT_NEAR(page.LeftMargin(), margins.left, 1e-9);
    EXPECT_NEAR(page.TopMargin(), margins.top, 1e-9);
    EXPECT_NEAR(page.RightMargin(), margins.right, 1e-9);
    EXPECT_NEAR(page.BottomMargin(), margins.bottom, 1e-9);
}

void keepA5(TrpReportPage&) { }

const Margins k15 {15, 15, 15, 15};
const Margins k10 {10, 10, 10, 10};

const DialogCase kCases[] = {
    {"tenAllRoundInWholeCentimetresToAllPages", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) {
            marginsAll(d, "1");
            click(*d.AllRB);
        },
        Apply::AllPages, 11, 148, 210, poPortrait, k10, k10},
    {"tenAllRoundWithADecimalCommaToAllPages", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) {
            marginsAll(d, "1,0");
            click(*d.AllRB);
        },
        Apply::AllPages, 11, 148, 210, poPortrait, k10, k10},
    {"tenAllRoundToTheCurrentPageLeavesTheTemplate", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) { marginsAll(d, "1"); }, Apply::CurrentPage, 11, 148, 210,
        poPortrait, k10, k15},
    {"cancelAfterEditsChangesNothing", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) {
            marginsAll(d, "2");
            click(*d.LandscapeRB);
            typeInto(*d.WidthE, "30");
            click(*d.AllRB);
        },
        Apply::Cancel, 11, 148, 210, poPortrait, k15, k15},
    {"aDecimalPointUnderACommaFormat", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) { typeInto(*d.LeftE, "1.2"); }, Apply::CurrentPage, 11, 148, 210,
        poPortrait, {12, 15, 15, 15}, k15},
    {"aDecimalCommaUnderAPointFormat", '.', keepA5, "A5", "14.80", "21", "1.50",
        [](TrpPageSettingsForm& d) { typeInto(*d.TopE, "1,2"); }, Apply::CurrentPage, 11, 148, 210,
        poPortrait, {15, 12, 15, 15}, k15},
    {"aPaperThePrinterDoesNotListIsStoredAsCustom", ',',
        [](TrpReportPage& p) { p.SetPaperSize(8); }, "Custom", "29,70", "42", "1,50",
        [](TrpPageSettingsForm&) {}, Apply::CurrentPage, 256, 297, 420, poPortrait, k15, k15},
    {"typingTheWidthChoosesCustom", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) {
            typeInto(*d.WidthE, "15");
            EXPECT_EQ(d.SizeCB->currentText(), QStringLiteral("Custom"));
        },
        Apply::CurrentPage, 256, 150, 210, poPortrait, k15, k15},
    {"landscapeTurnsAStandardPaper", ',', keepA5, "A5", "14,80", "21", "1,50",
        [](TrpPageSettingsForm& d) {
            click(*d.LandscapeRB);
            EXPECT_EQ(d.WidthE->text(), QStringLiteral("21"));
            EXPECT_EQ(d.HeightE->text(), QStringLiteral("14,80"));
            EXPECT_TRUE(d.LandscapeImg->isVisible());
            EXPECT_FALSE(d.PortraitImg->isVisible());
        },
        // Turning the page rotates its margins before the dialog's margins are written.
        Apply::CurrentPage, 11, 210, 148, poLandscape, k15, k15},
    {"landscapeExchangesACustomSize", ',',
        [](TrpReportPage& p) {
            p.SetPaperWidth(120);
            p.SetPaperHeight(180);
        },
        "Custom", "12", "18", "1,50",
        [](TrpPageSettingsForm& d) {
            click(*d.LandscapeRB);
            EXPECT_EQ(d.WidthE->text(), QStringLiteral("18"));
            EXPECT_EQ(d.HeightE->text(), QStringLiteral("12"));
        },
        Apply::CurrentPage, 256, 180, 120, poLandscape, k15, k15},
};

class PageSetupDialog : public ::testing::TestWithParam<DialogCase> {
protected:
    void SetUp() override
    {
        loadCertificateTemplate(report);
        report.SetPageSetupCommand(rpRunPageSettings);
    }

    // Opens the dialog from the preview's Page Settings button and runs `act` in it.
    static void withDialog(
        TrpPreviewForm& form, const std::function<void(TrpPageSettingsForm&)>& act)
    {
        whileModalOpen<TrpPageSettingsForm>(
            [&] {
                QTest::mouseClick(
                    form.ToolBar->widgetForAction(form.PageSettingsB), Qt::LeftButton);
            },
            [&](TrpPageSettingsForm& dialog) {
                activate(dialog);
                act(dialog);
            });
    }

    // The preview shows the prepared page and the engine has returned: the preview hears
    // of the end of preparation while the engine is still on its way out.
    bool settled(TrpPreviewForm& form) const
    {
        return previewPrepared(form) && !report.Engine().Running();
    }

    // Shows the certificate and runs `act` in its preview once preparation has settled.
    void inPreview(const std::function<void(TrpPreviewForm&)>& act)
    {
        whilePreviewOpen(
            report, [&] { report.ShowReport(true); }, act,
            [this](TrpPreviewForm& form) { return settled(form); });
    }

    MessageRecorder recorder;
    TrpReport report;
};

TEST_P(PageSetupDialog, editsThePageOrTheTemplateAsChosen)
{
    const DialogCase& c = GetParam();
    const platform::ScopedNumberFormat format {QLatin1Char(c.separator)};
    c.pageBefore(*page1(report));
    inPreview([&](TrpPreviewForm& form) {
        withDialog(form, [&](TrpPageSettingsForm& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Page Settings"));
            EXPECT_EQ(dialog.size(), QSize(286, 359));
            EXPECT_TRUE(dialog.CurrentRB->isChecked());
            EXPECT_EQ(dialog.SizeCB->itemText(0), QStringLiteral("Custom"));
            EXPECT_EQ(dialog.SizeCB->currentText(), QString::fromLatin1(c.shownPaper));
            EXPECT_EQ(dialog.WidthE->text(), QString::fromLatin1(c.shownWidth));
            EXPECT_EQ(dialog.HeightE->text(), QString::fromLatin1(c.shownHeight));
            EXPECT_EQ(dialog.LeftE->text(), QString::fromLatin1(c.shownLeft));
            for (QLabel* unit : dialog.UnitLabels)
                EXPECT_EQ(unit->text(), QStringLiteral("cm"));
            c.edit(dialog);
            click(c.apply == Apply::Cancel ? *dialog.CancelB : *dialog.OkB);
            EXPECT_FALSE(dialog.isVisible());
        });
        ASSERT_TRUE(settled(form));
        EXPECT_EQ(form.Preview->PageNo(), 1);
        const TrpReportPage* shown = report.PreviewPages().GetPage(0);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->PaperSize(), c.paper);
        EXPECT_NEAR(shown->PaperWidth(), c.width, 1e-9);
        EXPECT_NEAR(shown->PaperHeight(), c.height, 1e-9);
        EXPECT_EQ(shown->Orientation(), c.orientation);
        expectMargins(*shown, c.shownMargins);
        const TrpMemoView* field = memo(*shown, QStringLiteral("Memo5"));
        ASSERT_NE(field, nullptr) << "the page keeps its objects";
    });
    expectMargins(*page1(report), c.templateMargins);
    // The next preparation starts from the template.
    ASSERT_TRUE(report.PrepareReport(true));
    expectMargins(*report.PreviewPages().GetPage(0), c.templateMargins);
    EXPECT_TRUE(recorder.messages.isEmpty())
        << recorder.texts().join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, PageSetupDialog, ::testing::ValuesIn(kCases),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

// A field that is not a number stops OK with the conversion error; nothing is written, the
// dialog stays open to correct it, and the preview stays open.
TEST_F(PageSetupDialog, aFieldThatIsNoNumberStopsOkBeforeAnythingIsWritten)
{
    const platform::ScopedNumberFormat format {QLatin1Char(',')};
    inPreview([&](TrpPreviewForm& form) {
        withDialog(form, [&](TrpPageSettingsForm& dialog) {
            marginsAll(dialog, "1");
            typeInto(*dialog.BottomE, "1,0 mm");
            click(*dialog.AllRB);
            click(*dialog.OkB);
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_EQ(recorder.messages.size(), 1);
            EXPECT_EQ(recorder.messages[0].text,
                QStringLiteral("'1,0 mm' is not a valid floating point value."));
            EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("vorsela"));
            click(*dialog.CancelB);
        });
        expectMargins(*report.PreviewPages().GetPage(0), k15);
    });
    expectMargins(*page1(report), k15);
}

// Margins that leave nothing of the page on the sheet (1000 cm typed for 1,00 cm, a left and
// a right margin wider than the paper together) are refused on OK with either choice, as a
// field that is no number is: the page and the template keep their margins, and the preview
// goes on painting.
TEST_F(PageSetupDialog, marginsThatLeaveNoPrintableAreaAreRefusedWithEitherChoice)
{
    const platform::ScopedNumberFormat format {QLatin1Char(',')};
    struct RefusedCase {
        const char* field;
        const char* text;
        const char* message;
    };
    const RefusedCase cases[] = {
        {"left", "1000",
            "The left margin (10000 mm) must be at least 0 mm and less than the paper width "
            "(148 mm)."},
        {"left", "501",
            "The left margin (5010 mm) must be at least 0 mm and less than the paper width "
            "(148 mm)."},
        {"right", "7,5",
            "The left and right margins (75 mm and 75 mm) leave nothing to print on the paper "
            "width (148 mm)."},
    };
    for (const bool all : {false, true}) {
        for (const RefusedCase& c : cases) {
            SCOPED_TRACE(std::string(c.text) + (all ? " to all pages" : " to the current page"));
            recorder.messages.clear();
            inPreview([&](TrpPreviewForm& form) {
                withDialog(form, [&](TrpPageSettingsForm& dialog) {
                    if (QByteArrayView(c.field) == "right")
                        typeInto(*dialog.LeftE, "7,5");
                    typeInto(QByteArrayView(c.field) == "right" ? *dialog.RightE : *dialog.LeftE,
                        c.text);
                    if (all)
                        click(*dialog.AllRB);
                    click(*dialog.OkB);
                    EXPECT_TRUE(dialog.isVisible());
                    ASSERT_EQ(recorder.messages.size(), 1);
                    EXPECT_EQ(recorder.messages[0].text, QString::fromUtf8(c.message));
                    click(*dialog.CancelB);
                });
                expectMargins(*report.PreviewPages().GetPage(0), k15);
                form.Preview->Workspace()->viewport()->repaint();
                QCoreApplication::processEvents();
                EXPECT_EQ(recorder.messages.size(), 1);
            });
            expectMargins(*page1(report), k15);
        }
    }
}

} // namespace
