#pragma once

#include <QString>

namespace platform {

enum class MessageIcon { None, Information, Warning, Error, Question };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
};

// Shows one modal message with a single OK button. The default presenter is the message box
// of the widgets layer once the program installs it (until then the standard error
// stream); tests install a recorder that never blocks.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void present(const MessageRequest& request) = 0;
};

// Installs a presenter for all later messages; nullptr restores the default presenter.
// Returns the presenter that was installed before.
MessagePresenter* setMessagePresenter(MessagePresenter* presenter);

// Replaces the default presenter (kept for the life of the program); it becomes the
// current one too unless another presenter is installed.
void setDefaultMessagePresenter(MessagePresenter& presenter);

// The program's title: the caption of its message and error boxes.
QString applicationTitle();

// The plain message box: the text, OK, captioned with the program's title.
void ShowMessage(const QString& text);

// The error box's text: a full stop is appended when the message's last character has a
// higher code than the full stop itself.
QString errorBoxText(const QString& message);

// The error box: error icon, OK, captioned with the program's title.
void showErrorBox(const QString& message);

// The report engine's own error box, captioned "Error" (the engine passes the caption from
// its string table).
void showEngineError(const QString& message, const QString& caption = QStringLiteral("Error"));

} // namespace platform
