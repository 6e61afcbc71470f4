#pragma once

#include "SessionSafety.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <exception>
#include <functional>

// Runs `open`, which is to show a modal dialog of type Dialog, and inside the dialog's loop
// runs `act` on it once. A dialog still open after `act` is rejected, and so is any modal
// dialog after the sessions' safety time (SessionSafety.h), so no test can hang. The test fails
// unless `act` ran to its end.
template <typename Dialog>
void whileModalOpen(const std::function<void()>& open, const std::function<void(Dialog&)>& act)
{
    bool started = false;
    bool finished = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QPointer<Dialog> dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (!started) {
            started = true;
            try {
                act(*dialog);
                finished = true;
            } catch (const std::exception& e) {
                ADD_FAILURE() << "the checks in the dialog threw: " << e.what();
            } catch (...) {
                ADD_FAILURE() << "the checks in the dialog threw";
            }
        }
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    QTimer safety;
    safety.setSingleShot(true);
    safety.setInterval(sessionSafety());
    QObject::connect(&safety, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    watch.start();
    safety.start();
    open();
    EXPECT_TRUE(started) << "the dialog never showed";
    EXPECT_EQ(started, finished) << "the checks in the dialog did not run to their end";
}

// Runs `act`, during which no modal dialog of type Dialog may open: one that opens is
// rejected at once, so the test goes on, and fails the test.
template <typename Dialog> void whileNoModalOpens(const std::function<void()>& act)
{
    bool opened = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            opened = true;
            dialog->reject();
        }
    });
    watch.start();
    act();
    EXPECT_FALSE(opened) << "a dialog opened that should not";
}
