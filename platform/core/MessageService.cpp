#include "MessageService.h"

#include <cstdio>

namespace platform {

namespace {

// Where no window can be shown (a program or test without widgets), a message goes to the
// standard error stream instead of vanishing.
class StandardErrorPresenter final : public MessagePresenter {
public:
    void present(const MessageRequest& request) override
    {
        std::fprintf(
            stderr, "%s: %s\n", qUtf8Printable(request.caption), qUtf8Printable(request.text));
    }
};

StandardErrorPresenter gStandardError;
MessagePresenter* gDefault = &gStandardError;
MessagePresenter* gPresenter = gDefault;

void present(const QString& caption, const QString& text, MessageIcon icon)
{
    gPresenter->present(MessageRequest {caption, text, icon});
}

} // namespace

MessagePresenter* setMessagePresenter(MessagePresenter* presenter)
{
    MessagePresenter* previous = gPresenter;
    gPresenter = presenter ? presenter : gDefault;
    return previous;
}

void setDefaultMessagePresenter(MessagePresenter& presenter)
{
    if (gPresenter == gDefault)
        gPresenter = &presenter;
    gDefault = &presenter;
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
