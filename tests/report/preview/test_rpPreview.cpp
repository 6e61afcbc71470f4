// The preview window on the certificate: what it shows, its zoom, paging, keys and search.

#include "platform/core/NumberFormat.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/model/rpPages.h"
#include "report/model/rpProperty.h"
#include "report/preview/rpPreviewWorkspace.h"
#include "report/preview/rpSearchDialog.h"
#include "support/MessageRecorder.h"
#include "support/ModalSession.h"
#include "support/PreviewSession.h"
#include "support/ReportTestHelpers.h"
#include "templates/Templates.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <functional>
#include <vector>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loadCertificateTemplate(report);
        memo("Memo5")->SetText(u("Сидоров Сергей Петрович"));
        memo("Memo1")->SetText(u("Автошкола Петров"));
        memo("Memo3")->SetText(u("г. Петров"));
    }

    TrpMemoView* memo(const char* name)
    {
        return dynamic_cast<TrpMemoView*>(report.FindObject(QString::fromLatin1(name)));
    }

    // Clicks into the zoom box, types over its text and presses Enter, every key going to
    // the widget that has the focus, as the desktop delivers them.
    static void typeZoom(TrpPreviewForm& form, const QString& text, int enter = Qt::Key_Return)
    {
        activate(form);
        QTest::mouseClick(form.ZoomCB->lineEdit(), Qt::LeftButton);
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(focused, text);
        QTest::keyClick(focused, static_cast<Qt::Key>(enter),
            enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }

    // Opens the zoom box's list and clicks one of its items.
    static void chooseZoom(TrpPreviewForm& form, int row)
    {
        form.ZoomCB->showPopup();
        QAbstractItemView* list = form.ZoomCB->view();
        const QRect item = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }

    static void activate(QWidget& window)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    MessageRecorder recorder;
    TrpReport report;
};

TEST_F(PreviewTest, OpensMaximizedOnThePreparedCertificateWithTheToolbarOfTheOptions)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        EXPECT_TRUE(form.isModal());
        EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview"));
        EXPECT_EQ(form.Preview->PageCount(), 1);
        EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("100%"));
        EXPECT_EQ(form.StatusPanels[0]->text(), QStringLiteral("Page 1 of 1"));
        EXPECT_EQ(form.PageE->text(), QStringLiteral("1"));
        EXPECT_EQ(form.OfNL->text(), QStringLiteral("of 1"));
        EXPECT_EQ(form.CancelB->text(), QStringLiteral("Close"));

        // Visible items with their hints, left to right.
        QStringList hints;
        for (QAction* action : form.ToolBar->actions()) {
            if (action->isVisible() && !action->isSeparator())
                hints.append(action->toolTip());
        }
        EXPECT_EQ(hints,
            QStringList({"Print", "Open", "Save", "Find", "Zoom In", "", "Zoom Out", "Full Screen",
                "Report outline", "Thumbnails", "Page Settings", "Edit Page", "First Page",
                "Prior Page", "", "Next Page", "Last Page", "", ""}));
        EXPECT_EQ(form.ZoomCB->toolTip(), QStringLiteral("Zoom"));
        EXPECT_EQ(form.PagePanel->toolTip(), QStringLiteral("Page Number"));
        EXPECT_FALSE(form.PdfB->isVisible());
        EXPECT_FALSE(form.EmailB->isVisible());

        QStringList menu;
        for (QAction* item : form.ContextMenu->actions()) {
            if (item->isVisible())
                menu.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        EXPECT_EQ(menu,
            QStringList(
                {"Print", "Open", "Save", "Find", "-", "Zoom In", "Zoom Out", "Full Screen"}));
        const QList<QAction*> saveItems = form.SaveB->menu()->actions();
        ASSERT_EQ(saveItems.size(), 2);
        EXPECT_EQ(saveItems[0]->text(), QStringLiteral("Prepared Report..."));
        EXPECT_TRUE(saveItems[1]->isSeparator());

        for (QAction* action :
            {form.PrintB, form.OpenB, form.SaveB, form.FindB, form.PageSettingsB, form.DesignerB})
            EXPECT_TRUE(action->isEnabled()) << action->toolTip().toStdString();
    });
}

