#include "MessageService.h"

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

MessageBoxPresenter gMessageBox;
MessagePresenter* gPresenter = &gMessageBox;

void present(const QString& caption, const QString& text, MessageIcon icon)
{
    gPresenter->present(MessageRequest {caption, text, icon});
}

} // namespace

MessagePresenter* setMessagePresenter(MessagePresenter* presenter)
{
    MessagePresenter* previous = gPresenter;
    gPresenter = presenter ? presenter : &gMessageBox;
    return previous;
}

QString applicationTitle() { return QStringLiteral("vorsela"); }

void ShowMessage(const QString& text) { present(applicationTitle(), text, MessageIcon::None); }

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(const QString& message)
{
    present(applicationTitle(), errorBoxText(message), MessageIcon::Error);
}

void showEngineError(const QString& message, const QString& caption)
{
    present(caption, message, MessageIcon::Error);
}

} // namespace platform
