// The print dialog on the certificate's preview, opened with Ctrl+P and filled with real
// clicks and keys, against two queues of the tests' own scheduler: what it shows, what OK
// prints, what Cancel and the print-to-file dialog leave, and the printer properties dialog:
// on Windows the driver's own, elsewhere the program's form.

#include "platform/widgets/Edit.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/print/rpPrintCommand.h"
#include "report/print/rpPrinter.h"
#include "report/print/rpPrinters.h"
#include "report/printui/rpPrintDialog.h"
#include "report/printui/rpPrintDialogDrawing.h"
#include "report/printui/rpPropertiesDialog.h"
#include "support/MessageRecorder.h"
#include "support/ModalSession.h"
#include "support/NumberedCertificate.h"
#include "support/PreviewSession.h"
#include "support/PrintOutput.h"
#include "support/ReportTestHelpers.h"
#include "support/SpoolerEnvironment.h"
#include "templates/Templates.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#ifdef Q_OS_WIN
#include "DriverDialog.h"
#endif

namespace {

// "A5Laser", the default printer, and "DuplexTrays", with paper sources and two-sided
// printing.
TestPpd duplexTrays()
{
    TestPpd trays;
    trays.Slots = {QStringLiteral("Tray1/Tray 1"), QStringLiteral("Tray2/Tray 2"),
        QStringLiteral("Manual/Manual Feed")};
    trays.Duplex = true;
    return trays;
}

const auto* const environment = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment(
    {SpoolerEnvironment::a5Laser(), {QStringLiteral("DuplexTrays"), duplexTrays().text()}}));

QString output(const char* queue) { return spooler().outputFile(QString::fromLatin1(queue)); }

void activate(QWidget& window)
{
    // A dialog over the preview counts as active with it (qWaitForWindowActive); the keys
    // reach the dialog once it is the application's active window itself.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
}

void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

// Opens the list and clicks the item with that text, as the operator chooses it.
void choose(QComboBox& box, const QString& text)
{
    const int row = box.findText(text);
    ASSERT_GE(row, 0) << text.toStdString() << " is not in the list";
    box.showPopup();
    QAbstractItemView* list = box.view();
    const QRect item = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_EQ(box.currentText(), text);
}

// Clicks into the field and types over its text, every key to the widget with the focus.
void typeInto(QWidget& field, const QString& text)
{
    QTest::mouseClick(&field, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), &field);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

QStringList items(const QComboBox& box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts.append(box.itemText(i));
    return texts;
}

QStringList pageLabels(std::initializer_list<int> numbers)
{
    QStringList labels;
    for (int number : numbers)
        labels.append(QStringLiteral("P%1").arg(number));
    return labels;
}

// Four pages, each saying only its number ("P3"), printed through the dialog from the
// preview; each test has a printer list of its own, with the default printer current.
class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loadNumberedCertificate(report, 4);
        report.SetPrintCommand([this](TrpReport& r) {
            printed = rpPrintPreparedPages(
                r, rpRunPrintDialog, [this](const TrpAcceptedJob& job) { accepted.append(job); });
            return printed;
        });
        for (const char* queue : {"A5Laser", "DuplexTrays"})
            QFile::remove(output(queue));
    }

    // Ctrl+P in the preview, `act` in the print dialog, then waits for the spooler.
    void printWith(const std::function<void(TrpPrintDialog&)>& act,
        const std::function<void(TrpPreviewForm&)>& before = {})
    {
        whilePreviewOpen(report, [&](TrpPreviewForm& form) {
            if (before)
                before(form);
            whileModalOpen<TrpPrintDialog>([] { pressKey(Qt::Key_P, Qt::ControlModifier); },
                [&](TrpPrintDialog& dialog) {
                    activate(dialog);
                    act(dialog);
                });
        });
        EXPECT_TRUE(spooler().waitForJobs());
    }

    TrpPrintersScope printers;
    MessageRecorder messages;
    TrpReport report;
    bool printed = false;
    QList<TrpAcceptedJob> accepted;
};

