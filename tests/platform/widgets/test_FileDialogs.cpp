// The standard save dialog: the file it asks about is the file that gets written.

#include "platform/widgets/FileDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct SaveOutcome {
    QString fileName;
    QStringList questions;
};

// Types `typed` into the standard save dialog of the current folder and presses Enter; a
// question whether to replace a file is answered with `replace`, and a dialog still open
// afterwards is cancelled.
SaveOutcome saveTyping(const QString& typed, bool replace)
{
    SaveOutcome outcome;
    const auto typeName = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClicks(focused, typed);
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                outcome.questions.append(box->text());
                QTest::mouseClick(
                    box->button(replace ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
            }
        });
        QTest::keyClick(focused, Qt::Key_Return);
        if (auto* still = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            still->reject();
    };
    QTimer::singleShot(0, typeName);
    QTimer::singleShot(10000, [] {
        while (auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            window->reject();
    });
    outcome.fileName = platform::getSaveFileName(
        QStringLiteral("Prepared Report (*.prp)|*.prp"), QStringLiteral("prp"));
    return outcome;
}

class SaveDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QFile existing(folder.filePath(QStringLiteral("cert.prp")));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("earlier report");
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    QString previous;
};

TEST_F(SaveDialog, AsksBeforeReplacingTheFileWithTheAddedExtension)
{
    const SaveOutcome refused = saveTyping(QStringLiteral("cert"), false);
    ASSERT_EQ(refused.questions.size(), 1);
    EXPECT_TRUE(refused.questions[0].contains(QStringLiteral("cert.prp")))
        << refused.questions[0].toStdString();
    EXPECT_TRUE(refused.fileName.isEmpty());

    const SaveOutcome replaced = saveTyping(QStringLiteral("cert"), true);
    EXPECT_EQ(replaced.questions.size(), 1);
    EXPECT_EQ(replaced.fileName, folder.filePath(QStringLiteral("cert.prp")));
}

TEST_F(SaveDialog, ANewNameGetsTheExtensionWithoutAQuestion)
{
    const SaveOutcome outcome = saveTyping(QStringLiteral("graduate"), false);
    EXPECT_TRUE(outcome.questions.isEmpty());
    EXPECT_EQ(outcome.fileName, folder.filePath(QStringLiteral("graduate.prp")));
}

} // namespace
