#include "MessageBoxes.h"

#include "platform/core/MessageService.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace platform {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The box wraps a long text and takes its final size only as it is shown, so it is centred
// then, not before.
class CentredMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
};

// A short text makes a narrow box, and the window manager then cuts its caption ("vo…a").
// The box is kept wide enough for the caption in the title bar's bold face beside the
// frame's icon and its three buttons.
constexpr int kTitleBarRoom = 160;

int captionRoom(const QString& caption, const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarRoom;
}

void keepRoomForTheCaption(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(captionRoom(box.windowTitle(), box.font()), 0,
                      QSizePolicy::Minimum, QSizePolicy::Minimum),
        grid->rowCount(), 0, 1, grid->columnCount());
}

class MessageBoxPresenter final : public MessagePresenter {
public:
    void present(const MessageRequest& request) override
    {
        CentredMessageBox box(
            toQtIcon(request.icon), request.caption, request.text, QMessageBox::Ok);
        keepRoomForTheCaption(box);
        box.exec();
    }
};

} // namespace

void useMessageBoxes()
{
    static MessageBoxPresenter messageBox;
    setDefaultMessagePresenter(messageBox);
}

} // namespace platform