TEST_F(PreviewTest, PageAreaCentresThePageAndPaintsItWhiteWithTheCurrentPageFrame)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        TrpPreviewWorkspace* area = form.Preview->Workspace();
        const int usable = area->UsableWidth();
        const TrpPageItem page = area->PageList().Item(0);
        EXPECT_EQ(page.Width, 559);
        EXPECT_EQ(page.Height, 794);
        EXPECT_EQ(page.OffsetX, std::max((usable - 559) / 2, 0) + 10);
        EXPECT_EQ(page.OffsetY, 10);

        const QImage image = area->viewport()->grab().toImage();
        const QPoint corner = QPoint(page.OffsetX, page.OffsetY) - area->ScrollOffset();
        EXPECT_EQ(image.pixelColor(corner + QPoint(3, 3)), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(corner), TrpPreviewWorkspace::kFrame);
        EXPECT_EQ(image.pixelColor(corner - QPoint(1, 1)), TrpPreviewWorkspace::kActiveFrame);
        EXPECT_EQ(image.pixelColor(corner - QPoint(5, 5)), TrpPreviewWorkspace::kBackground);
    });
}

TEST_F(PreviewTest, ZoomButtonsAndBoxKeepTheQuarterFloorAndReadBothSeparators)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        TrpPreview& preview = *form.Preview;
        for (int i = 0; i < 5; ++i)
            form.ZoomMinusB->trigger();
        EXPECT_DOUBLE_EQ(preview.Zoom(), 0.25);
        EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("25%"));
        form.ZoomPlusB->trigger();
        EXPECT_DOUBLE_EQ(preview.Zoom(), 0.5);

        typeZoom(form, QStringLiteral("10"));
        EXPECT_DOUBLE_EQ(preview.Zoom(), 0.25);
        typeZoom(form, QStringLiteral("150,5 %"));
        EXPECT_DOUBLE_EQ(preview.Zoom(), 1.505);
        // Whole percent, ties to even.
        EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("150%"));
        typeZoom(form, QStringLiteral("200"), Qt::Key_Enter);
        EXPECT_DOUBLE_EQ(preview.Zoom(), 2.0);
        EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("200%"));
        typeZoom(form, QStringLiteral("200.5"));
        EXPECT_DOUBLE_EQ(preview.Zoom(), 2.005);
        EXPECT_TRUE(preview.Workspace()->hasFocus());
        EXPECT_EQ(preview.Workspace()->PageList().Item(0).Width, 1121); // 559 × 2.005

        // Nothing but "%" changes nothing; a text that is no number is refused.
        typeZoom(form, QStringLiteral("%"));
        EXPECT_DOUBLE_EQ(preview.Zoom(), 2.005);
        typeZoom(form, QStringLiteral("1x"));
        EXPECT_DOUBLE_EQ(preview.Zoom(), 2.005);
        EXPECT_EQ(preview.Workspace()->PageList().Item(0).Width, 1121);
        ASSERT_EQ(recorder.messages.size(), 1);
        EXPECT_EQ(
            recorder.messages[0].text, QStringLiteral("'1x' is not a valid floating point value."));

        // A zoom past what any page needs is held at 1000 %, so the page stays within the
        // page area's pixel coordinates.
        typeZoom(form, QStringLiteral("1e300"));
        EXPECT_DOUBLE_EQ(preview.Zoom(), 10.0);
        EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("1000%"));
        EXPECT_EQ(preview.Workspace()->PageList().Item(0).Width, 5590);
        for (int i = 0; i < 3; ++i)
            form.ZoomPlusB->trigger();
        EXPECT_DOUBLE_EQ(preview.Zoom(), 10.0);
        EXPECT_EQ(recorder.messages.size(), 1);

        chooseZoom(form, 6);
        EXPECT_EQ(preview.ZoomMode(), zmPageWidth);
        EXPECT_EQ(
            preview.Workspace()->PageList().Item(0).Width, preview.Workspace()->UsableWidth());
        EXPECT_EQ(preview.Workspace()->PageList().Item(0).OffsetX, 10);

        chooseZoom(form, 7);
        EXPECT_EQ(preview.ZoomMode(), zmWholePage);
        EXPECT_LE(preview.Workspace()->PageList().Item(0).Height, preview.Workspace()->height());
        form.ZoomPlusB->trigger();
        EXPECT_EQ(preview.ZoomMode(), zmDefault);
    });
}

