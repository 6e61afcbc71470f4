#pragma once

#include "platform/core/MessageService.h"

#include <QList>

// Captures every message the program shows instead of opening a modal box. Installed for
// its lifetime; the previous presenter comes back when it goes.
class MessageRecorder final : public platform::MessagePresenter {
public:
    MessageRecorder() : fPrevious(platform::setMessagePresenter(this)) { }
    ~MessageRecorder() override { platform::setMessagePresenter(fPrevious); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void present(const platform::MessageRequest& request) override { messages.append(request); }

    QStringList texts() const
    {
        QStringList result;
        for (const auto& m : messages)
            result.append(m.text);
        return result;
    }

    QList<platform::MessageRequest> messages;

private:
    platform::MessagePresenter* fPrevious;
};
