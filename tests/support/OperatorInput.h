#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// Input as the operator gives it to a dialog: the window made active, buttons clicked, and
// fields clicked into and typed over, every key sent to the widget that has the focus.

inline void activate(QWidget& window)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

inline void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

inline void typeInto(QWidget& field, const QString& text)
{
    QTest::mouseClick(&field, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), &field);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
}