TEST_F(PreviewTest, CtrlWheelZoomsByATenthAndNeverBelowThreeTenths)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        QWidget* viewport = form.Preview->Workspace()->viewport();
        const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
            QWheelEvent event(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), QPoint(),
                QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &event);
        };
        wheel(120, Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(form.Preview->Zoom(), 1.1);
        for (int i = 0; i < 12; ++i)
            wheel(-120, Qt::ControlModifier);
        EXPECT_NEAR(form.Preview->Zoom(), 0.3, 1e-9);
        // Without Ctrl the wheel scrolls 20 pixels.
        form.Preview->SetZoom(2);
        QScrollBar* bar = form.Preview->Workspace()->verticalScrollBar();
        bar->setValue(100);
        wheel(-120, Qt::NoModifier);
        EXPECT_EQ(bar->value(), 120);
        pressKey(Qt::Key_Down);
        EXPECT_EQ(bar->value(), 128);
        pressKey(Qt::Key_PageDown);
        EXPECT_EQ(bar->value(), 428);
    });
}

// A page the renderer cannot rebuild (here a stored page with a margin no page can hold, as
// a margin once reached the store unchecked) is left blank and reported once after the
// paint, and the preview goes on: no exception may leave a paint event.
TEST_F(PreviewTest, APageThatCannotBeDrawnIsReportedOnceAndThePreviewGoesOn)
{
    setPageCount(report, 2);
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        TrpPreviewPages& pages = report.PreviewPages();
        ASSERT_EQ(pages.Count(), 2);
        const std::unique_ptr<TrpComponent> copy = rpClone(*pages.GetPage(1));
        static_cast<TrpReportPage&>(*copy).SetLeftMargin(10000);
        pages.ModifyPage(1, static_cast<TrpReportPage&>(*copy));
        TrpPreviewWorkspace* area = form.Preview->Workspace();
        form.Preview->SetPageNo(2);
        for (int i = 0; i < 3; ++i) {
            area->viewport()->repaint();
            QCoreApplication::processEvents();
        }
        ASSERT_EQ(recorder.messages.size(), 1);
        EXPECT_TRUE(recorder.messages[0].text.contains(u("10000 is out of range")))
            << recorder.messages[0].text.toStdString();
        EXPECT_TRUE(form.isVisible());

        // The sound page is still drawn.
        form.Preview->SetPageNo(1);
        const QImage image = area->viewport()->grab().toImage();
        const TrpPageItem page = area->PageList().Item(0);
        const QPoint corner = QPoint(page.OffsetX, page.OffsetY) - area->ScrollOffset();
        EXPECT_EQ(image.pixelColor(corner + QPoint(3, 3)), QColor(Qt::white));
        EXPECT_EQ(recorder.messages.size(), 1);
    });
}

TEST_F(PreviewTest, PageBoxClampsAndRefusesAnEmptyNumber)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        const auto enter = [&](const char* text) {
            form.PageE->setFocus(Qt::TabFocusReason);
            pressKey(Qt::Key_A, Qt::ControlModifier);
            pressKey(Qt::Key_Backspace);
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
            pressKey(Qt::Key_Return);
        };
        enter("0");
        EXPECT_EQ(form.Preview->PageNo(), 1);
        EXPECT_EQ(form.PageE->text(), QStringLiteral("1"));
        enter("7");
        EXPECT_EQ(form.Preview->PageNo(), 1);
        EXPECT_EQ(form.StatusPanels[0]->text(), QStringLiteral("Page 1 of 1"));
        EXPECT_TRUE(recorder.messages.isEmpty());
        enter("");
        ASSERT_EQ(recorder.messages.size(), 1);
        EXPECT_EQ(recorder.messages[0].text, QStringLiteral("'' is not a valid integer value."));
        EXPECT_EQ(form.Preview->PageNo(), 1);
        // The box takes digits only.
        form.PageE->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a-1"));
        EXPECT_EQ(form.PageE->text(), QStringLiteral("1"));
    });
}

