#include "MessageBoxes.h"

#include "platform/core/MessageService.h"

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

class MessageBoxPresenter final : public MessagePresenter {
public:
    void present(const MessageRequest& request) override
    {
        QMessageBox box(toQtIcon(request.icon), request.caption, request.text, QMessageBox::Ok);
        box.adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = box.frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            box.move(frame.topLeft());
        }
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
