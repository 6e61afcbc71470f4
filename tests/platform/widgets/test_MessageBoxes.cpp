#include "platform/core/MessageService.h"
#include "platform/widgets/MessageBoxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A long hint wraps in the box; the box is centred on the screen at the size it is shown with.
TEST(MessageBoxes, ALongTextIsCentredAsItIsShown)
{
    platform::useMessageBoxes();
    const QString text = QString::fromUtf8(
        "Полное официальное наименование образовательной организации (в соответствии с "
        "уставом) пишется так, как оно стоит в уставе, без сокращений; если оно не помещается "
        "в первую строку свидетельства, его окончание переносится во вторую строку.");
    QRect shown;
    QPoint screenCentre;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        checked = true;
        shown = box->frameGeometry();
        screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        box->accept();
    });
    platform::ShowMessage(text);
    ASSERT_TRUE(checked) << "no message box was shown";
    EXPECT_LE(std::abs(shown.center().x() - screenCentre.x()), 1);
    EXPECT_LE(std::abs(shown.center().y() - screenCentre.y()), 1);
}

// A short text must not make a box so narrow that the window manager cuts its caption.
TEST(MessageBoxes, AShortTextLeavesRoomForTheWholeCaption)
{
    platform::useMessageBoxes();
    int width = 0;
    int captionWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        width = box->width();
        QFont bold = box->font();
        bold.setBold(true);
        captionWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        box->accept();
    });
    platform::ShowMessage(QStringLiteral("OK"));
    ASSERT_GT(captionWidth, 0) << "no message box was shown";
    EXPECT_GE(width, captionWidth + 150);
}

} // namespace