TEST_F(PreviewTest, FindMarksTheHitAndSaysWhenThereIsNoFurtherOne)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        TrpPreview& preview = *form.Preview;
        EXPECT_TRUE(preview.FindText(u("сидоров"), true, false));
        EXPECT_EQ(preview.Workspace()->FoundPage(), 0);
        const QRect hit = preview.Workspace()->FoundArea();
        EXPECT_GT(hit.width(), 50);
        // The mark inverts the white page: dark pixels inside the hit where no text is.
        const QImage image = preview.Workspace()->viewport()->grab().toImage();
        EXPECT_EQ(image.pixelColor(hit.topLeft() - preview.Workspace()->ScrollOffset()),
            QColor(Qt::black));

        // Case-sensitive, the lower-case text is not there.
        EXPECT_FALSE(preview.FindText(u("сидоров"), true, true));
        EXPECT_EQ(recorder.texts(), QStringList({QStringLiteral("Text not found")}));

        // "Петров" is in three fields: F3 goes from hit to hit, then says there is no other.
        EXPECT_TRUE(preview.FindText(u("Петров"), true, true));
        QList<QRect> hits {preview.Workspace()->FoundArea()};
        for (int i = 0; i < 2; ++i) {
            pressKey(Qt::Key_F3);
            hits.append(preview.Workspace()->FoundArea());
        }
        EXPECT_EQ(QSet<QRect>(hits.begin(), hits.end()).size(), 3);
        EXPECT_EQ(recorder.messages.size(), 1);
        pressKey(Qt::Key_F3);
        EXPECT_EQ(recorder.messages.size(), 2);
    });
}

TEST_F(PreviewTest, FindDialogKeepsTheLastTextAndSearchesWithItsOptions)
{
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        whileModalOpen<TrpSearchDialog>([&] { form.FindB->trigger(); },
            [&](TrpSearchDialog& dialog) {
                EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Find Text"));
                dialog.TextE->setText(u("Петрович"));
                dialog.TopCB->setChecked(true);
                dialog.accept();
            });
        EXPECT_EQ(form.Preview->Workspace()->FoundPage(), 0);
        EXPECT_EQ(TrpPreview::LastSearchText(), u("Петрович"));
        EXPECT_TRUE(recorder.messages.isEmpty());
    });
}

// Runs each step on a later turn of the preview's modal loop, so a step that ends the loop
// leaves the steps after it unrun, and the session fails.
void inTurnsOfTheModalLoop(
    TrpReport& report, const std::vector<std::function<void(TrpPreviewForm&)>>& steps)
{
    std::size_t next = 0;
    whilePreviewOpen(report, steps.back(), [&](TrpPreviewForm& form) {
        if (!previewPrepared(form))
            return false;
        if (next + 1 < steps.size()) {
            steps[next++](form);
            return false;
        }
        return true;
    });
}

TEST_F(PreviewTest, FullScreenKeepsTheWindowModalAndF11BringsBackBarsAndSize)
{
    QSize normal;
    Qt::WindowStates normalState;
    const auto stillModal = [](TrpPreviewForm& form) {
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &form);
    };
    const auto pressF11 = [](TrpPreviewForm& form) {
        activate(form);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    };
    inTurnsOfTheModalLoop(report,
        {[&](TrpPreviewForm& form) {
             normal = form.size();
             normalState = form.windowState();
             pressF11(form);
         },
            [&](TrpPreviewForm& form) {
                stillModal(form);
                EXPECT_TRUE(form.FullScreen());
                EXPECT_TRUE(form.windowState() & Qt::WindowFullScreen);
                EXPECT_TRUE(form.ToolBar->isHidden());
                EXPECT_TRUE(form.StatusBar->isHidden());
                pressF11(form);
            },
            [&](TrpPreviewForm& form) {
                stillModal(form);
                EXPECT_FALSE(form.FullScreen());
                EXPECT_EQ(form.windowState(), normalState);
                EXPECT_EQ(form.size(), normal);
                EXPECT_FALSE(form.ToolBar->isHidden());
                EXPECT_FALSE(form.StatusBar->isHidden());
                QTest::mouseClick(
                    form.ToolBar->widgetForAction(form.FullScreenBtn), Qt::LeftButton);
            },
            [&](TrpPreviewForm& form) {
                stillModal(form);
                EXPECT_TRUE(form.FullScreen());
                QTest::mouseDClick(form.Preview->Workspace()->viewport(), Qt::LeftButton);
            },
            [&](TrpPreviewForm& form) {
                stillModal(form);
                EXPECT_FALSE(form.FullScreen());
                EXPECT_FALSE(form.ToolBar->isHidden());
            }});
}