TEST_F(PrintDialogTest, isLaidOutAsTheTableWithTheStringTablesCaptions)
{
    printWith([](TrpPrintDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Print"));
        EXPECT_EQ(d.size(), QSize(557, 333));
        struct Placed {
            QWidget* widget;
            QRect geometry;
            const char* caption;
        };
        const auto box = [](QWidget* child) { return child->parentWidget(); };
        const Placed placed[] = {
            {box(d.PrinterCB), {4, 4, 549, 73}, "Printer"},
            {box(d.AllRB), {4, 80, 261, 117}, "Pages"},
            {box(d.CopiesE), {272, 80, 281, 117}, "Copies"},
            {box(d.PrintCB), {4, 200, 261, 97}, "Other"},
            {box(d.ModeCB), {272, 200, 281, 97}, "Print mode"},
        };
        for (const Placed& p : placed) {
            EXPECT_EQ(p.widget->geometry(), p.geometry) << p.caption;
            EXPECT_EQ(static_cast<QGroupBox*>(p.widget)->title(), QString::fromLatin1(p.caption));
        }
        const struct {
            QAbstractButton* button;
            QPoint at;
            const char* caption;
        } buttons[] = {
            {d.PropButton, {444, 16}, "Properties..."},
            {d.FileCB, {408, 48}, "Print to file"},
            {d.AllRB, {8, 20}, "All"},
            {d.CurPageRB, {8, 40}, "Current page"},
            {d.PageNumbersRB, {8, 60}, "Pages:"},
            {d.CollateCB, {140, 58}, "Collate"},
            {d.OkB, {398, 304}, "OK"},
            {d.CancelB, {478, 304}, "Cancel"},
        };
        for (const auto& b : buttons) {
            EXPECT_EQ(b.button->pos(), b.at) << b.caption;
            EXPECT_EQ(b.button->text(), QString::fromLatin1(b.caption));
        }
        EXPECT_EQ(d.OkB->size(), QSize(75, 25));
        EXPECT_TRUE(d.OkB->isDefault());
        EXPECT_EQ(d.PrinterCB->geometry().topLeft(), QPoint(60, 16));
        EXPECT_EQ(d.PrinterCB->width(), 329);
        EXPECT_EQ(d.PageNumbersE->geometry().topLeft(), QPoint(84, 58));
        EXPECT_EQ(d.CopiesE->pos(), QPoint(140, 16));
        EXPECT_EQ(d.CopiesUp->geometry().right() - d.CopiesE->x() + 1, 113)
            << "the copies field and its spin control are 113 wide together";
        EXPECT_EQ(d.CollateImg->geometry(), QRect(12, 48, 92, 53));
        EXPECT_EQ(d.ModeCB->geometry().topLeft(), QPoint(12, 16));
        EXPECT_EQ(d.ModeCB->width(), 257);
        EXPECT_EQ(d.SheetCB->geometry().topLeft(), QPoint(140, 64));
        EXPECT_EQ(d.SheetCB->width(), 129);

        QStringList labels;
        for (QLabel* label : d.findChildren<QLabel*>())
            labels.append(label->text());
        for (const char* text :
            {"Name:", "Where:", "Number of copies", "Print", "Order", "Duplex", "Print on sheet",
                "Enter page numbers and/or page ranges, separated by commas. For example, "
                "1,3,5-12"})
            EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;

        EXPECT_EQ(items(*d.PrinterCB), (QStringList {"A5Laser", "DuplexTrays"}));
        EXPECT_EQ(d.PrinterCB->currentText(), QStringLiteral("A5Laser"));
        EXPECT_EQ(d.PrinterCB->view()->sizeHintForRow(0), 16);
        EXPECT_EQ(d.ModeCB->view()->sizeHintForRow(0), 34);
        EXPECT_EQ(items(*d.PrintCB), (QStringList {"All pages", "Odd pages", "Even pages"}));
        EXPECT_EQ(items(*d.OrderCB), (QStringList {"Direct (1-9)", "Reverse (9-1)"}));
        EXPECT_EQ(
            items(*d.DuplexCB), (QStringList {"Default", "Vertical", "Horizontal", "Simplex"}));
        EXPECT_EQ(items(*d.ModeCB),
            (QStringList {"Default", "Split big pages", "Join small pages", "Scale"}));
        EXPECT_EQ(items(*d.SheetCB), (QStringList {"Default", "A4", "A5"}));
        EXPECT_EQ(d.WhereLbl->text(), QString()) << "queues are known by name alone";

        // The options of the report: one copy, collated, every page, in order.
        EXPECT_EQ(d.CopiesE->Text(), QStringLiteral("1"));
        EXPECT_TRUE(d.CollateCB->isChecked());
        EXPECT_TRUE(d.AllRB->isChecked());
        EXPECT_FALSE(d.FileCB->isChecked());
        for (QComboBox* list : {d.PrintCB, d.OrderCB, d.DuplexCB, d.ModeCB, d.SheetCB})
            EXPECT_EQ(list->currentIndex(), 0);
        EXPECT_FALSE(d.SheetCB->isEnabled());
    });
    EXPECT_FALSE(printed);
}

