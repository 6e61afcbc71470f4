// The register window ("Журнал…"): finding, sorting, spoiling, exporting, and a line opened
// in the form.

#include "MainWindowFixture.h"

#include "../register/RegisterSamples.h"

#include "app/RegisterSettings.h"
#include "app/fmRegister.h"
#include "register/CertificateRegister.h"
#include "support/ModalSession.h"
#include "support/PreviewSession.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

class RegisterWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        RegisterEntry ivanov = sampleEntry(u("Иванов Иван"), u("АБ12"), QDate(2026, 5, 1));
        ivanov.hours[0] = u("41,5");
        ivanov.grades[9] = u("Хорошо");
        CertificateRegister(registerLocation())
            .record({ivanov, sampleEntry(u("Борисова Анна"), u("ВГ7"), QDate(2026, 5, 31)),
                sampleEntry(u("Иванова Ольга"), u("ДЕ1"), QDate(2026, 7, 2))});
    }

    void inRegisterWindow(const std::function<void(TfmRegister&)>& act)
    {
        whileModalOpen<TfmRegister>([&] { main().subRegister->trigger(); },
            [&](TfmRegister& window) {
                QApplication::setActiveWindow(&window);
                ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
                act(window);
            });
    }

    static QStringList column(const TfmRegister& window, int column)
    {
        QStringList texts;
        for (int row = 0; row < window.Grid->rowCount(); ++row)
            texts.append(window.Grid->item(row, column)->text());
        return texts;
    }

    static void clickHeader(const TfmRegister& window, int section)
    {
        QHeaderView* header = window.Grid->horizontalHeader();
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
};

TEST_F(RegisterWindow, listsNewestFirstAndFindsByNameSeriesAndIssueDates)
{
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.windowTitle(), u("Журнал выданных свидетельств"));
        EXPECT_EQ(column(window, 0), (QStringList {"3", "2", "1"}));

        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иванов"));
        EXPECT_EQ(column(window, 0), (QStringList {"3", "1"}));

        QTest::mouseClick(window.checkTo, Qt::LeftButton);
        window.dateTo->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        type(QApplication::focusWidget(), u("30.06.2026"));
        EXPECT_EQ(column(window, 0), QStringList {"1"});

        QTest::mouseClick(window.checkTo, Qt::LeftButton);
        window.editSearch->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        type(QApplication::focusWidget(), u("вг7"));
        EXPECT_EQ(column(window, 3), QStringList {u("Борисова Анна")});
    });
}

TEST_F(RegisterWindow, columnsSortByTheirValuesWhenTheirHeadingIsClicked)
{
    inRegisterWindow([&](TfmRegister& window) {
        clickHeader(window, 3);
        EXPECT_EQ(column(window, 3),
            (QStringList {u("Борисова Анна"), u("Иванов Иван"), u("Иванова Ольга")}));
        clickHeader(window, 3);
        EXPECT_EQ(column(window, 3),
            (QStringList {u("Иванова Ольга"), u("Иванов Иван"), u("Борисова Анна")}));
        clickHeader(window, 0);
        EXPECT_EQ(column(window, 0), (QStringList {"1", "2", "3"}));
    });
}