TEST_F(PreviewTest, F1WithoutTheHelpFileSaysWhichFileIsMissing)
{
    const QString help
        = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ReportUser.chm"));
    ASSERT_FALSE(QFile::exists(help));
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        activate(form);
        pressKey(Qt::Key_F1);
        ASSERT_EQ(recorder.messages.size(), 1);
        EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(
            recorder.messages[0].text, QStringLiteral("Help file \"%1\" not found").arg(help));
        EXPECT_TRUE(form.isVisible());
    });
}

TEST_F(PreviewTest, EachShowBuildsAFreshWindowAndEscapeClosesIt)
{
    whilePreviewOpen(
        report,
        [&](TrpPreviewForm& form) {
            form.ZoomPlusB->trigger();
            form.ThumbB->trigger();
            EXPECT_TRUE(form.Preview->ThumbnailVisible());
            EXPECT_EQ(form.Preview->Thumbnail()->PageList().Item(0).Width, 56); // 559 × 0.1
            form.OutlineB->trigger();
            EXPECT_FALSE(form.Preview->ThumbnailVisible());
            EXPECT_TRUE(form.Preview->OutlineVisible());
            // Edit has no page editor behind it: the window, its pages and its view stay as
            // they were.
            const QByteArray pageBefore = report.PreviewPages().PageData(0);
            const double zoomBefore = form.Preview->Zoom();
            form.DesignerB->trigger();
            EXPECT_TRUE(form.isVisible());
            EXPECT_TRUE(QApplication::activeModalWidget() == &form);
            EXPECT_DOUBLE_EQ(form.Preview->Zoom(), zoomBefore);
            EXPECT_TRUE(form.Preview->OutlineVisible());
            EXPECT_EQ(form.Preview->PageCount(), 1);
            EXPECT_EQ(report.PreviewPages().PageData(0), pageBefore);
            EXPECT_TRUE(recorder.messages.isEmpty());
            pressKey(Qt::Key_Escape);
        },
        previewPrepared, PreviewEnd::ClosedByChecks);
    EXPECT_EQ(report.PreviewPages().Count(), 1);
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        EXPECT_DOUBLE_EQ(form.Preview->Zoom(), 1.0);
        EXPECT_FALSE(form.Preview->ThumbnailVisible());
        EXPECT_FALSE(form.Preview->OutlineVisible());
        EXPECT_EQ(form.Preview->PageCount(), 1);
    });
    EXPECT_EQ(report.PreviewPages().Count(), 1);
}

} // namespace

namespace {

// A picture of the whole window on the filled certificate, for a person to look at
// (`build/artifacts/preview/`, or `$VORSELA_ARTIFACTS/preview`).
TEST_F(PreviewTest, WindowPictureOfTheFilledCertificate)
{
    const QString folder = qEnvironmentVariableIsSet("VORSELA_ARTIFACTS")
        ? qEnvironmentVariable("VORSELA_ARTIFACTS") + QStringLiteral("/preview")
        : QStringLiteral(VORSELA_ARTIFACT_DIR "/preview");
    ASSERT_TRUE(QDir().mkpath(folder));
    whilePreviewOpen(report, [&](TrpPreviewForm& form) {
        const QImage image = form.grab().toImage();
        EXPECT_TRUE(image.save(folder + QStringLiteral("/certificate.png")));
        // The page lies on the grey area below the toolbar.
        const QPoint page = form.Preview->Workspace()->viewport()->mapTo(
            &form, QPoint(form.Preview->Workspace()->PageList().Item(0).OffsetX + 3, 13));
        EXPECT_EQ(image.pixelColor(page), QColor(Qt::white));
    });
}

} // namespace