TEST_F(PrintDialogTest, opensOnTheReportsPrintOptions)
{
    TrpPrintOptions& options = report.PrintOptions();
    options.Copies = 3;
    options.Collate = false;
    options.PageNumbers = QStringLiteral("2-3");
    options.PrintPages = ppOdd;
    options.Reverse = true;
    options.PrintMode = pmScale;
    options.PrintOnSheet = 11;
    options.Duplex = dmVertical;
    printWith([](TrpPrintDialog& d) {
        EXPECT_EQ(d.CopiesE->Text(), QStringLiteral("3"));
        EXPECT_FALSE(d.CollateCB->isChecked());
        EXPECT_EQ(d.CollateImg->pixmap().toImage(), rpCollatePicture(false).toImage());
        EXPECT_TRUE(d.PageNumbersRB->isChecked());
        EXPECT_EQ(d.PageNumbersE->Text(), QStringLiteral("2-3"));
        EXPECT_EQ(d.PrintCB->currentText(), QStringLiteral("Odd pages"));
        EXPECT_EQ(d.OrderCB->currentText(), QStringLiteral("Reverse (9-1)"));
        EXPECT_EQ(d.ModeCB->currentText(), QStringLiteral("Scale"));
        EXPECT_TRUE(d.SheetCB->isEnabled());
        EXPECT_EQ(d.SheetCB->currentText(), QStringLiteral("A5"));
        EXPECT_EQ(d.DuplexCB->currentText(), QStringLiteral("Vertical"));
    });
    EXPECT_EQ(report.PrintOptions().Copies, 3) << "a cancelled dialog leaves the options";
}

