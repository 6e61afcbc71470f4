#pragma once

#include "app/Startup.h"
#include "app/main_unit.h"
#include "platform/core/NumberFormat.h"
#include "support/EmptyFolder.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

inline QString u(const char* text) { return QString::fromUtf8(text); }

// The program's windows as the operator sees them at start: a comma decimal separator, and
// a fresh current directory, so that no settings file is found unless a test writes one.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { startProgram(); }

    void startProgram()
    {
        windows.reset();
        windows = createProgramWindows();
        QApplication::setActiveWindow(windows->fmMain.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(windows->fmMain.get()));
    }

    TfmMain& main() { return *windows->fmMain; }

    // Types any text, Cyrillic included, one key event a character.
    static void type(QWidget* field, const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    // Replaces the whole text of a field the way the operator does: select all, type.
    static void retype(QWidget* field, const char* text)
    {
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
        type(field, QString::fromUtf8(text));
    }

    // Chooses an item of the main menu with the mouse: the menu's title in the menu bar, then
    // the item in the menu that drops down.
    void chooseFromMenu(QMenu* menu, QAction* item)
    {
        QMenuBar* bar = main().MainMenu1;
        QTest::mouseClick(
            bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }))
            << "the menu did not drop down";
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        EXPECT_FALSE(menu->isVisible());
    }

    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    const EmptyCurrentFolder folder;
    MessageRecorder recorder;
    std::unique_ptr<ProgramWindows> windows;
};
