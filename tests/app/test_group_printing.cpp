// "Печать группы…": a group list becomes one prepared report of one certificate per
// graduate, printed as one job and recorded line by line.

#include "MainWindowFixture.h"

#include "app/group/fmGroup.h"
#include "app/logic/RegisterSettings.h"
#include "platform/core/FontMetrics.h"
#include "register/CertificateRegister.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpUnits.h"
#include "support/ModalSession.h"
#include "support/PreviewSession.h"
#include "support/PrintDialogInput.h"
#include "support/PrintOutput.h"
#include "support/ReportTestHelpers.h"
#include "support/SpoolerEnvironment.h"

#include <QClipboard>
#include <QFile>
#include <QTableWidget>

namespace {

class GroupPrinting : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QFile::remove(spooler().output());
        retype(main().Edit_05, "Форма Формович");
    }

    QString writeList(const QString& text)
    {
        const QString path = folder.filePath(QStringLiteral("группа.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }

    // Opens the list in the group window and presses "Просмотр" there.
    void openAndPreview(const QString& path, const std::function<void(TfmGroup&)>& afterPreview)
    {
        FileAnswerer answer(path);
        whileModalOpen<TfmGroup>([&] { main().subGroup->trigger(); },
            [&](TfmGroup& window) {
                QTest::mouseClick(window.btnOpen, Qt::LeftButton);
                QTest::mouseClick(window.btnPreview, Qt::LeftButton);
                afterPreview(window);
            });
    }
};

TEST_F(GroupPrinting, thirtyGraduatesPrintAsOneJobOfThirtyA5PagesAndThirtyLines)
{
    QString list = u("ФИО;Серия;Экзамен\n");
    for (int i = 1; i <= 30; ++i)
        list += u("Выпускник %1;АБ%2;Хорошо\n").arg(i).arg(i % 10);
    const QString path = writeList(list);

    bool previewed = false;
    whilePreviewOpen(
        *main().rpReport1, [&] { openAndPreview(path, [](TfmGroup&) {}); },
        [&](TrpPreviewForm& form) {
            previewed = true;
            EXPECT_EQ(form.Preview->PageCount(), 30);
            // The group window has just closed; the preview takes the keyboard as a
            // window manager would give it.
            QApplication::setActiveWindow(&form);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            printThroughDialog([] { pressKey(Qt::Key_P, Qt::ControlModifier); });
        });
    EXPECT_TRUE(previewed);
    ASSERT_TRUE(spooler().waitForJobs());
    EXPECT_EQ(pdfInfoField(spooler().output(), QStringLiteral("Pages")), QStringLiteral("30"));
    EXPECT_EQ(pdfPageSize(spooler().output()), QSizeF(420, 595));
    // Each sheet carries its own graduate, in the list's order.
    for (int page : {1, 17, 30}) {
        const QString printed = pageText(spooler().output(), page);
        EXPECT_TRUE(printed.contains(u("Выпускник %1\n").arg(page))) << printed.toStdString();
    }
    // Every sheet's ink lies in the boxes of the blank (the fields' boxes with half a
    // millimetre for the printer's whole-millimetre border), and the name is in its own.
    const TrpReportPage& blank = *page1(*main().rpReport1);
    const double dots = 600 / 25.4;
    const double slack = 0.6 * dots;
    QList<QRect> boxes;
    for (int i = 1; i <= 42; ++i) {
        const TrpComponent& field = *blank.FindObject(QStringLiteral("Memo%1").arg(i));
        const QRectF box((blank.LeftMargin() + field.Left() / rp01cm) * dots,
            (blank.TopMargin() + field.Top() / rp01cm) * dots, field.Width() / rp01cm * dots,
            field.Height() / rp01cm * dots);
        boxes.append(box.adjusted(-slack, -slack, slack, slack).toAlignedRect());
    }
    for (int page : {1, 17, 30}) {
        const InkInBoxes ink = inkInBoxes(rasterAt600(spooler().output(), page), boxes);
        EXPECT_EQ(ink.stray, 0) << "sheet " << page;
        EXPECT_GT(ink.perBox[4], 0) << "sheet " << page << ": the graduate's name";
    }

    const QList<RegisterLine> lines = CertificateRegister(registerLocation()).search({});
    ASSERT_EQ(lines.size(), 30);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(lines[i].number, 30 - i);
        EXPECT_EQ(lines[i].graduate, u("Выпускник %1").arg(30 - i));
        EXPECT_EQ(lines[i].series, u("АБ%1").arg((30 - i) % 10));
    }
    const RegisterEntry fifth = CertificateRegister(registerLocation()).entry(5);
    EXPECT_EQ(fifth.fields[4], u("Выпускник 5"));
    EXPECT_EQ(fifth.fields[36], u("Хорошо"));
    EXPECT_EQ(fifth.grades[9], u("Хорошо"));
    // The form shows what it showed before.
    EXPECT_EQ(main().Edit_05->Text(), u("Форма Формович"));
    EXPECT_EQ(recorder.texts(), QStringList());
}

// The Tatar and Bashkir letters that Windows-1251 lacks reach the paper as they are.
TEST_F(GroupPrinting, lettersBeyondTheRussianCodePagePrintAsTheyAre)
{
    retype(main().Edit_01, "Автошкола «Әлем»");
    const QString path = writeList(u("ФИО\nГөлнара Әлиева\nҠыҙыл Таңһылыу\n"));
    whilePreviewOpen(
        *main().rpReport1, [&] { openAndPreview(path, [](TfmGroup&) {}); },
        [&](TrpPreviewForm& form) {
            QApplication::setActiveWindow(&form);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            printThroughDialog([] { pressKey(Qt::Key_P, Qt::ControlModifier); });
        });
    ASSERT_TRUE(spooler().waitForJobs());
    const QStringList pages = pageTexts(spooler().output());
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(u("Автошкола «Әлем»"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(u("Гөлнара Әлиева"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].contains(u("Ҡыҙыл Таңһылыу"))) << pages[1].toStdString();
    EXPECT_FALSE(pages.join(QString()).contains(u'?'));
    // The name's ink is that of its letters: as wide as the same name in Russian letters of
    // the same widths, not narrowed to question marks.
    const TrpReportPage& blank = *page1(*main().rpReport1);
    const TrpComponent& field = *blank.FindObject(QStringLiteral("Memo5"));
    const double dots = 600 / 25.4;
    const QRect box = QRectF((blank.LeftMargin() + field.Left() / rp01cm) * dots,
        (blank.TopMargin() + field.Top() / rp01cm) * dots, field.Width() / rp01cm * dots,
        field.Height() / rp01cm * dots)
                          .adjusted(-15, -15, 15, 15)
                          .toAlignedRect();
    const QImage sheet = rasterAt600(spooler().output(), 1);
    int left = box.right();
    int right = box.left();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (qGray(sheet.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    const platform::FontMetrics& face = platform::FontMetrics::of(
        {QStringLiteral("Times New Roman"), 600 * 10 / 72, false, true});
    double width = 0;
    for (QChar c : u("Гөлнара Әлиева"))
        width += face.advance(c);
    EXPECT_NEAR(right - left, width, 0.06 * width);
}

TEST_F(GroupPrinting, aRowWithAProblemBlocksPrintingAndIsNamed)
{
    const QString path = writeList(u("ФИО;Оценка 2\nИванов;Хорошо\n;Хорошо\nПетров;пять\n"));
    openAndPreview(path, [&](TfmGroup& window) {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.Grid->rowCount(), 3);
        EXPECT_EQ(window.Grid->item(1, 4)->text(), u("нет ФИО"));
        EXPECT_EQ(window.labelCount->text(), u("Строк: 3, с ошибками: 2"));
    });
    EXPECT_EQ(recorder.texts(), QStringList {u("Строка 3 списка: нет ФИО.")});
    EXPECT_EQ(main().rpReport1->PreviewPages().Count(), 0);
    EXPECT_FALSE(QFile::exists(folder.filePath(QString::fromLatin1(kRegisterFileName))));
}

TEST_F(GroupPrinting, cellsPastedFromASpreadsheetAreTheGroup)
{
    QApplication::clipboard()->setText(u("Серия\tФИО\tЭкзамен\r\nАБ1\tИванов\tХорошо\r\n"
                                         "АБ2\tПетров\tx\r\n"));
    whileModalOpen<TfmGroup>([&] { main().subGroup->trigger(); },
        [&](TfmGroup& window) {
            QTest::mouseClick(window.btnPaste, Qt::LeftButton);
            ASSERT_EQ(window.group().size(), 2);
            EXPECT_EQ(window.Grid->item(0, 1)->text(), u("Иванов"));
            EXPECT_EQ(window.Grid->item(1, 2)->text(), u("АБ2"));
            EXPECT_EQ(window.Grid->item(1, 3)->text(), u("x"));
            EXPECT_EQ(window.Grid->item(1, 4)->text(), QString());
        });
    EXPECT_EQ(recorder.texts(), QStringList());
}

// A spreadsheet cell with Alt+Enter in it would print its first line only.
TEST_F(GroupPrinting, aNameOfTwoLinesIsAProblem)
{
    const QString path = writeList(u("ФИО;Серия\nИванов;АБ1\n\"Гөлнара\r\nӘлиева\";АБ2\n"));
    openAndPreview(path, [&](TfmGroup& window) {
        EXPECT_EQ(window.Grid->item(1, 3)->text(), u("ФИО занимает несколько строк"));
    });
    EXPECT_EQ(recorder.texts(), QStringList {u("Строка 3 списка: ФИО занимает несколько строк.")});
    EXPECT_EQ(main().rpReport1->PreviewPages().Count(), 0);
}

// Each grade stands under its subject as the list heads it, and the reasons are read in the
// window's width, without scrolling sideways.
TEST_F(GroupPrinting, theWindowShowsGradesUnderTheirSubjectsAndEveryReason)
{
    const QString path = writeList(u("ФИО;Оценка 2;Оценка 7;Экзамен;Серия\n"
                                     "Константинопольский-Скворцов Александр Вячеславович;"
                                     "Хорошо;Отлично;пять;АБ1\nПетров;;Удовлетворительно;;АБ2\n"));
    whileModalOpen<TfmGroup>([&] { main().subGroup->trigger(); },
        [&](TfmGroup& window) {
            FileAnswerer answer(path);
            QTest::mouseClick(window.btnOpen, Qt::LeftButton);
            QTableWidget& grid = *window.Grid;
            QStringList headings;
            for (int column = 0; column < grid.columnCount(); ++column)
                headings.append(grid.horizontalHeaderItem(column)->text());
            EXPECT_EQ(headings,
                (QStringList {u("Строка"), u("ФИО"), u("Серия"), u("Оценка 2"), u("Оценка 7"),
                    u("Экзамен"), u("Ошибка")}));
            EXPECT_EQ(grid.item(0, 3)->text(), u("Хорошо"));
            EXPECT_EQ(grid.item(1, 3)->text(), QString());
            EXPECT_EQ(grid.item(1, 4)->text(), u("Удовл."));
            EXPECT_EQ(window.labelCount->text(), u("Строк: 2, с ошибками: 1"));
            const int last = grid.columnCount() - 1;
            const QRect reason = grid.visualItemRect(grid.item(0, last));
            EXPECT_GE(reason.left(), 0);
            EXPECT_LE(reason.right(), grid.viewport()->width());
            EXPECT_GE(reason.width(), 150);
            EXPECT_GE(reason.height(),
                grid.fontMetrics()
                    .boundingRect(QRect(0, 0, reason.width() - 8, 1000), Qt::TextWordWrap,
                        grid.item(0, last)->text())
                    .height());
            window.reject();
        });
}

TEST_F(GroupPrinting, aNameTooLongForItsBoxIsAProblem)
{
    const QString path = writeList(u("ФИО\n") + u("Очень ").repeated(20) + u("\n"));
    openAndPreview(path, [&](TfmGroup& window) {
        EXPECT_EQ(window.Grid->item(0, 3)->text(), u("ФИО не помещается в поле бланка"));
    });
    EXPECT_EQ(
        recorder.texts(), QStringList {u("Строка 2 списка: ФИО не помещается в поле бланка.")});
}

// The series box of the blank takes as many characters as the series field lets the operator
// type, and a list may not print more there.
TEST_F(GroupPrinting, aSeriesLongerThanTheFieldTakesIsAProblem)
{
    const QString path = writeList(u("ФИО;Серия\nИванов;АБ12\nПетров;АБ123\n"));
    openAndPreview(path, [&](TfmGroup& window) {
        EXPECT_EQ(window.Grid->item(1, 3)->text(), u("серия не помещается в поле бланка"));
    });
    EXPECT_EQ(
        recorder.texts(), QStringList {u("Строка 3 списка: серия не помещается в поле бланка.")});
}

} // namespace
