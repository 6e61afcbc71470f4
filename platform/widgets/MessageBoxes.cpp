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

class MessageBoxPresenter final : public MessagePresenter {
public:
    void present(const MessageRequest& request) override
    {
        CentredMessageBox box(
            toQtIcon(request.icon), request.caption, request.text, QMessageBox::Ok);
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