TEST_F(RegisterWindow, aSpoiledBlankIsMarkedWithItsReasonAndStruckThrough)
{
    inRegisterWindow([&](TfmRegister& window) {
        QTest::mouseClick(window.Grid->viewport(), Qt::LeftButton, {},
            window.Grid->visualItemRect(window.Grid->item(1, 3)).center());
        whileModalOpen<QInputDialog>([&] { QTest::mouseClick(window.btnSpoil, Qt::LeftButton); },
            [&](QInputDialog& dialog) {
                QApplication::setActiveWindow(&dialog);
                ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
                type(QApplication::focusWidget(), u("замята бумага"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
        const int row = column(window, 0).indexOf(QStringLiteral("2"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(window.Grid->item(row, 7)->text(), u("замята бумага"));
        EXPECT_TRUE(window.Grid->item(row, 3)->font().strikeOut());
        EXPECT_FALSE(window.Grid->item((row + 1) % 3, 3)->font().strikeOut());
    });
    CertificateRegister reg(registerLocation());
    EXPECT_EQ(reg.entry(2).spoiledReason, u("замята бумага"));
    EXPECT_FALSE(reg.entry(1).spoiled());
}

TEST_F(RegisterWindow, exportWritesTheFoundLinesForASpreadsheet)
{
    FileAnswerer answer(folder.filePath(QStringLiteral("журнал.csv")));
    inRegisterWindow([&](TfmRegister& window) {
        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иванов"));
        QTest::mouseClick(window.btnExport, Qt::LeftButton);
    });
    ASSERT_EQ(answer.requests.size(), 1);
    EXPECT_EQ(answer.requests[0].kind, platform::FileDialogRequest::Save);
    QFile file(answer.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF\xE2\x84\x96;"));
    const QStringList rows = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[1].startsWith(u("3;"))) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].contains(u("Иванов Иван"))) << rows[2].toStdString();
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(RegisterWindow, aLongRegisterShowsItsNewestLinesAndExportsThemAll)
{
    QList<RegisterEntry> more;
    for (int i = 0; i < TfmRegister::kShownLines; ++i)
        more.append(sampleEntry(u("Выпускник %1").arg(i), u("ЖЗ")));
    CertificateRegister(registerLocation()).record(more);
    FileAnswerer answer(folder.filePath(QStringLiteral("all.csv")));
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.Grid->rowCount(), TfmRegister::kShownLines);
        EXPECT_EQ(window.Grid->item(0, 0)->text(), QStringLiteral("1003"));
        EXPECT_TRUE(window.labelShown->isVisible());
        QTest::mouseClick(window.btnExport, Qt::LeftButton);

        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иванов"));
        EXPECT_EQ(window.Grid->rowCount(), 2);
        EXPECT_FALSE(window.labelShown->isVisible());
    });
    QFile file(answer.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 1 + 3 + TfmRegister::kShownLines);
}

TEST_F(RegisterWindow, openInFormFillsTheFormFromTheChosenLine)
{
    inRegisterWindow([&](TfmRegister& window) {
        const int row = column(window, 0).indexOf(QStringLiteral("1"));
        QTest::mouseClick(window.Grid->viewport(), Qt::LeftButton, {},
            window.Grid->visualItemRect(window.Grid->item(row, 3)).center());
        QTest::mouseClick(window.btnOpen, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    });
    const RegisterEntry expected = sampleEntry(u("Иванов Иван"), u("АБ12"), QDate(2026, 5, 1));
    EXPECT_EQ(main().Edit_05->Text(), u("Иванов Иван"));
    EXPECT_EQ(main().edit_04->Text(), u("АБ12"));
    EXPECT_EQ(main().Edit_01->Text(), expected.school);
    EXPECT_EQ(main().edit_03->Text(), expected.locality);
    EXPECT_EQ(main().DateTime_678->date(), expected.periodFrom);
    EXPECT_EQ(main().DateTime_91011->date(), expected.periodTo);
    EXPECT_EQ(main().DateTime_242526->date(), QDate(2026, 5, 1));
    EXPECT_EQ(main().Combo_categ->Text(), expected.category);
    EXPECT_EQ(main().Combo_42->Text(), expected.transmission);
    EXPECT_EQ(main().Edit_13->Text(), u("41,5"));
    EXPECT_EQ(main().Edit_23->Text(), expected.hours[10]);
    EXPECT_EQ(main().Combo_37->Text(), u("Хорошо"));
    EXPECT_EQ(main().Edit_27->Text(), expected.head);
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(RegisterWindow, aDamagedRegisterIsReportedAndNoWindowOpens)
{
    QFile::remove(folder.filePath(QString::fromLatin1(kRegisterFileName)));
    {
        QFile file(folder.filePath(QString::fromLatin1(kRegisterFileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("garbage").repeated(500));
    }
    main().subRegister->trigger();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.messages[0].text.contains(u("повреждён")))
        << recorder.messages[0].text.toStdString();
}

} // namespace