TEST_F(PrintDialogTest, theFieldsAnswerTheOperatorsInput)
{
    printWith([](TrpPrintDialog& d) {
        // Digits only; the spin control and the arrow keys stay within 1 and 1000.
        typeInto(*d.CopiesE, QStringLiteral("a1-2 b"));
        EXPECT_EQ(d.CopiesE->Text(), QStringLiteral("12"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_EQ(d.CopiesE->Text(), QStringLiteral("13"));
        typeInto(*d.CopiesE, QStringLiteral("1000"));
        click(*d.CopiesUp);
        EXPECT_EQ(d.CopiesE->Text(), QStringLiteral("1000"));
        typeInto(*d.CopiesE, QStringLiteral("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        click(*d.CopiesDown);
        EXPECT_EQ(d.CopiesE->Text(), QStringLiteral("1"));

        // Entering the page field chooses "Pages:"; choosing "Pages:" enters the field.
        QTest::mouseClick(d.PageNumbersE, Qt::LeftButton);
        EXPECT_TRUE(d.PageNumbersRB->isChecked());
        click(*d.AllRB);
        click(*d.PageNumbersRB);
        EXPECT_EQ(QApplication::focusWidget(), d.PageNumbersE);

        const QImage collated = rpCollatePicture(true).toImage();
        const QImage uncollated = rpCollatePicture(false).toImage();
        EXPECT_EQ(d.CollateImg->pixmap().toImage(), collated);
        click(*d.CollateCB);
        EXPECT_EQ(d.CollateImg->pixmap().toImage(), uncollated);
        click(*d.CollateCB);
        EXPECT_EQ(d.CollateImg->pixmap().toImage(), collated);

        // A mode of its own takes a sheet, A4 unless one is chosen; "Default" takes none.
        choose(*d.ModeCB, QStringLiteral("Scale"));
        EXPECT_TRUE(d.SheetCB->isEnabled());
        EXPECT_EQ(d.SheetCB->currentText(), QStringLiteral("A4"));
        choose(*d.SheetCB, QStringLiteral("A5"));
        choose(*d.ModeCB, QStringLiteral("Join small pages"));
        EXPECT_EQ(d.SheetCB->currentText(), QStringLiteral("A5"));
        choose(*d.ModeCB, QStringLiteral("Default"));
        EXPECT_FALSE(d.SheetCB->isEnabled());
        EXPECT_EQ(d.SheetCB->currentText(), QStringLiteral("Default"));

        // Another printer becomes current at once and keeps the sheet chosen if it has it.
        choose(*d.ModeCB, QStringLiteral("Split big pages"));
        choose(*d.SheetCB, QStringLiteral("A5"));
        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        EXPECT_EQ(rpPrinters().Printer()->Name(), QStringLiteral("DuplexTrays"));
        EXPECT_EQ(d.SheetCB->currentText(), QStringLiteral("A5"));
    });
    EXPECT_EQ(rpPrinters().Printer()->Name(), QStringLiteral("A5Laser"))
        << "the dialog was cancelled";
}

struct OkCase {
    const char* name;
    std::function<void(TrpPrintDialog&)> choices;
    QStringList pages; // empty: nothing printed
    int driverCopies;
};

TEST_F(PrintDialogTest, okPrintsWithTheChoicesForThisJobOnly)
{
    const OkCase cases[] = {
        {"twoUncollatedCopiesOfAListInReverse",
            [](TrpPrintDialog& d) {
                typeInto(*d.CopiesE, QStringLiteral("2"));
                click(*d.CollateCB);
                typeInto(*d.PageNumbersE, QStringLiteral("1,3-4"));
                choose(*d.OrderCB, QStringLiteral("Reverse (9-1)"));
            },
            pageLabels({4, 3, 1}), 2},
        {"twoCollatedCopiesOfTheEvenPages",
            [](TrpPrintDialog& d) {
                typeInto(*d.CopiesE, QStringLiteral("2"));
                choose(*d.PrintCB, QStringLiteral("Even pages"));
            },
            pageLabels({2, 4, 2, 4}), 1},
        {"theCurrentPageOnly", [](TrpPrintDialog& d) { click(*d.CurPageRB); }, pageLabels({3}), 1},
        {"allAfterAPageListWasTyped",
            [](TrpPrintDialog& d) {
                typeInto(*d.PageNumbersE, QStringLiteral("2"));
                click(*d.AllRB);
            },
            pageLabels({1, 2, 3, 4}), 1},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(output("A5Laser"));
        printWith(
            [&](TrpPrintDialog& d) {
                c.choices(d);
                click(*d.OkB);
                EXPECT_FALSE(d.isVisible());
            },
            [](TrpPreviewForm& form) { form.Preview->SetPageNo(3); });
        EXPECT_TRUE(printed);
        ASSERT_EQ(QFile::exists(output("A5Laser")), !c.pages.isEmpty());
        if (!c.pages.isEmpty()) {
            EXPECT_EQ(pageTexts(output("A5Laser")), c.pages);
            const auto& printer = dynamic_cast<const TrpPrinter&>(*rpPrinters().Printer());
            EXPECT_EQ(printer.DeviceMode().Copies, c.driverCopies);
            // The driver's copies reach the job the scheduler prints, not only our record.
            if (c.driverCopies > 1) {
                EXPECT_EQ(spooler().lastJobAttributes(QStringLiteral("A5Laser"))["copies"],
                    std::to_string(c.driverCopies));
            }
        }
        // The next dialog opens as the first did.
        const TrpPrintOptions& options = report.PrintOptions();
        EXPECT_EQ(options.Copies, 1);
        EXPECT_TRUE(options.Collate);
        EXPECT_EQ(options.PageNumbers, QString());
        EXPECT_EQ(options.PrintPages, ppAll);
        EXPECT_FALSE(options.Reverse);
    }
    EXPECT_TRUE(messages.messages.isEmpty());
}

// On numbered blanks a page list that prints nothing must say so; only an empty list (or
// "All") means every page.
TEST_F(PrintDialogTest, aPageListThatSelectsNoPagePrintsNothingAndSaysSo)
{
    struct NoPageCase {
        const char* pages;
        bool oddPages;
        const char* message;
    };
    const NoPageCase cases[] = {
        {"3-1", false, "'3-1' is a backward page range; write it as 1-3."},
        {"9", false, "The page list \"9\" selects no page of the report. Nothing was printed."},
        {"0,5-", false,
            "The page list \"0,5-\" selects no page of the report. Nothing was printed."},
        {"2,4", true, "The page list \"2,4\" selects no page of the report. Nothing was printed."},
    };
    for (const NoPageCase& c : cases) {
        SCOPED_TRACE(c.pages);
        messages.messages.clear();
        printed = false;
        printWith([&](TrpPrintDialog& d) {
            typeInto(*d.PageNumbersE, QString::fromUtf8(c.pages));
            if (c.oddPages)
                choose(*d.PrintCB, QStringLiteral("Odd pages"));
            click(*d.OkB);
        });
        EXPECT_FALSE(printed);
        EXPECT_FALSE(QFile::exists(output("A5Laser")));
        EXPECT_TRUE(accepted.isEmpty());
        EXPECT_EQ(messages.texts(), QStringList {QString::fromUtf8(c.message)});
        EXPECT_EQ(report.PrintOptions().PageNumbers, QString());
    }
}

TEST_F(PrintDialogTest, anEmptyCopiesFieldIsAnErrorAndTheDialogStaysOpen)
{
    printWith([&](TrpPrintDialog& d) {
        typeInto(*d.CopiesE, QString());
        click(*d.OkB);
        EXPECT_TRUE(d.isVisible());
        // The application's error box, with its full stop.
        ASSERT_EQ(messages.texts(), QStringList {"'' is not a valid integer value."});
    });
    EXPECT_FALSE(printed);
    EXPECT_FALSE(QFile::exists(output("A5Laser")));
}

TEST_F(PrintDialogTest, cancelAndEscapeMakeThePrinterOfBeforeCurrentAndPrintNothing)
{
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        printWith([&](TrpPrintDialog& d) {
            choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
            typeInto(*d.CopiesE, QStringLiteral("3"));
            if (escape)
                pressKey(Qt::Key_Escape);
            else
                click(*d.CancelB);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_FALSE(printed);
        EXPECT_EQ(rpPrinters().Printer()->Name(), QStringLiteral("A5Laser"));
        EXPECT_EQ(report.PrintOptions().Copies, 1);
        EXPECT_FALSE(QFile::exists(output("A5Laser")));
        EXPECT_FALSE(QFile::exists(output("DuplexTrays")));
    }
}

TEST_F(PrintDialogTest, okOnAnotherPrinterPrintsThereAndItStaysCurrent)
{
    printWith([](TrpPrintDialog& d) {
        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        typeInto(*d.PageNumbersE, QStringLiteral("2"));
        click(*d.OkB);
    });
    EXPECT_EQ(pageTexts(output("DuplexTrays")), pageLabels({2}));
    EXPECT_FALSE(QFile::exists(output("A5Laser")));
    EXPECT_EQ(rpPrinters().Printer()->Name(), QStringLiteral("DuplexTrays"));
    printWith([](TrpPrintDialog& d) { EXPECT_EQ(d.PrinterCB->currentText(), "DuplexTrays"); });
}

TEST_F(PrintDialogTest, printToFileWritesTheJobIntoTheChosenPrnFile)
{
    QTemporaryDir dir;
    FileAnswerer answer(dir.filePath(QStringLiteral("certificate.pdf")));
    printWith([](TrpPrintDialog& d) {
        click(*d.FileCB);
        typeInto(*d.PageNumbersE, QStringLiteral("2-3"));
        click(*d.OkB);
    });
    EXPECT_TRUE(printed);
    ASSERT_EQ(answer.requests.size(), 1);
    EXPECT_EQ(answer.requests[0].kind, platform::FileDialogRequest::Save);
    EXPECT_EQ(answer.requests[0].title, QStringLiteral("Print to file"));
    EXPECT_EQ(answer.requests[0].filter, QStringLiteral("Printer file (*.prn)|*.prn"));
    const QString file = dir.filePath(QStringLiteral("certificate.prn"));
    EXPECT_EQ(pageTexts(file), pageLabels({2, 3}));
    EXPECT_EQ(pdfPageSize(file), QSizeF(420, 595));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("certificate.pdf"))));
    EXPECT_FALSE(QFile::exists(output("A5Laser")));
    EXPECT_TRUE(accepted.isEmpty()) << "a file is no issued sheet";

    // Without the tick the queue takes the job again.
    printWith([](TrpPrintDialog& d) { click(*d.OkB); });
    EXPECT_EQ(pageTexts(output("A5Laser")), pageLabels({1, 2, 3, 4}));
    EXPECT_EQ(accepted.size(), 1);
}

TEST_F(PrintDialogTest, aCancelledSaveDialogCancelsThePrint)
{
    FileAnswerer cancelled;
    printWith([](TrpPrintDialog& d) {
        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        click(*d.FileCB);
        click(*d.OkB);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(cancelled.requests.size(), 1);
    EXPECT_FALSE(printed);
    EXPECT_FALSE(QFile::exists(output("DuplexTrays")));
    EXPECT_EQ(rpPrinters().Printer()->Name(), QStringLiteral("DuplexTrays"))
        << "the printer chosen in the dialog stays current";
}

TEST_F(PrintDialogTest, f1AsksForTheEnginesHelpFile)
{
    printWith([&](TrpPrintDialog&) {
        pressKey(Qt::Key_F1);
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("Help file \"")));
        EXPECT_TRUE(messages.texts()[0].endsWith(QStringLiteral("ReportUser.chm\" not found")));
    });
}

// A program with help of its own gets F1 for it, and hears of no missing help file.
TEST_F(PrintDialogTest, f1OpensTheProgramsOwnHelpWhenItHasOne)
{
    int opened = 0;
    report.SetHelpCommand([&opened] { ++opened; });
    printWith([&](TrpPrintDialog&) {
        pressKey(Qt::Key_F1);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(messages.texts(), QStringList());
    });
}

#ifdef Q_OS_WIN

// Clicks "Properties..." as the operator does, through the print dialog's window, while the
// driver's own dialog is operated: no form of the program's may open instead.
DriverDialogSeen operateDriverDialog(TrpPrintDialog& d, DriverDialogSteps steps)
{
    DriverDialogOperator driverDialog(std::move(steps));
    whileNoModalOpens<TrpPrinterPropertiesForm>([&] {
        const QPoint centre = d.PropButton->mapTo(&d, d.PropButton->rect().center());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, centre);
    });
    return driverDialog.seen();
}

std::string sidesOfLastJob()
{
    const auto attributes = spooler().lastJobAttributes(QStringLiteral("DuplexTrays"));
    return attributes.count("sides") ? attributes.at("sides") : "";
}

// The driver's own dialog opens on the printer's settings as they stand, and the printer
// takes what the operator chose there: the duplex for the job, which the dialog's duplex list
// follows, and the paper and orientation for its sheet until the job writes each page's own.
// After the job the dialog shows the settings the job left, not those chosen before it.
TEST_F(PrintDialogTest, propertiesOpenTheDriversOwnDialogWhoseChoiceThePrinterTakes)
{
    DriverDialogSeen first;
    printWith([&](TrpPrintDialog& d) {
        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        const TrpCustomPrinter& printer = *rpPrinters().Printer();
        first = operateDriverDialog(d, {QStringLiteral("A5"), true, QStringLiteral("Short Edge")});
        EXPECT_EQ(d.DuplexCB->currentText(), QStringLiteral("Horizontal"));
        EXPECT_EQ(printer.Duplex(), 3);
        EXPECT_EQ(QSizeF(printer.PaperWidth(), printer.PaperHeight()), QSizeF(210, 148));
        click(*d.OkB);
    });
    ASSERT_TRUE(first.Found) << "the driver's dialog never showed";
    EXPECT_EQ(first.Missing, QString());
    EXPECT_EQ(first.Paper, QStringLiteral("A4"));
    EXPECT_FALSE(first.Landscape);
    EXPECT_EQ(first.Duplex, QStringLiteral("Off"));
    EXPECT_EQ(sidesOfLastJob(), "two-sided-short-edge");
    EXPECT_EQ(pdfPageSize(output("DuplexTrays")), QSizeF(420, 595));
    // The choice lasts for one document.
    EXPECT_EQ(rpPrinters().Printer()->Duplex(), -1);

    DriverDialogSeen after;
    printWith([&](TrpPrintDialog& d) {
        ASSERT_EQ(d.PrinterCB->currentText(), QStringLiteral("DuplexTrays"));
        after = operateDriverDialog(d, {{}, false, {}, false});
    });
    ASSERT_TRUE(after.Found);
    EXPECT_EQ(after.Paper, QStringLiteral("A5"));
    EXPECT_FALSE(after.Landscape);
    EXPECT_EQ(after.Duplex, QStringLiteral("Off"));
}

// Cancel in the driver's dialog leaves the printer, the print dialog and the job as they were.
TEST_F(PrintDialogTest, propertiesCancelledInTheDriversDialogChangeNothing)
{
    DriverDialogSeen seen;
    printWith([&](TrpPrintDialog& d) {
        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        seen = operateDriverDialog(
            d, {QStringLiteral("A5"), true, QStringLiteral("Long Edge"), false});
        EXPECT_EQ(d.DuplexCB->currentText(), QStringLiteral("Default"));
        const TrpCustomPrinter& printer = *rpPrinters().Printer();
        EXPECT_EQ(printer.Duplex(), -1);
        EXPECT_EQ(QSizeF(printer.PaperWidth(), printer.PaperHeight()), QSizeF(210, 297));
        click(*d.OkB);
    });
    ASSERT_TRUE(seen.Found) << "the driver's dialog never showed";
    EXPECT_EQ(seen.Missing, QString());
    EXPECT_EQ(sidesOfLastJob(), "one-sided");
}
#else

// The properties dialog sets the source and duplex of the printer's record; the dialog's
// duplex list follows, and the spooler's job carries both.
TEST_F(PrintDialogTest, propertiesChooseTheSourceAndDuplexOfTheJob)
{
    int binInJob = 0;
    int duplexInJob = 0;
    printWith([&](TrpPrintDialog& d) {
        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        whileModalOpen<TrpPrinterPropertiesForm>([&] { click(*d.PropButton); },
            [](TrpPrinterPropertiesForm& p) {
                activate(p);
                EXPECT_EQ(p.windowTitle(), QStringLiteral("DuplexTrays Properties"));
                EXPECT_EQ(items(*p.SourceCB), (QStringList {"Tray 1", "Tray 2", "Manual Feed"}));
                EXPECT_EQ(p.SourceCB->currentText(), QStringLiteral("Tray 1"));
                EXPECT_EQ(items(*p.DuplexCB), (QStringList {"Simplex", "Vertical", "Horizontal"}));
                EXPECT_EQ(p.DuplexCB->currentText(), QStringLiteral("Simplex"));
                choose(*p.SourceCB, QStringLiteral("Tray 2"));
                choose(*p.DuplexCB, QStringLiteral("Horizontal"));
                click(*p.OkB);
            });
        EXPECT_EQ(d.DuplexCB->currentText(), QStringLiteral("Horizontal"));
        const TrpCustomPrinter& printer = *rpPrinters().Printer();
        binInJob = printer.Bin();
        duplexInJob = printer.Duplex();
        click(*d.OkB);
    });
    EXPECT_EQ(binInJob, 257) << "the driver's second slot of its own";
    EXPECT_EQ(duplexInJob, 3);
    const auto attributes = spooler().lastJobAttributes(QStringLiteral("DuplexTrays"));
    EXPECT_EQ(attributes.count("InputSlot") ? attributes.at("InputSlot") : "", "Tray2");
    EXPECT_EQ(attributes.count("sides") ? attributes.at("sides") : "", "two-sided-short-edge");
    EXPECT_EQ(pageTexts(output("DuplexTrays")), pageLabels({1, 2, 3, 4}));
    // The choice lasts for one document.
    EXPECT_EQ(rpPrinters().Printer()->Bin(), -1);
    EXPECT_EQ(rpPrinters().Printer()->Duplex(), -1);
}

// A driver without sources or two-sided printing offers nothing to choose; Cancel leaves
// everything as it was.
TEST_F(PrintDialogTest, propertiesOfferWhatTheDriverOffersAndCancelChangesNothing)
{
    printWith([&](TrpPrintDialog& d) {
        whileModalOpen<TrpPrinterPropertiesForm>([&] { click(*d.PropButton); },
            [](TrpPrinterPropertiesForm& p) {
                EXPECT_EQ(p.SourceCB->count(), 0);
                EXPECT_FALSE(p.SourceCB->isEnabled());
                EXPECT_EQ(items(*p.DuplexCB), QStringList {"Simplex"});
                EXPECT_FALSE(p.DuplexCB->isEnabled());
                click(*p.OkB);
            });
        EXPECT_EQ(d.DuplexCB->currentText(), QStringLiteral("Default"));
        EXPECT_EQ(rpPrinters().Printer()->Duplex(), -1);

        choose(*d.PrinterCB, QStringLiteral("DuplexTrays"));
        whileModalOpen<TrpPrinterPropertiesForm>([&] { click(*d.PropButton); },
            [](TrpPrinterPropertiesForm& p) {
                activate(p);
                choose(*p.SourceCB, QStringLiteral("Manual Feed"));
                choose(*p.DuplexCB, QStringLiteral("Vertical"));
                click(*p.CancelB);
            });
        EXPECT_EQ(d.DuplexCB->currentText(), QStringLiteral("Default"));
        EXPECT_EQ(rpPrinters().Printer()->Bin(), -1);
        EXPECT_EQ(rpPrinters().Printer()->Duplex(), -1);
    });
}

#endif

} // namespace
