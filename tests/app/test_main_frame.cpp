#include "app/About.h"
#include "app/Startup.h"
#include "app/fmMemo.h"
#include "app/main_unit.h"
#include "support/EmptyFolder.h"
#include "support/Faces.h"
#include "support/MessageRecorder.h"
#include "support/SessionSafety.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

class MainFrame : public ::testing::Test {
protected:
    void SetUp() override { windows = createProgramWindows(); }
    TfmMain& main() { return *windows->fmMain; }

    const EmptyCurrentFolder folder;
    MessageRecorder recorder;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(MainFrame, WindowProperties)
{
    EXPECT_EQ(main().windowTitle(),
        u("Модуль запонения бланков свидетельств о профессии водителя (Компания \"Ворсела\")"));
    EXPECT_EQ(main().centralWidget()->size(), QSize(771, 859));
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(main().windowIcon().isNull());
    EXPECT_TRUE(main().windowIcon().availableSizes().contains(QSize(48, 48)));
    EXPECT_EQ(main().font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(main().font().pixelSize(), 11);
    EXPECT_TRUE(main().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(main().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_NE(main().minimumSize(), main().maximumSize());
}

TEST_F(MainFrame, OtherWindowsExistHidden)
{
    ASSERT_TRUE(windows->fmAbout);
    ASSERT_TRUE(windows->formMemo);
    EXPECT_FALSE(windows->fmAbout->isVisible());
    EXPECT_FALSE(windows->formMemo->isVisible());
}

// The About window's contents are made when it is first shown: they are then on screen, and
// a second showing keeps the same controls.
TEST_F(MainFrame, AboutContentsAreShownWithTheWindowAndKeptAfterwards)
{
    main().subAbout->trigger();
    TfmAbout& about = *windows->fmAbout;
    ASSERT_NE(about.OKButton, nullptr);
    for (QWidget* part : {static_cast<QWidget*>(about.Panel1), static_cast<QWidget*>(about.Label2),
             static_cast<QWidget*>(about.OKButton)})
        EXPECT_TRUE(part->isVisible()) << qPrintable(part->objectName());
    EXPECT_TRUE(about.windowIcon().availableSizes().contains(QSize(48, 48)));
    EXPECT_EQ(about.font().family(), QStringLiteral("MS Sans Serif"));

    QPushButton* const ok = about.OKButton;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    main().subAbout->trigger();
    EXPECT_EQ(about.OKButton, ok);
    EXPECT_EQ(about.findChildren<QPushButton*>().size(), 1);
    EXPECT_TRUE(ok->isVisible());
}

// So are the settings viewer's.
TEST_F(MainFrame, ViewerContentsAreShownWithTheWindowAndKeptAfterwards)
{
    main().N3->trigger();
    TformMemo& viewer = *windows->formMemo;
    ASSERT_NE(viewer.Button1, nullptr);
    EXPECT_TRUE(viewer.Memo1->isVisible());
    EXPECT_TRUE(viewer.Button1->isVisible());
    EXPECT_TRUE(viewer.windowIcon().availableSizes().contains(QSize(48, 48)));
    EXPECT_EQ(viewer.font().family(), QStringLiteral("Tahoma"));

    QPlainTextEdit* const memo = viewer.Memo1;
    QTest::mouseClick(viewer.Button1, Qt::LeftButton);
    EXPECT_FALSE(viewer.isVisible());
    main().N3->trigger();
    EXPECT_EQ(viewer.Memo1, memo);
    EXPECT_EQ(viewer.findChildren<QPlainTextEdit*>().size(), 1);
    EXPECT_TRUE(memo->isVisible());
}

TEST_F(MainFrame, PanelCarriesContentAndScrollsWhenWindowIsSmaller)
{
    EXPECT_EQ(main().Panel13->geometry(), QRect(1, 3, 745, 851));
    EXPECT_EQ(main().centralWidget(), main().ScrollBox1);
    main().resize(400, 300);
    QApplication::processEvents();
    EXPECT_TRUE(main().ScrollBox1->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(main().ScrollBox1->verticalScrollBar()->isVisible());
}

TEST_F(MainFrame, MenuItemsInOrderWithoutShortcuts)
{
    const QList<QAction*> top = main().MainMenu1->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), u("Файл"));
    EXPECT_EQ(top[1]->text(), u("Помощь"));

    const auto captions = [](QMenu* menu) {
        QStringList result;
        for (QAction* a : menu->actions()) {
            EXPECT_TRUE(a->shortcut().isEmpty());
            EXPECT_FALSE(a->text().contains(QLatin1Char('&')));
            result.append(a->objectName() + QLatin1Char('=') + a->text());
        }
        return result;
    };
    EXPECT_EQ(captions(main().menuFile),
        (QStringList {u("N1=Сохранить настройки"), u("N3=Просмотр настроек"),
            u("N2=Сбросить настройки"), u("subRegister=Журнал…"), u("subGroup=Печать группы…"),
            u("subExit=Выход")}));
    EXPECT_EQ(
        captions(main().menuHelp), (QStringList {u("subAbout=О программе"), u("subHelp=Помощь")}));
}

TEST_F(MainFrame, CommandButtons)
{
    struct Expected {
        QPushButton* button;
        const char* name;
        const char* caption;
        int left;
        int width;
        bool bold;
    };
    const Expected rows[] = {
        {main().btnCearAll, "btnCearAll", "Очистить все поля", 11, 238, true},
        {main().Button1, "Button1", "Настройка печати", 304, 116, false},
        {main().proverka, "proverka", "Проверка", 426, 97, false},
        {main().btnPreview, "btnPreview", "Печать", 529, 97, false},
        {main().Button2, "Button2", "Выход", 632, 104, false},
    };
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.button->objectName(), QString::fromLatin1(row.name));
        EXPECT_EQ(row.button->text(), u(row.caption));
        EXPECT_EQ(row.button->parentWidget(), main().Panel13);
        EXPECT_EQ(row.button->geometry(), QRect(row.left, 808, row.width, 33));
        // Bold text takes a family whose bold face is visibly bold.
        EXPECT_EQ(
            row.button->font().family(), row.bold ? boldWindowFace() : QStringLiteral("Tahoma"));
        EXPECT_EQ(row.button->font().pixelSize(), 11);
        EXPECT_EQ(row.button->font().bold(), row.bold);
    }
}

TEST_F(MainFrame, DatePickersShowTodayWhenShown)
{
    main().hide();
    main().DateTime_678->setDate(QDate(2000, 1, 1));
    main().DateTime_242526->setDate(QDate(2001, 2, 3));
    main().show();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(main().DateTime_678->date(), today);
    EXPECT_EQ(main().DateTime_91011->date(), today);
    EXPECT_EQ(main().DateTime_242526->date(), today);
}

TEST_F(MainFrame, AboutIsShownWithoutBlockingTheMainWindow)
{
    main().subAbout->trigger();
    EXPECT_TRUE(windows->fmAbout->isVisible());
    EXPECT_FALSE(windows->fmAbout->isModal());
    EXPECT_FALSE(QApplication::activeModalWidget());
}

// Each way of closing the main window ends the message loop at once, without a question,
// even with the About window open.
struct CloseCase {
    const char* name;
    void (*close)(TfmMain&);
};

class ClosingTheMainWindow : public ::testing::TestWithParam<CloseCase> { };

TEST_P(ClosingTheMainWindow, EndsTheProgram)
{
    const EmptyCurrentFolder folder;
    MessageRecorder recorder;
    auto windows = createProgramWindows();
    windows->fmMain->subAbout->trigger();
    TfmMain* main = windows->fmMain.get();
    const auto close = GetParam().close;
    QTimer::singleShot(0, main, [main, close] { close(*main); });
    // A loop that is still running after the sessions' safety time was not ended by the close.
    QTimer::singleShot(sessionSafety(), main, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(recorder.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Paths, ClosingTheMainWindow,
    ::testing::Values(
        CloseCase {"ExitButton", [](TfmMain& w) { QTest::mouseClick(w.Button2, Qt::LeftButton); }},
        CloseCase {"FileMenuExit", [](TfmMain& w) { w.subExit->trigger(); }},
        CloseCase {"CloseBox", [](TfmMain& w) { w.close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
